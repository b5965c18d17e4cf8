// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include "plotting/window_services.h"
#include "window/commands.h"
#include "window/fonts.h"
#include "window/picture_description.h"

#include <QLineF>
#include <QMainWindow>

#include <deque>
#include <string>
#include <vector>

class QAction;
class QLabel;

namespace tarquel {

class Canvas;
class RuntimeError;

// The one window: the axes, three labels and the menu, and the window
// services that the commands draw through.
class FrmTarquel : public QMainWindow, public WindowServices {
    Q_OBJECT

public:
    explicit FrmTarquel(QWidget* parent = nullptr);

    // Window services.
    void cls() override;
    void line(float x1, float y1, float x2, float y2, Colour colour) override;
    void box(float x1, float y1, float x2, float y2, Colour colour) override;
    [[nodiscard]] float axisEnd(AxisLine line, EndPoint end) const override;
    void setResultText(std::string_view text) override;
    std::string inputBox(std::string_view prompt) override;

    // Runs a command to its end; a failure abandons it and is shown in a
    // modal message. The drawing area's description then says what the
    // picture shows.
    void run(Command command);
    // A menu choice: the command starts once the choice's own call has
    // returned (so an assistive tool or a script that chose it gets its
    // answer at once, even when the command opens prompts), and after any
    // command still running has ended: one at a time, in order.
    void choose(Command command);

    [[nodiscard]] Canvas& canvas() const { return *canvas_; }
    [[nodiscard]] QLabel& lblResult() const { return *lblResult_; }
    // The client area as the window shows it: drawings, axes and labels, in
    // device pixels at the client area's ratio.
    [[nodiscard]] QImage grabClientArea() const;

private:
    void buildMenu();
    void showFailure(const RuntimeError& failure);
    void runChosen();

    Canvas* canvas_ = nullptr;
    QLabel* lblResult_ = nullptr;
    std::deque<Command> chosen_;
    bool running_ = false;
    // What the running command did, for the description.
    bool cleared_ = false;
    int lines_ = 0;
    int boxes_ = 0;
    std::vector<std::string> typed_;
    PictureDescription description_;
};

// The axis lines of the layout, in twips, as the canvas paints them over the
// drawings.
std::vector<QLineF> axisLines();

// Where a window with the frame `frame` goes on a screen whose free area is
// `available`: where it stands when the whole of it fits; otherwise moved,
// never resized, until it does, its top-left corner kept on the screen
// first (a window larger than the screen shows its menu and caption).
QPoint placedOnScreen(const QRect& frame, const QRect& available);

} // namespace tarquel
