// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace tarquel {

// The bytes as text that is safe on a terminal: UTF-8 as it stands, every
// byte that is not part of valid UTF-8 and every control character written
// as \xNN, and every character that changes the direction of the text
// (U+202E and its kin) as \uNNNN, so that an echoed word or file name never
// reaches the terminal raw nor reorders the line around it.
std::string printable(std::string_view bytes);

} // namespace tarquel
