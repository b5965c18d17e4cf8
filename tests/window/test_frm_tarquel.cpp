// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "dialog_driver.h"
#include "window/canvas.h"
#include "window/frm_tarquel.h"
#include "window/layout.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QtMath>

#include <cmath>

using namespace tarquel;
using tarquel::testing::DialogDriver;

namespace {

const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

// A menu choice, and the command it starts, run to its end.
void choose(FrmTarquel& form, const char* name)
{
    form.findChild<QAction*>(name)->trigger();
    QCoreApplication::processEvents();
}

// The drawings alone, in device pixels: the canvas rendered without its
// labels and with its axis lines lifted for the moment.
QImage drawingsOf(FrmTarquel& form)
{
    Canvas& canvas = form.canvas();
    canvas.setControlLines({}, QColor());
    QImage image(canvas.deviceSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(canvas.pixelRatio());
    canvas.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    canvas.setControlLines(axisLines(), toQColor(layout::kLineColour));
    image.setDevicePixelRatio(1.0);
    return image;
}

// Rows of the pixels of one colour in a column.
QList<int> rowsOf(const QImage& image, int column, const QColor& colour)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixelColor(column, y) == colour)
            rows << y;
    return rows;
}

// Columns that hold at least one pixel of the colour.
QList<int> columnsOf(const QImage& image, const QColor& colour)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        if (!rowsOf(image, x, colour).isEmpty())
            columns << x;
    return columns;
}

} // namespace

