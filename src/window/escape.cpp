// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/escape.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace tarquel {

namespace {

// The length of the UTF-8 sequence at the front of `bytes` and its code
// point; 0 when it is not a valid, shortest-form sequence.
std::size_t decode(std::string_view bytes, char32_t& point)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) {
        point = lead;
        return 1;
    }
    std::size_t length = 0;
    std::uint8_t low = 0x80; // the second byte's range, narrowed for the
    std::uint8_t high = 0xBF; // leads that would allow overlong forms
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        point = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        point = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        point = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u)
            return 0;
        point = (point << 6) | (byte(i) & 0x3Fu);
    }
    return length;
}

bool changesDirection(char32_t c)
{
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

} // namespace

std::string printable(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    std::array<char, 16> escape{};
    while (!bytes.empty()) {
        char32_t point = 0;
        const std::size_t length = decode(bytes, point);
        if (length == 0 || point < 0x20 || (point >= 0x7F && point <= 0x9F)) {
            // A control's code point, or the stray byte itself.
            const unsigned value = length == 0 ? static_cast<std::uint8_t>(bytes[0]) : point;
            std::snprintf(escape.data(), escape.size(), "\\x%02x", value);
            out += escape.data();
        } else if (changesDirection(point)) {
            std::snprintf(escape.data(), escape.size(), "\\u%04x", static_cast<unsigned>(point));
            out += escape.data();
        } else {
            out += bytes.substr(0, length);
        }
        bytes.remove_prefix(length == 0 ? 1 : length);
    }
    return out;
}

} // namespace tarquel
