// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "plotting/number_text.h"

#include "plotting/runtime_error.h"

#include <QByteArray>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tarquel {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void typeMismatch() { throw RuntimeError(ErrorKind::TypeMismatch); }

} // namespace

double textToNumber(std::string_view text, std::string_view decimalSeparator)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    // Validate by hand and build the plain form that is read below: the
    // readers also take "inf", "nan" or hexadecimal, which a typed number
    // never is.
    std::string plain;
    plain.reserve(text.size());
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    std::size_t digits = 0;
    bool inFraction = false;
    while (at < text.size()) {
        if (isDigit(text[at])) {
            plain.push_back(text[at]);
            ++digits;
            ++at;
        } else if (!inFraction && !decimalSeparator.empty() &&
                   text.substr(at).starts_with(decimalSeparator)) {
            inFraction = true;
            plain.push_back('.');
            at += decimalSeparator.size();
        } else {
            break;
        }
    }
    if (digits == 0)
        typeMismatch();
    long exponent = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        plain.push_back('e');
        ++at;
        bool exponentNegative = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            exponentNegative = text[at] == '-';
            plain.push_back(text[at]);
            ++at;
        }
        std::size_t exponentDigits = 0;
        while (at < text.size() && isDigit(text[at])) {
            plain.push_back(text[at]);
            if (exponent < 1'000'000) // saturates, far beyond any double
                exponent = exponent * 10 + (text[at] - '0');
            ++exponentDigits;
            ++at;
        }
        if (exponentDigits == 0)
            typeMismatch();
        if (exponentNegative)
            exponent = -exponent;
    }
    if (at != text.size())
        typeMismatch();

    // The validated plain text is read by Qt's conversion: locale-independent,
    // correctly rounded (subnormals too) and the same with every standard
    // library. std::from_chars would do, but libc++ has none for doubles
    // before LLVM 20, and strtod follows the C locale. It fails only where
    // the value is out of range.
    bool inRange = false;
    double value = QByteArray::fromStdString(plain).toDouble(&inRange);
    if (!inRange) {
        // Too large is an overflow; too small to tell from zero is zero. The
        // first significant digit's place tells which: 10^order ≤ |mantissa|.
        const std::string_view mantissa = std::string_view(plain).substr(0, plain.find('e'));
        const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
        const std::size_t first = mantissa.find_first_of("123456789");
        const long order =
            first < point ? static_cast<long>(point - first) : -static_cast<long>(first - point);
        if (order + exponent > 0)
            throw RuntimeError(ErrorKind::Overflow);
        value = 0.0;
    }
    return negative ? -value : value;
}

std::string numberToText(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError(ErrorKind::Overflow);
    if (value == 0.0)
        return " 0"; // -0 too
    const bool negative = std::signbit(value);

    // 15 significant digits, rounded from the exact binary value: d.dddddddddddddde±x.
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, 14);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = scientific.find('e');
    std::string digits;
    digits.push_back(scientific[0]);
    digits.append(scientific.substr(2, e - 2));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = std::atoi(std::string(scientific.substr(e + 1)).c_str());

    std::string out(negative ? "-" : " ");
    if (exponent >= 15 || exponent < -4) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += exponent < 0 ? "E-" : "E+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            out += '0';
        out += std::to_string(magnitude);
    } else if (exponent < 0) {
        out += '.';
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits;
            out.append(whole - digits.size(), '0');
        } else {
            out.append(digits, 0, whole);
            out += '.';
            out.append(digits, whole);
        }
    }
    return out;
}

} // namespace tarquel