class TestFrmTarquel : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        form_ = std::make_unique<FrmTarquel>();
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    void cleanup() { form_.reset(); }

    void startsWithAxesAndLabels()
    {
        const QImage shown = form_->grabClientArea();
        for (int x = 56; x <= 368; ++x)
            QCOMPARE(shown.pixelColor(x, 152), kBlack);
        // lblY is painted over the axis's top pixel.
        for (int y = 49; y <= 256; ++y)
            QCOMPARE(shown.pixelColor(160, y), kBlack);
        QCOMPARE(shown.pixelColor(55, 152), kWhite);
        // lblResult: an empty cyan rectangle without a border.
        for (const QPoint p : {QPoint(488, 184), QPoint(584, 216), QPoint(530, 200)})
            QCOMPARE(shown.pixelColor(p), QColor(128, 255, 255));
        QCOMPARE(shown.pixelColor(487, 184), kWhite);
        QCOMPARE(shown.pixelColor(585, 217), kWhite);
        QVERIFY(columnsOf(shown, kGreen).isEmpty());
    }

    void displayDrawsOneGreenCurve()
    {
        choose(*form_, "mnuSiDisp");
        const QImage shown = form_->grabClientArea();
        // A connected curve across the axis, from x = −pi to 2pi.
        const QList<int> columns = columnsOf(drawingsOf(*form_), kGreen);
        QCOMPARE(columns.front(), 56);
        QCOMPARE(columns.back(), 368);
        QVERIFY(columns.size() > 300);
        // Extremes on rows 2280 ± 497 twips: pixel rows 118 and 185.
        int top = shown.height(), bottom = 0;
        for (int x : columns) {
            top = std::min(top, int(rowsOf(drawingsOf(*form_), x, kGreen).front()));
            bottom = std::max(bottom, int(rowsOf(drawingsOf(*form_), x, kGreen).back()));
        }
        QCOMPARE(top, 1783 / 15);
        QCOMPARE(bottom, 2777 / 15);
        // Value 1 at x = pi/2 (column 212) is above the axis; −1 at −pi/2 below.
        QVERIFY(rowsOf(shown, 212, kGreen).contains(118));
        QVERIFY(rowsOf(shown, 108, kGreen).contains(185));
        // The axes are painted over the curve.
        QCOMPARE(shown.pixelColor(160, 152), kBlack);

        choose(*form_, "mnuSiDisp");
        QCOMPARE(form_->grabClientArea(), shown);
    }

    void clsErasesDrawingsButNotTheCaption()
    {
        const QImage blank = form_->grabClientArea();
        choose(*form_, "mnuSiDisp");
        form_->setResultText("계산결과  1.999");
        form_->cls();
        QVERIFY(columnsOf(drawingsOf(*form_), kGreen).isEmpty());
        QCOMPARE(form_->lblResult().text(), QStringLiteral("계산결과  1.999"));
        form_->setResultText("");
        QCOMPARE(form_->grabClientArea(), blank);
    }

    void integrateThroughTheRealPrompts()
    {
        choose(*form_, "mnuSiDisp");
        DialogDriver driver({QStringLiteral("0"), QStringLiteral("3.141592")});
        choose(*form_, "mnuSinIn");
        QCOMPARE(driver.prompts,
                 QStringList({QStringLiteral("하한 값은?(단 > - Pi) "),
                              QStringLiteral("또 상한값은?(단 < 2*Pi 보다 큰값)")}));
        QCOMPARE(driver.titles, QStringList(2, QApplication::applicationName()));
        QVERIFY(driver.messages.isEmpty());
        QCOMPARE(form_->lblResult().text(), QStringLiteral("계산결과  1.999"));

        const QImage drawn = drawingsOf(*form_);
        // A solid blue region between the axis and the curve from 0 to pi.
        QCOMPARE(columnsOf(drawn, kBlue).front(), 160);
        QCOMPARE(columnsOf(drawn, kBlue).back(), 264);
        const QList<int> middle = rowsOf(drawn, 212, kBlue);
        QCOMPARE(middle.front(), 118);
        QCOMPARE(middle.back(), 152);
        QCOMPARE(middle.size(), 152 - 118 + 1);
        // The curve stays where no box covers it.
        QVERIFY(!rowsOf(drawn, 108, kGreen).isEmpty());
        QVERIFY(!rowsOf(drawn, 300, kGreen).isEmpty());

        // The drawing area says what it shows, in the window's language.
        QCOMPARE(form_->canvas().accessibleName(), QStringLiteral("그래프"));
        QCOMPARE(form_->canvas().accessibleDescription(),
                 QStringLiteral("좌표축: 가로 x는 -π부터 2π까지, 세로 y는 -π부터 π까지. "
                                "사인 곡선 y = sin x가 -π부터 2π까지 초록색으로 그려져 있습니다. "
                                "0부터 3.141592까지 적분한 파란 상자 2000개가 그려져 있습니다."));

        // Display afterwards erases the boxes and keeps the caption.
        choose(*form_, "mnuSiDisp");
        QVERIFY(columnsOf(drawingsOf(*form_), kBlue).isEmpty());
        QCOMPARE(form_->lblResult().text(), QStringLiteral("계산결과  1.999"));
    }

    // A choice returns before its command starts; a second choice made
    // meanwhile runs after the first command has ended, prompts and all.
    void choicesRunOneAtATimeAfterTheirCallReturns()
    {
        DialogDriver driver({QStringLiteral("0"), QStringLiteral("3.141592")});
        form_->findChild<QAction*>("mnuSinIn")->trigger();
        QVERIFY(driver.prompts.isEmpty());
        form_->findChild<QAction*>("mnuSiDisp")->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(driver.prompts.size(), 2);
        QCOMPARE(form_->lblResult().text(), QStringLiteral("계산결과  1.999"));
        QVERIFY(columnsOf(drawingsOf(*form_), kBlue).isEmpty());
        QVERIFY(!columnsOf(drawingsOf(*form_), kGreen).isEmpty());
        QVERIFY(!form_->canvas().accessibleDescription().contains(QStringLiteral("적분")));
    }

    void equalBoundsDrawAVerticalLine()
    {
        DialogDriver driver({QStringLiteral("1"), QStringLiteral("1")});
        choose(*form_, "mnuSinIn");
        QCOMPARE(form_->lblResult().text(), QStringLiteral("계산결과  0"));
        const int column = int(840 + std::floor((1 + 3.141592) * 1560 / 3.141592)) / 15;
        const int curveRow = int(std::nearbyint(2280 - std::sin(1.0) * 1560 / 3.141592)) / 15;
        const QImage drawn = drawingsOf(*form_);
        QCOMPARE(columnsOf(drawn, kBlue), QList<int>{column});
        QCOMPARE(rowsOf(drawn, column, kBlue).front(), curveRow);
        QCOMPARE(rowsOf(drawn, column, kBlue).back(), 152);
    }

    // Cancel on the first prompt still shows the second; the type mismatch
    // is reported in a modal message and the window goes on unchanged.
    void failureIsReportedAndChangesNothing_data()
    {
        QTest::addColumn<std::optional<QString>>("lower");
        QTest::addColumn<std::optional<QString>>("upper");
        QTest::newRow("cancel first") << std::optional<QString>() << std::optional<QString>("1");
        QTest::newRow("lower not a number")
            << std::optional<QString>("zero") << std::optional<QString>("1");
        QTest::newRow("upper not a number")
            << std::optional<QString>("0") << std::optional<QString>("1 2");
    }

    void failureIsReportedAndChangesNothing()
    {
        QFETCH(std::optional<QString>, lower);
        QFETCH(std::optional<QString>, upper);
        choose(*form_, "mnuSiDisp");
        form_->setResultText("계산결과  .459");
        const QImage before = form_->grabClientArea();
        DialogDriver driver({lower, upper});
        choose(*form_, "mnuSinIn");
        QCOMPARE(driver.prompts.size(), 2);
        QCOMPARE(driver.messages,
                 QStringList{QStringLiteral("Run-time error '13': Type mismatch")});
        QCOMPARE(form_->grabClientArea(), before);
        QVERIFY(form_->isVisible());
    }

    void overflowKeepsTheBoxesDrawnBeforeIt()
    {
        DialogDriver driver({QStringLiteral("0"), QStringLiteral("1e36")});
        choose(*form_, "mnuSinIn");
        QCOMPARE(driver.messages, QStringList{QStringLiteral("Run-time error '6': Overflow")});
        QVERIFY(!columnsOf(drawingsOf(*form_), kBlue).isEmpty());
        QCOMPARE(form_->lblResult().text(), QString());
    }

    // Far outside coordinates are clipped, not handed to the rasteriser.
    void farCoordinatesAreClipped()
    {
        form_->line(-1e7f, -1e7f, 1e7f, 1e7f, rgb(0, 0, 255));
        form_->line(-1e30f, -2e30f, 1e30f, 2e30f, rgb(0, 0, 255)); // ends, wherever it lands
        form_->box(-1e30f, 100.0f, 1e30f, 3e30f, rgb(0, 255, 0));
        form_->line(1e30f, 0.0f, 2e30f, 0.0f, rgb(255, 0, 0));
        const QImage drawn = drawingsOf(*form_);
        QCOMPARE(drawn.pixelColor(100, 100), kBlue);
        QCOMPARE(drawn.pixelColor(0, 0), kBlue);
        // The box's left and right edges lie beyond the window; its top edge
        // crosses the whole width on row 100/15.
        QCOMPARE(rowsOf(drawn, 300, kGreen), QList<int>{6});
        QCOMPARE(rowsOf(drawn, 0, kGreen), (QList<int>{6}));
        QVERIFY(columnsOf(drawn, QColor(255, 0, 0)).isEmpty());
    }

    // At r device pixels to a pixel, twip t falls in device pixel
    // floor(t·r/15): lines stay one device pixel wide and solid, and no box
    // passes the axis row.
    void deviceRatios_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1") << 1.0;
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
    }

    void deviceRatios()
    {
        QFETCH(qreal, ratio);
        const auto ink = [](const QImage& image, const QColor& colour) {
            int n = 0;
            for (int x : columnsOf(image, colour))
                n += int(rowsOf(image, x, colour).size());
            return n;
        };
        choose(*form_, "mnuSiDisp");
        const QImage atOne = drawingsOf(*form_);

        FrmTarquel form;
        form.canvas().setPixelRatio(ratio);
        choose(form, "mnuSiDisp");
        const QImage curve = drawingsOf(form);
        QCOMPARE(curve.size(), QSize(qCeil(604 * ratio), qCeil(279 * ratio)));
        if (ratio == 1.0)
            QCOMPARE(curve, atOne);
        const double growth = double(ink(curve, kGreen)) / ink(atOne, kGreen);
        QVERIFY2(growth > 0.9 * ratio && growth < 1.1 * ratio, qPrintable(QString::number(growth)));

        DialogDriver driver({QStringLiteral("0"), QStringLiteral("3.141592")});
        choose(form, "mnuSinIn");
        const QImage shown = form.grabClientArea();
        QCOMPARE(shown.size(), curve.size());
        // Solid colours only: nothing is antialiased.
        const QImage drawn = drawingsOf(form);
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                const QColor c = drawn.pixelColor(x, y);
                QVERIFY(c == kWhite || c == kGreen || c == kBlue);
            }
        const int axisRow = int(std::floor(2280 * ratio / 15));
        int blue = 0;
        int below = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const bool isBlue = shown.pixelColor(x, y) == kBlue;
                blue += isBlue ? 1 : 0;
                below += isBlue && y > axisRow ? 1 : 0;
            }
        QVERIFY(blue > 0);
        QCOMPARE(below, 0);
        // The axes by the same rule, one device pixel wide.
        const int axisColumn = int(std::floor(2400 * ratio / 15));
        QCOMPARE(shown.pixelColor(axisColumn - 5, axisRow), kBlack);
        QCOMPARE(shown.pixelColor(axisColumn - 5, axisRow + 1), kWhite);
        QCOMPARE(shown.pixelColor(axisColumn, axisRow + 20), kBlack);
        QCOMPARE(shown.pixelColor(axisColumn + 1, axisRow + 20), kWhite);
    }

    void drawingsSurviveHidingAndShowing()
    {
        choose(*form_, "mnuSiDisp");
        DialogDriver driver({QStringLiteral("0"), QStringLiteral("1")});
        choose(*form_, "mnuSinIn");
        const QImage before = form_->grabClientArea();
        form_->showMinimized();
        form_->hide();
        QCoreApplication::processEvents();
        form_->showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        QCOMPARE(form_->grabClientArea(), before);
    }

private:
    std::unique_ptr<FrmTarquel> form_;
};

QTEST_MAIN(TestFrmTarquel)
#include "test_frm_tarquel.moc"
