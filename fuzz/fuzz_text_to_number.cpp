// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

// Any text either reads as a finite number, the same every time and as the
// C library reads it, or fails with exactly a type mismatch or an overflow.

#include "plotting/number_text.h"
#include "plotting/runtime_error.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

using namespace tarquel;

namespace {

struct Outcome {
    std::optional<double> value;
    std::optional<ErrorKind> failure;
};

Outcome convert(const std::string& text, const char* separator)
{
    try {
        return {textToNumber(text, separator), std::nullopt};
    } catch (const RuntimeError& error) {
        return {std::nullopt, error.kind()};
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the locale's separator.
    const char* separator = (data[0] & 1) ? "," : ".";
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    const Outcome first = convert(text, separator);
    const Outcome second = convert(text, separator);
    if (first.value.has_value() == first.failure.has_value())
        std::abort(); // exactly one of a number and a failure
    if (first.value) {
        if (!second.value || std::bit_cast<std::uint64_t>(*first.value) !=
                                 std::bit_cast<std::uint64_t>(*second.value))
            std::abort();
        if (!std::isfinite(*first.value))
            std::abort();
        if (text.find_first_of("0123456789") == std::string::npos)
            std::abort(); // a number always has a digit
    } else if (second.failure != first.failure) {
        std::abort();
    }

    // Differential check against strtod (the C locale: nothing here calls
    // setlocale) for texts with the point separator.
    if (separator[0] == '.' && text.find('\0') == std::string::npos) {
        errno = 0;
        char* end = nullptr;
        const double reference = std::strtod(text.c_str(), &end);
        const bool overflow = errno == ERANGE && std::isinf(reference);
        if (first.value && !overflow && *first.value != reference)
            std::abort();
        if (first.failure == ErrorKind::Overflow && !overflow)
            std::abort();
        if (first.value && overflow)
            std::abort();
    }
    return 0;
}
