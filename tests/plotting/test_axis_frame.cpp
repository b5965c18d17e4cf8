// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "exact.h"
#include "plotting/axis_frame.h"
#include "plotting/real.h"
#include "recording_window.h"

#include <QTest>

using namespace tarquel;

class TestAxisFrame : public QObject {
    Q_OBJECT

private slots:
    void designValues()
    {
        RecordingWindow window;
        const AxisFrame frame = AxisFrame::read(window, WidthPrecision::Double);
        QCOMPARE(exact(frame.hx), exact(840.0f));
        QCOMPARE(exact(frame.hy), exact(2280.0f));
        QCOMPARE(exact(frame.W), exact(1560.0));
        // Both scales are the same, just under 497 twips per unit.
        QCOMPARE(exact(frame.S), exact(1560.0 / 3.141592));
        QVERIFY(frame.S > 496.5 && frame.S < 497.0);
    }

    void readsEndPointsInOrder()
    {
        RecordingWindow window;
        (void)AxisFrame::read(window, WidthPrecision::Single);
        const std::vector<std::pair<AxisLine, EndPoint>> expected{
            {AxisLine::linYax, EndPoint::Y1},
            {AxisLine::linXax, EndPoint::Y1},
            {AxisLine::linXax, EndPoint::X1},
            {AxisLine::linYax, EndPoint::X1},
        };
        QVERIFY(window.reads == expected);
    }

    void movedAxes_data()
    {
        QTest::addColumn<float>("vx");
        QTest::addColumn<float>("vy");
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("S");
        QTest::newRow("design") << 2400.0f << 720.0f << 1560.0 << 1560.0 / kProgramPi;
        QTest::newRow("vertical axis moved right stretches x only")
            << 3000.0f << 720.0f << 2160.0 << 1560.0 / kProgramPi;
        QTest::newRow("top raised stretches y only")
            << 2400.0f << 120.0f << 1560.0 << 2160.0 / kProgramPi;
        QTest::newRow("vertical axis below the horizontal mirrors y")
            << 2400.0f << 3000.0f << 1560.0 << -720.0 / kProgramPi;
        QTest::newRow("vertical axis left of hx mirrors x")
            << 600.0f << 720.0f << -240.0 << 1560.0 / kProgramPi;
        QTest::newRow("flat: vy on the axis row") << 2400.0f << 2280.0f << 1560.0 << 0.0;
        QTest::newRow("one column: vx at hx") << 840.0f << 720.0f << 0.0 << 1560.0 / kProgramPi;
    }

    void movedAxes()
    {
        QFETCH(float, vx);
        QFETCH(float, vy);
        QFETCH(double, W);
        QFETCH(double, S);
        RecordingWindow window;
        window.ends[{AxisLine::linYax, EndPoint::X1}] = vx;
        window.ends[{AxisLine::linYax, EndPoint::Y1}] = vy;
        const AxisFrame frame = AxisFrame::read(window, WidthPrecision::Double);
        QCOMPARE(exact(frame.W), exact(W));
        QCOMPARE(exact(frame.S), exact(S));
    }

    // Display keeps W as a double, Integrate as a single: they part where
    // the difference of the two columns is not a whole single.
    void widthPrecision()
    {
        RecordingWindow window;
        window.ends[{AxisLine::linXax, EndPoint::X1}] = 0.1f;
        window.ends[{AxisLine::linYax, EndPoint::X1}] = 1.0e8f;
        const double difference = double(1.0e8f) - double(0.1f);
        QCOMPARE(exact(AxisFrame::read(window, WidthPrecision::Double).W), exact(difference));
        QCOMPARE(exact(AxisFrame::read(window, WidthPrecision::Single).W),
                 exact(double(float(difference))));
        QVERIFY(double(float(difference)) != difference);
    }

    // The rise is a single: beyond the largest single it is an overflow,
    // never an infinite scale.
    void riseBeyondSingleOverflows()
    {
        RecordingWindow window;
        window.ends[{AxisLine::linXax, EndPoint::Y1}] = 3.0e38f;
        window.ends[{AxisLine::linYax, EndPoint::Y1}] = -3.0e38f;
        try {
            (void)AxisFrame::read(window, WidthPrecision::Double);
            QFAIL("no overflow");
        } catch (const RuntimeError& failure) {
            QCOMPARE(failure.kind(), ErrorKind::Overflow);
        }
    }
};

QTEST_APPLESS_MAIN(TestAxisFrame)
#include "test_axis_frame.moc"
