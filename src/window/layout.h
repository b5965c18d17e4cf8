// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include "plotting/window_services.h"
#include "window/commands.h"

#include <array>
#include <string_view>

namespace tarquel::layout {

// The window is built from this table, not from code, so that its design
// (in twips, the unit the design was drawn in; pixels are derived) reads in
// one place and the tests check the window against the same rows.
inline constexpr std::string_view kFormName = "frmTarquel";
inline constexpr std::string_view kCaption = "쉬운 수치 적분의 예";
inline constexpr int kClientWidth = 9060;
inline constexpr int kClientHeight = 4185;
inline constexpr int kStoredLeft = 1230;
inline constexpr int kStoredTop = 1890;
inline constexpr int kTwipsPerPixel = 15; // 1440 twips an inch at 96 dots an inch
inline constexpr Colour kBackground = rgb(255, 255, 255);
inline constexpr Colour kLineColour = rgb(0, 0, 0); // the window-text colour
inline constexpr std::string_view kFontFamily = "System";
inline constexpr double kFontPointSize = 9.75;

struct Label {
    std::string_view name;
    std::string_view caption;
    Colour background;
    int left, top, width, height;
};

inline constexpr std::array<Label, 3> kLabels{{
    {"lblResult", "", rgb(128, 255, 255), 7320, 2760, 1455, 495},
    {"lblY", "Y", rgb(255, 255, 255), 2160, 480, 375, 255},
    {"lblX", "X", rgb(255, 255, 255), 5520, 2400, 375, 255},
}};

struct Line {
    std::string_view name;
    AxisLine id;
    float x1, y1, x2, y2;
};

inline constexpr std::array<Line, 2> kLines{{
    {"linXax", AxisLine::linXax, 840, 2280, 5520, 2280},
    {"linYax", AxisLine::linYax, 2400, 720, 2400, 3840},
}};

// The menu in the order it shows. A row names the command it runs, so that
// routing needs no comparison of names; a top-level row with no rows below
// it is a plain item (End).
struct MenuEntry {
    std::string_view name;
    std::string_view caption;
    bool topLevel;
    Command command;
};

inline constexpr std::array<MenuEntry, 7> kMenu{{
    {"mnuSin", "Sin", true, Command::None},
    {"mnuSiDisp", "Display", false, Command::SinDisplay},
    {"mnuSinIn", "Integrate", false, Command::SinIntegrate},
    {"mnuTan", "Tan", true, Command::None},
    {"mnuTaDisp", "Display", false, Command::None},
    {"mnuTanIn", "Integrate", false, Command::None},
    {"mnuEnd", "End", true, Command::None},
}};

// Every position and size of the table is a whole number of pixels, so the
// controls stand exactly where the design puts them.
constexpr int pixels(int twips) { return twips / kTwipsPerPixel; }

// The commands name the axes by id; the window answers from their rows.
const Line& line(AxisLine id);

} // namespace tarquel::layout
