// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

// Any finite double is written with a sign position and at most 15
// significant digits, and reads back to the value rounded to 15 digits.

#include "plotting/number_text.h"
#include "plotting/runtime_error.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace tarquel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < sizeof(double))
        return 0;
    double value;
    std::memcpy(&value, data, sizeof value);

    std::string text;
    try {
        text = numberToText(value);
    } catch (const RuntimeError& error) {
        if (std::isfinite(value) || error.kind() != ErrorKind::Overflow)
            std::abort();
        return 0;
    }
    if (!std::isfinite(value))
        std::abort();

    // A blank before a non-negative value, "-" before a negative one.
    if (text.size() < 2 || text[0] != (value < 0 ? '-' : ' '))
        std::abort();
    int significant = 0;
    bool seenNonZero = false;
    bool inExponent = false;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == 'E') {
            inExponent = true;
        } else if (!inExponent && c >= '0' && c <= '9') {
            seenNonZero = seenNonZero || c != '0';
            significant += seenNonZero ? 1 : 0;
        } else if (!inExponent && c != '.') {
            std::abort();
        }
    }
    if (significant > 15)
        std::abort();
    if (text.find('.') != std::string::npos && text.find('E') == std::string::npos &&
        (text.back() == '0' || text.back() == '.'))
        std::abort(); // no trailing zeros or point
    if (text.size() > 2 && text[1] == '0')
        std::abort(); // no 0 before the point

    // Reads back to the value at 15 significant digits.
    char rounded[40];
    std::snprintf(rounded, sizeof rounded, "%.14e", value);
    const double expected = std::strtod(rounded, nullptr);
    double back = 0.0;
    try {
        back = textToNumber(text);
    } catch (const RuntimeError&) {
        // 1.79769313486232E+308 rounds above the largest double.
        if (std::isfinite(expected))
            std::abort();
        return 0;
    }
    if (back != expected && !(back == 0.0 && expected == 0.0))
        std::abort();
    return 0;
}
