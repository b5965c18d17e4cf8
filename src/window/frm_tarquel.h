#pragma once

#include "window/window_services.h"

#include <QMainWindow>

#include <functional>

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
    void setResultText(const QString& text) override;
    QString inputBox(const QString& prompt) override;

    // Runs a command to its end; a failure abandons it and is reported.
    void run(const std::function<void(WindowServices&)>& command);
    // How a failure is reported: a modal message unless replaced.
    void setFailureReporter(std::function<void(const RuntimeError&)> reporter);

    [[nodiscard]] Canvas& canvas() const { return *canvas_; }
    [[nodiscard]] QLabel& lblResult() const { return *lblResult_; }
    // The client area as the window shows it: drawings, axes and labels.
    [[nodiscard]] QImage grabClientArea() const;
    // The decimal separator of the user's locale, used to read typed numbers.
    [[nodiscard]] QString decimalSeparator() const { return decimalSeparator_; }

private:
    void buildMenu();
    void showFailure(const RuntimeError& failure);

    Canvas* canvas_ = nullptr;
    QLabel* lblResult_ = nullptr;
    std::function<void(const RuntimeError&)> reportFailure_;
    QString decimalSeparator_;
};

// The font nearest to the design's "System" 9.75 pt bold that has Hangul glyphs.
QFont windowFont();

} // namespace tarquel
