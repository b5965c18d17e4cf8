// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tarquel {

// The commands and the layout speak UTF-8; the toolkit speaks QString. The
// two meet here and nowhere else.
inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toUtf8(const QString& text) { return text.toStdString(); }

} // namespace tarquel
