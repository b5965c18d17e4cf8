#pragma once

#include <QString>

#include <compare>
#include <cstdint>
#include <string_view>

namespace tarquel {

// A 24-bit drawing colour.
struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(Colour, Colour) = default;
};

// The colour constructor of the window services.
constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return Colour{red, green, blue};
}

// The system's fixed texts are UTF-8 string views.
inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

enum class AxisLine { linXax, linYax };
enum class EndPoint { X1, Y1 };

// Everything a command may ask of the window. Coordinates are twips from the
// top-left corner of the client area, y growing downwards.
class WindowServices {
public:
    virtual ~WindowServices() = default;

    // Erases every graphic drawn so far; controls and captions stay.
    virtual void cls() = 0;
    // A solid one-pixel segment from (x1, y1) to (x2, y2).
    virtual void line(float x1, float y1, float x2, float y2, Colour colour) = 0;
    // The one-pixel outline of the axis-parallel rectangle with these opposite
    // corners; a zero-sized one comes out as a line or a point.
    virtual void box(float x1, float y1, float x2, float y2, Colour colour) = 0;
    // The current X1 or Y1 of an axis line.
    [[nodiscard]] virtual float axisEnd(AxisLine line, EndPoint end) const = 0;
    // Replaces the caption of lblResult.
    virtual void setResultText(const QString& text) = 0;
    // A modal prompt with an entry field that starts empty; Cancel gives "".
    virtual QString inputBox(const QString& prompt) = 0;

protected:
    WindowServices() = default;
    WindowServices(const WindowServices&) = default;
    WindowServices& operator=(const WindowServices&) = default;
};

} // namespace tarquel
