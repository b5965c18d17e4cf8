// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include "plotting/window_services.h"

#include <QImage>
#include <QLineF>
#include <QWidget>

#include <memory>
#include <span>
#include <vector>

class QPainter;

namespace tarquel {

inline QColor toQColor(Colour c) { return {c.red, c.green, c.blue}; }

// One drawing call as the window received it: the vector picture is made
// from these, at the exact singles of each call.
struct Drawing {
    enum class Kind { Line, Box };
    Kind kind;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Colour colour{};
};

// The client area, and the one owner of its picture: the persistent
// drawings on a backing image at the screen's resolution, from which every
// repaint and every export is made, with the axis lines painted over them.
// Coordinates are twips, 15 to a logical pixel; at r device pixels to a
// logical one, twip t falls in device pixel floor(t·r/15), and every line
// is one device pixel wide.
class Canvas : public QWidget {
    Q_OBJECT

public:
    Canvas(int widthTwips, int heightTwips, QWidget* parent = nullptr);
    ~Canvas() override;

    // Device pixels to a logical pixel. It follows the screen, also when the
    // window moves to another one, unless it has been fixed (a batch picture,
    // a test): then it stays whatever the screen says. A change keeps the
    // picture, rescaled; later drawings are sharp at the new ratio.
    [[nodiscard]] qreal pixelRatio() const { return ratio_; }
    void setPixelRatio(qreal ratio);
    // The client area's size in device pixels.
    [[nodiscard]] QSize deviceSize() const { return image_.size(); }

    void clear();
    void drawLine(float x1, float y1, float x2, float y2, Colour colour);
    void drawBox(float x1, float y1, float x2, float y2, Colour colour);

    // The calls since the last clear are kept only for a picture in vector
    // form: a window or a batch without one runs in memory that does not
    // grow however many commands it runs.
    void keepDrawings() { keepDrawings_ = true; }
    [[nodiscard]] std::span<const Drawing> drawings() const { return drawings_; }

    // Line controls, painted over the drawings; they are not erased by clear().
    void setControlLines(std::vector<QLineF> twips, QColor colour);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void adoptRatio(qreal ratio);
    void segment(double x1, double y1, double x2, double y2, QRgb colour);
    void fill(int x1, int y1, int x2, int y2, QRgb colour);
    void changed();
    void endPainting();

    qreal ratio_ = 1.0;
    bool followsScreen_ = true;
    QImage image_; // device pixels, drawn at ratio_
    // Slanted segments go through one painter, opened at the first of them
    // and closed before the image is next read, so a command of thousands of
    // segments pays for one; axis-parallel ones are written as spans.
    std::unique_ptr<QPainter> painter_;
    QRgb painterColour_ = 0;
    bool updatePending_ = false;
    bool keepDrawings_ = false;
    std::vector<Drawing> drawings_;
    std::vector<QLineF> controlLines_;
    QColor controlColour_;
};

} // namespace tarquel
