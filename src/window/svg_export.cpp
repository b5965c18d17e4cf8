// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/svg_export.h"

#include "window/canvas.h"
#include "window/frm_tarquel.h"
#include "window/layout.h"
#include "window/text.h"

#include <QLabel>
#include <QXmlStreamWriter>

#include <charconv>

namespace tarquel {

namespace {

template <typename Number> QString shortest(Number value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

QString hex(Colour c)
{
    return QStringLiteral("#%1%2%3")
        .arg(c.red, 2, 16, QLatin1Char('0'))
        .arg(c.green, 2, 16, QLatin1Char('0'))
        .arg(c.blue, 2, 16, QLatin1Char('0'));
}

void writeLine(QXmlStreamWriter& xml, float x1, float y1, float x2, float y2, Colour colour)
{
    xml.writeEmptyElement(QStringLiteral("line"));
    xml.writeAttribute(QStringLiteral("x1"), shortest(x1));
    xml.writeAttribute(QStringLiteral("y1"), shortest(y1));
    xml.writeAttribute(QStringLiteral("x2"), shortest(x2));
    xml.writeAttribute(QStringLiteral("y2"), shortest(y2));
    xml.writeAttribute(QStringLiteral("stroke"), hex(colour));
}

void writeBox(QXmlStreamWriter& xml, const Drawing& call)
{
    const float left = std::min(call.x1, call.x2);
    const float top = std::min(call.y1, call.y2);
    // Widened before the difference, so the size is exact for whole twips.
    const double width = std::abs(static_cast<double>(call.x2) - call.x1);
    const double height = std::abs(static_cast<double>(call.y2) - call.y1);
    xml.writeEmptyElement(QStringLiteral("rect"));
    xml.writeAttribute(QStringLiteral("x"), shortest(left));
    xml.writeAttribute(QStringLiteral("y"), shortest(top));
    xml.writeAttribute(QStringLiteral("width"), shortest(width));
    xml.writeAttribute(QStringLiteral("height"), shortest(height));
    xml.writeAttribute(QStringLiteral("stroke"), hex(call.colour));
}

// The family the window uses, quoted, then the generic family for a viewer
// that lacks it.
QString fontFamilies(const QFont& font)
{
    QString family = font.family();
    family.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QStringLiteral("'%1', sans-serif").arg(family);
}

} // namespace

QByteArray clientAreaSvg(const FrmTarquel& window)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("svg"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    xml.writeAttribute(QStringLiteral("width"),
                       QString::number(layout::pixels(layout::kClientWidth)));
    xml.writeAttribute(QStringLiteral("height"),
                       QString::number(layout::pixels(layout::kClientHeight)));
    xml.writeAttribute(
        QStringLiteral("viewBox"),
        QStringLiteral("0 0 %1 %2").arg(layout::kClientWidth).arg(layout::kClientHeight));

    xml.writeEmptyElement(QStringLiteral("rect"));
    xml.writeAttribute(QStringLiteral("width"), QString::number(layout::kClientWidth));
    xml.writeAttribute(QStringLiteral("height"), QString::number(layout::kClientHeight));
    xml.writeAttribute(QStringLiteral("fill"), hex(layout::kBackground));

    // Strokes are one pixel wide however the picture is scaled.
    xml.writeStartElement(QStringLiteral("g"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("drawings"));
    xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
    xml.writeAttribute(QStringLiteral("stroke-width"), QStringLiteral("1"));
    xml.writeAttribute(QStringLiteral("vector-effect"), QStringLiteral("non-scaling-stroke"));
    for (const Drawing& call : window.canvas().drawings()) {
        if (call.kind == Drawing::Kind::Line)
            writeLine(xml, call.x1, call.y1, call.x2, call.y2, call.colour);
        else if (call.kind == Drawing::Kind::Box)
            writeBox(xml, call);
    }
    xml.writeEndElement();

    for (const layout::Line& axis : layout::kLines) {
        writeLine(xml, axis.x1, axis.y1, axis.x2, axis.y2, layout::kLineColour);
        xml.writeAttribute(QStringLiteral("id"), fromUtf8(axis.name));
        xml.writeAttribute(QStringLiteral("vector-effect"), QStringLiteral("non-scaling-stroke"));
    }

    const QFont& font = window.font();
    for (const layout::Label& row : layout::kLabels) {
        const QString name = fromUtf8(row.name);
        const auto* control = window.findChild<const QLabel*>(name);
        xml.writeStartElement(QStringLiteral("g"));
        xml.writeAttribute(QStringLiteral("id"), name);
        xml.writeEmptyElement(QStringLiteral("rect"));
        xml.writeAttribute(QStringLiteral("x"), QString::number(row.left));
        xml.writeAttribute(QStringLiteral("y"), QString::number(row.top));
        xml.writeAttribute(QStringLiteral("width"), QString::number(row.width));
        xml.writeAttribute(QStringLiteral("height"), QString::number(row.height));
        xml.writeAttribute(QStringLiteral("fill"), hex(row.background));
        const QString caption = control ? control->text() : QString();
        if (!caption.isEmpty()) {
            // Point size in twips: 20 twips to a point; the first baseline
            // one font size below the label's top edge.
            const double size = font.pointSizeF() * 20.0;
            xml.writeStartElement(QStringLiteral("text"));
            xml.writeAttribute(QStringLiteral("x"), QString::number(row.left));
            xml.writeAttribute(QStringLiteral("y"), shortest(row.top + size));
            xml.writeAttribute(QStringLiteral("font-family"), fontFamilies(font));
            xml.writeAttribute(QStringLiteral("font-size"), shortest(size));
            xml.writeAttribute(QStringLiteral("font-weight"), QStringLiteral("bold"));
            xml.writeAttribute(QStringLiteral("fill"), hex(layout::kLineColour));
            xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            xml.writeCharacters(caption);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }

    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

} // namespace tarquel
