#include "window/canvas.h"

#include "window/layout.h"

#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tarquel {

namespace {

double clamp(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Cuts the segment to the rectangle [lo, hi] on both axes; returns false
// when no part of it lies inside. Axis-parallel segments (every box edge)
// are cut exactly by clamping, at any distance. Others go through
// Liang–Barsky, which is exact to the pixel for coordinates of any sensible
// size and still ends at once, somewhere near the true line, for absurd ones.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, double xLo, double yLo, double xHi,
                 double yHi)
{
    if (x1 == x2 || y1 == y2) {
        if (std::max(x1, x2) < xLo || std::min(x1, x2) > xHi || std::max(y1, y2) < yLo ||
            std::min(y1, y2) > yHi)
            return false;
        x1 = clamp(x1, xLo, xHi);
        x2 = clamp(x2, xLo, xHi);
        y1 = clamp(y1, yLo, yHi);
        y2 = clamp(y2, yLo, yHi);
        return true;
    }
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - xLo, xHi - x1, y1 - yLo, yHi - y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return false; // parallel to this edge and outside it
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0) {
            if (t > t1)
                return false;
            if (t > t0)
                t0 = t;
        } else {
            if (t < t0)
                return false;
            if (t < t1)
                t1 = t;
        }
    }
    const double ox = x1;
    const double oy = y1;
    if (t1 < 1.0) {
        x2 = ox + t1 * dx;
        y2 = oy + t1 * dy;
    }
    if (t0 > 0.0) {
        x1 = ox + t0 * dx;
        y1 = oy + t0 * dy;
    }
    return true;
}

} // namespace

Canvas::Canvas(int widthTwips, int heightTwips, QWidget* parent) : QWidget(parent)
{
    setFixedSize(layout::pixels(widthTwips), layout::pixels(heightTwips));
    setAttribute(Qt::WA_OpaquePaintEvent);
    adoptRatio(devicePixelRatioF());
    clear();
}

void Canvas::setPixelRatio(qreal ratio)
{
    followsScreen_ = false;
    adoptRatio(ratio);
}

void Canvas::adoptRatio(qreal ratio)
{
    const QSize device(qCeil(width() * ratio), qCeil(height() * ratio));
    if (ratio == ratio_ && image_.size() == device)
        return;
    ratio_ = ratio;
    image_ = image_.isNull() ? QImage(device, QImage::Format_RGB32)
                             : image_.scaled(device, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    update();
}

void Canvas::clear()
{
    image_.fill(toQColor(layout::kBackground));
    update();
}

void Canvas::drawLine(float x1, float y1, float x2, float y2, Colour colour)
{
    QPainter painter(&image_);
    painter.setPen(QPen(toQColor(colour), 0));
    segment(painter, x1, y1, x2, y2);
    update();
}

void Canvas::drawBox(float x1, float y1, float x2, float y2, Colour colour)
{
    QPainter painter(&image_);
    painter.setPen(QPen(toQColor(colour), 0));
    segment(painter, x1, y1, x2, y1);
    segment(painter, x2, y1, x2, y2);
    segment(painter, x2, y2, x1, y2);
    segment(painter, x1, y2, x1, y1);
    update();
}

void Canvas::setControlLines(std::vector<QLineF> twips, QColor colour)
{
    controlLines_ = std::move(twips);
    controlColour_ = colour;
    update();
}

bool Canvas::event(QEvent* event)
{
    if (event->type() == QEvent::ScreenChangeInternal && followsScreen_)
        adoptRatio(devicePixelRatioF());
    return QWidget::event(event);
}

void Canvas::paintEvent(QPaintEvent* /*event*/)
{
    if (followsScreen_)
        adoptRatio(devicePixelRatioF());
    // The axis lines go over the drawings by the same rule, in device
    // pixels; the picture is then laid 1:1 onto the device.
    QImage shown = image_.copy();
    {
        QPainter controls(&shown);
        controls.setPen(QPen(controlColour_, 0));
        for (const QLineF& l : controlLines_)
            segment(controls, l.x1(), l.y1(), l.x2(), l.y2());
    }
    shown.setDevicePixelRatio(ratio_);
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), shown);
}

// Rasterises one segment given in twips: solid, one pixel, not antialiased,
// both end pixels included. Clipped in double precision first, so that the
// rasteriser only ever sees pixel coordinates near the image.
void Canvas::segment(QPainter& painter, double x1, double y1, double x2, double y2) const
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    // t·r first, then the division: at r = 1 exactly t/15.
    const double perPixel = layout::kTwipsPerPixel;
    x1 = x1 * ratio_ / perPixel;
    y1 = y1 * ratio_ / perPixel;
    x2 = x2 * ratio_ / perPixel;
    y2 = y2 * ratio_ / perPixel;
    // One pixel of margin keeps the slope of a line that leaves the image.
    if (!clipSegment(x1, y1, x2, y2, -1.0, -1.0, image_.width() + 1.0, image_.height() + 1.0))
        return;
    const QPoint from(static_cast<int>(std::floor(x1)), static_cast<int>(std::floor(y1)));
    const QPoint to(static_cast<int>(std::floor(x2)), static_cast<int>(std::floor(y2)));
    painter.drawLine(from, to);
}

} // namespace tarquel
