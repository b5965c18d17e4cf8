#pragma once

#include "window/window_services.h"

#include <QImage>
#include <QLineF>
#include <QWidget>

#include <vector>

namespace tarquel {

inline QColor toQColor(Colour c) { return {c.red, c.green, c.blue}; }

// The client area: persistent graphics on a backing image at the screen's
// resolution, with the axis lines painted over them. Coordinates are twips,
// 15 to a logical pixel; at r device pixels to a logical one, twip t falls
// in device pixel floor(t·r/15), and every line is one device pixel wide.
class Canvas : public QWidget {
    Q_OBJECT

public:
    Canvas(int widthTwips, int heightTwips, QWidget* parent = nullptr);

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

    // Line controls, painted over the drawings; they are not erased by clear().
    void setControlLines(std::vector<QLineF> twips, QColor colour);

    // The drawings alone, without controls, in device pixels.
    [[nodiscard]] const QImage& image() const { return image_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void adoptRatio(qreal ratio);
    void segment(QPainter& painter, double x1, double y1, double x2, double y2) const;

    qreal ratio_ = 1.0;
    bool followsScreen_ = true;
    QImage image_; // device pixels, drawn at ratio_
    std::vector<QLineF> controlLines_;
    QColor controlColour_;
};

} // namespace tarquel
