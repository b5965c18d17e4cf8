// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace tarquel {

// The installed families with Hangul glyphs, the preferred ones first.
QStringList hangulFamilies();
// The font nearest to the design's "System" 9.75 pt bold that has Hangul glyphs.
QFont windowFont();
// Empty where a font with Hangul is installed; otherwise one line that says
// so and names what to install.
QString missingHangulNotice();

} // namespace tarquel
