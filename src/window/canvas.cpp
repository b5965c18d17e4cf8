// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/canvas.h"

#include "window/clip.h"
#include "window/layout.h"

#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tarquel {

Canvas::Canvas(int widthTwips, int heightTwips, QWidget* parent) : QWidget(parent)
{
    setFixedSize(layout::pixels(widthTwips), layout::pixels(heightTwips));
    setAttribute(Qt::WA_OpaquePaintEvent);
    adoptRatio(devicePixelRatioF());
    clear();
}

Canvas::~Canvas() = default;

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
    endPainting();
    ratio_ = ratio;
    image_ = image_.isNull() ? QImage(device, QImage::Format_RGB32)
                             : image_.scaled(device, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    update();
}

void Canvas::clear()
{
    endPainting();
    image_.fill(toQColor(layout::kBackground));
    // A swap, not clear(): the memory of a long record goes too.
    std::vector<Drawing>().swap(drawings_);
    changed();
}

void Canvas::drawLine(float x1, float y1, float x2, float y2, Colour colour)
{
    if (keepDrawings_)
        drawings_.push_back({Drawing::Kind::Line, x1, y1, x2, y2, colour});
    segment(x1, y1, x2, y2, toQColor(colour).rgb());
    changed();
}

void Canvas::drawBox(float x1, float y1, float x2, float y2, Colour colour)
{
    if (keepDrawings_)
        drawings_.push_back({Drawing::Kind::Box, x1, y1, x2, y2, colour});
    const QRgb rgb = toQColor(colour).rgb();
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        // Only the edges with finite ends are drawn.
        segment(x1, y1, x2, y1, rgb);
        segment(x2, y1, x2, y2, rgb);
        segment(x2, y2, x1, y2, rgb);
        segment(x1, y2, x1, y1, rgb);
    } else {
        // The four edges' pixels, each corner mapped once: clamped to one
        // pixel beyond the image as the edges would be clipped, then
        // floored. A box one pixel wide (most of Integrate's) is one column.
        const auto pixel = [this](double t, int extent) {
            const double device = t * ratio_ / layout::kTwipsPerPixel;
            return static_cast<int>(std::floor(std::clamp(device, -1.0, extent + 1.0)));
        };
        const int left = pixel(x1, image_.width());
        const int right = pixel(x2, image_.width());
        const int top = pixel(y1, image_.height());
        const int bottom = pixel(y2, image_.height());
        fill(left, top, right, top, rgb);
        if (top != bottom)
            fill(left, bottom, right, bottom, rgb);
        fill(left, top, left, bottom, rgb);
        if (left != right)
            fill(right, top, right, bottom, rgb);
    }
    changed();
}

void Canvas::setControlLines(std::vector<QLineF> twips, QColor colour)
{
    controlLines_ = std::move(twips);
    controlColour_ = colour;
    update();
}

// One repaint is asked for however many drawings follow it; a hidden canvas
// asks every time, at no cost, so that it is repainted once shown.
void Canvas::changed()
{
    if (updatePending_)
        return;
    update();
    updatePending_ = isVisible();
}

void Canvas::endPainting() { painter_.reset(); }

bool Canvas::event(QEvent* event)
{
    if (event->type() == QEvent::ScreenChangeInternal && followsScreen_)
        adoptRatio(devicePixelRatioF());
    return QWidget::event(event);
}

void Canvas::paintEvent(QPaintEvent* /*event*/)
{
    updatePending_ = false;
    endPainting();
    if (followsScreen_)
        adoptRatio(devicePixelRatioF());
    // The axis lines go over the drawings by the same rule, in device
    // pixels; the picture is then laid 1:1 onto the device.
    QImage shown = image_.copy();
    std::swap(shown, image_);
    for (const QLineF& l : controlLines_)
        segment(l.x1(), l.y1(), l.x2(), l.y2(), controlColour_.rgb());
    endPainting();
    std::swap(shown, image_);
    shown.setDevicePixelRatio(ratio_);
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), shown);
}

// Rasterises one segment given in twips: solid, one pixel, not antialiased,
// both end pixels included. Clipped in double precision first, so that the
// rasteriser only ever sees pixel coordinates near the image.
void Canvas::segment(double x1, double y1, double x2, double y2, QRgb colour)
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
    if (from.x() != to.x() && from.y() != to.y()) {
        if (!painter_) {
            painter_ = std::make_unique<QPainter>(&image_);
            painterColour_ = ~colour; // a new painter's pen is not ours yet
        }
        if (painterColour_ != colour) {
            painter_->setPen(QPen(QColor::fromRgb(colour), 0));
            painterColour_ = colour;
        }
        painter_->drawLine(from, to);
        return;
    }
    fill(from.x(), from.y(), to.x(), to.y(), colour);
}

// Sets the pixels of the rectangle with these corners (a row or a column,
// as the rasteriser would set them, both ends included) where it lies on the
// image.
void Canvas::fill(int x1, int y1, int x2, int y2, QRgb colour)
{
    const int left = std::max(std::min(x1, x2), 0);
    const int right = std::min(std::max(x1, x2), image_.width() - 1);
    const int top = std::max(std::min(y1, y2), 0);
    const int bottom = std::min(std::max(y1, y2), image_.height() - 1);
    if (left > right || top > bottom)
        return;
    uchar* const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (int y = top; y <= bottom; ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
        std::fill(row + left, row + right + 1, colour);
    }
}

} // namespace tarquel
