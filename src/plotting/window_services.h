// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarquel {

// Colours are the window's own 24-bit values, named by the commands as the
// platform's colour constructor names them, so that the maths never needs a
// toolkit's colour type.
struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(Colour, Colour) = default;
};

constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return Colour{red, green, blue};
}

enum class AxisLine { linXax, linYax };
enum class EndPoint { X1, Y1 };

// The window as the commands see it, and all of it: an interface, so that
// the commands run against the real window and against a recorder in the
// tests alike, and know no toolkit. Coordinates are twips from the top-left
// corner of the client area, y growing downwards, as singles, because that
// is what the window's drawing calls take. Texts are UTF-8.
class WindowServices {
public:
    virtual ~WindowServices() = default;

    // Erases the drawings; the controls and their captions are not drawings.
    virtual void cls() = 0;
    // Both end points are part of the segment, which is one pixel wide.
    virtual void line(float x1, float y1, float x2, float y2, Colour colour) = 0;
    // The outline only; a box of no size still shows as a line or a point.
    virtual void box(float x1, float y1, float x2, float y2, Colour colour) = 0;
    // Read afresh by every command: the axes are controls of the window.
    [[nodiscard]] virtual float axisEnd(AxisLine line, EndPoint end) const = 0;
    virtual void setResultText(std::string_view text) = 0;
    // Modal: returns when the user has answered. Cancel answers "", as an
    // empty entry does, so a command cannot tell the two apart.
    virtual std::string inputBox(std::string_view prompt) = 0;

protected:
    WindowServices() = default;
    WindowServices(const WindowServices&) = default;
    WindowServices& operator=(const WindowServices&) = default;
};

} // namespace tarquel
