#pragma once

#include "window/window_services.h"

#include <QImage>
#include <QLineF>
#include <QWidget>

#include <vector>

namespace tarquel {

inline QColor toQColor(Colour c) { return {c.red, c.green, c.blue}; }

// The client area: persistent graphics on a backing image, with the axis
// lines painted over them. Coordinates are twips, 15 to a pixel; a pixel
// shows the twips that fall inside it.
class Canvas : public QWidget {
    Q_OBJECT

public:
    Canvas(int widthTwips, int heightTwips, QWidget* parent = nullptr);

    void clear();
    void drawLine(float x1, float y1, float x2, float y2, Colour colour);
    void drawBox(float x1, float y1, float x2, float y2, Colour colour);

    // Line controls, painted over the drawings; they are not erased by clear().
    void setControlLines(std::vector<QLineF> twips, QColor colour);

    // The drawings alone, without controls.
    [[nodiscard]] const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void segment(QPainter& painter, double x1, double y1, double x2, double y2) const;

    QImage image_;
    std::vector<QLineF> controlLines_;
    QColor controlColour_;
};

} // namespace tarquel
