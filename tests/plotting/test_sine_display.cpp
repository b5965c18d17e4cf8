// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "exact.h"
#include "plotting/real.h"
#include "plotting/sine_display.h"
#include "recording_window.h"

#include <QTest>

#include <algorithm>
#include <cmath>

using namespace tarquel;
using Call = RecordingWindow::Call;

class TestSineDisplay : public QObject {
    Q_OBJECT

private slots:
    void clearsThenDraws3000GreenSegments()
    {
        RecordingWindow window;
        window.resultText = "계산결과  1.999";
        mnuSiDisp_Click(window);
        QCOMPARE(window.calls.size(), std::size_t(3001));
        QVERIFY(window.calls.front().kind == Call::Kind::Cls);
        const auto lines = window.drawn(Call::Kind::Line);
        QCOMPARE(lines.size(), std::size_t(3000));
        for (const Call& c : lines)
            QVERIFY(c.colour == rgb(0, 255, 0));
        QCOMPARE(window.resultText, std::string("계산결과  1.999"));
    }

    void segmentsFollowTheDrawingRules()
    {
        RecordingWindow window;
        mnuSiDisp_Click(window);
        const auto lines = window.drawn(Call::Kind::Line);
        // The first segment starts at the floor of the axis's left end.
        QCOMPARE(exact(lines[0].x1), exact(840.0f));
        QCOMPARE(exact(lines[0].y1), exact(2280.0f));
        for (std::size_t i = 1; i < lines.size(); ++i) {
            // A polyline: each segment starts where the one before ended.
            QCOMPARE(exact(lines[i].x1), exact(lines[i - 1].x2));
            QCOMPARE(exact(lines[i].y1), exact(lines[i - 1].y2));
        }
        for (const Call& c : lines) {
            // Rows are whole twips; columns advance by W/1000 and are not rounded.
            QCOMPARE(c.y2, std::nearbyint(c.y2));
            QVERIFY(c.x2 > c.x1);
        }
        QVERIFY(std::any_of(lines.begin(), lines.end(),
                            [](const Call& c) { return c.x2 != std::floor(c.x2); }));
        // Step 1000 ends on the axis crossing, step 3000 at the right end.
        QCOMPARE(exact(lines[999].x2), exact(2400.0f));
        QCOMPARE(exact(lines[999].y2), exact(2280.0f));
        QCOMPARE(exact(lines[2999].x2), exact(5520.0f));
        QCOMPARE(exact(lines[2999].y2), exact(2280.0f));
        // Extremes 497 twips from the axis: below at steps 500 and 2500,
        // above at step 1500.
        QCOMPARE(exact(lines[499].y2), exact(2280.0f + 497.0f));
        QCOMPARE(exact(lines[1499].y2), exact(2280.0f - 497.0f));
        QCOMPARE(exact(lines[2499].y2), exact(2280.0f + 497.0f));
        const auto [low, high] = std::minmax_element(
            lines.begin(), lines.end(), [](const Call& a, const Call& b) { return a.y2 < b.y2; });
        QCOMPARE(exact(low->y2), exact(1783.0f));
        QCOMPARE(exact(high->y2), exact(2777.0f));
    }

    // Twice gives the same calls again, each run after its own clear.
    void twiceDrawsTheSameCurveAfterAClear()
    {
        RecordingWindow window;
        mnuSiDisp_Click(window);
        mnuSiDisp_Click(window);
        QCOMPARE(window.calls.size(), std::size_t(6002));
        QVERIFY(window.calls[3001].kind == Call::Kind::Cls);
        for (std::size_t i = 1; i <= 3000; ++i) {
            QCOMPARE(exact(window.calls[i].x2), exact(window.calls[i + 3001].x2));
            QCOMPARE(exact(window.calls[i].y2), exact(window.calls[i + 3001].y2));
        }
    }

    void followsAMovedAxis()
    {
        RecordingWindow window;
        window.ends[{AxisLine::linXax, EndPoint::X1}] = 840.75f; // a fractional left end
        window.ends[{AxisLine::linXax, EndPoint::Y1}] = 2280.5f;
        window.ends[{AxisLine::linYax, EndPoint::Y1}] = 3000.0f; // mirrored: below the axis
        mnuSiDisp_Click(window);
        const auto lines = window.drawn(Call::Kind::Line);
        QCOMPARE(exact(lines[0].x1), exact(840.0f));
        QCOMPARE(exact(lines[0].y1), exact(2280.0f));
        // sin = 1 at step 1500 now lies below the axis row.
        QVERIFY(lines[1499].y2 > 2280.5f);
    }

    // A row outside 32 bits abandons the command; what was drawn stays.
    void rowBeyond32BitsOverflowsPartWay()
    {
        RecordingWindow window;
        const float hy = -2147482880.0f; // 768 twips inside the 32-bit range
        window.ends[{AxisLine::linXax, EndPoint::Y1}] = hy;
        window.ends[{AxisLine::linYax, EndPoint::Y1}] = hy - 3141.592f; // about 1000 twips a unit
        try {
            mnuSiDisp_Click(window);
            QFAIL("no overflow");
        } catch (const RuntimeError& failure) {
            QCOMPARE(failure.kind(), ErrorKind::Overflow);
        }
        // Rows pass −2^31 once sin x exceeds 0.768, that is after x ≈ 0.875.
        const std::size_t drawn = window.drawn(Call::Kind::Line).size();
        QVERIFY2(drawn > 1200 && drawn < 1300, qPrintable(QString::number(drawn)));
    }
};

QTEST_APPLESS_MAIN(TestSineDisplay)
#include "test_sine_display.moc"
