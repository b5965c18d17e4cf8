// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace tarquel {

// Reads a typed number: surrounding blanks, an optional sign, digits with an
// optional fraction after the locale's decimal separator (".5" and "5." are
// numbers), an optional exponent. Anything else, the empty text included, is
// a type mismatch; a number too large for a double is an overflow; one too
// small for the smallest double reads as zero. Both are RuntimeErrors.
double textToNumber(std::string_view text, std::string_view decimalSeparator = ".");

// Writes a number with a sign position: a blank before a non-negative value
// and "-" before a negative one, at most 15 significant digits, no trailing
// zeros or point, no 0 before the point below 1, and a full stop whatever the
// locale. 1E15 and more in magnitude (and below 1E-4) in exponent form,
// " 1.5E+15".
std::string numberToText(double value);

} // namespace tarquel
