// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "exact.h"
#include "plotting/real.h"
#include "plotting/sine_display.h"
#include "plotting/sine_integrate.h"
#include "recording_window.h"

#include <QTest>

#include <cmath>
#include <optional>

using namespace tarquel;
using Call = RecordingWindow::Call;

Q_DECLARE_METATYPE(std::optional<tarquel::ErrorKind>)

namespace {

const QString kUnchanged = QStringLiteral("unchanged");

std::optional<ErrorKind> integrate(RecordingWindow& window, const QString& lower,
                                   const QString& upper)
{
    window.answers = {lower.toStdString(), upper.toStdString()};
    try {
        mnuSinIn_Click(window);
        return std::nullopt;
    } catch (const RuntimeError& failure) {
        return failure.kind();
    }
}

} // namespace

class TestSineIntegrate : public QObject {
    Q_OBJECT

private slots:
    void captions_data()
    {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("caption");
        // The sum falls just short of 2 and the cut goes down.
        QTest::newRow("0 to pi") << "0"
                                 << "3.141592"
                                 << "계산결과  1.999";
        // Just above −2 in value: the cut lands on −2 itself.
        QTest::newRow("pi to 2pi") << "3.141592"
                                   << "6.283184"
                                   << "계산결과 -2";
        // 1 − cos 1 = .4597: no 0 before the point.
        QTest::newRow("0 to 1") << "0"
                                << "1"
                                << "계산결과  .459";
        // cos 2 − cos 1 = −.9564: the cut goes away from zero, and the
        // 15-digit text hides the product's stray tail.
        QTest::newRow("2 to 1") << "2"
                                << "1"
                                << "계산결과 -.957";
        QTest::newRow("equal bounds") << "1"
                                      << "1"
                                      << "계산결과  0";
        QTest::newRow("symmetric") << "-1"
                                   << "1"
                                   << "계산결과  0";
        QTest::newRow("symmetric, residue below zero") << "-3"
                                                       << "3"
                                                       << "계산결과 -.001";
        QTest::newRow("blanks and exponent, -pi to 2pi") << " -3.141592 "
                                                         << "0.6283184E1"
                                                         << "계산결과 -2";
        QTest::newRow("outside -pi to 2pi") << "-10"
                                            << "20"
                                            << "계산결과 -1.248";
        QTest::newRow("far outside, no overflow") << "-1e30"
                                                  << "1e30"
                                                  << "계산결과  5.1303889204695E+27";
    }

    void captions()
    {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(QString, caption);
        RecordingWindow window;
        QCOMPARE(integrate(window, lower, upper), std::nullopt);
        QCOMPARE(QString::fromStdString(window.resultText), caption);
        QCOMPARE(window.drawn(Call::Kind::Box).size(), std::size_t(2000));
        QVERIFY(window.drawn(Call::Kind::Cls).empty());
    }

    void promptsComeFirstAndInOrder()
    {
        RecordingWindow window;
        (void)integrate(window, "0", "1");
        QCOMPARE(window.prompts, (std::vector<std::string>{"하한 값은?(단 > - Pi) ",
                                                           "또 상한값은?(단 < 2*Pi 보다 큰값)"}));
    }

    void badEntries_data()
    {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::newRow("lower not a number") << "abc"
                                            << "1";
        QTest::newRow("upper not a number") << "0"
                                            << "1e";
        QTest::newRow("first cancelled") << ""
                                         << "1";
        QTest::newRow("second cancelled") << "0"
                                          << "";
        QTest::newRow("both cancelled") << ""
                                        << "";
    }

    // A type mismatch on either prompt: both prompts were shown, nothing is
    // drawn and the caption stays.
    void badEntries()
    {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        RecordingWindow window;
        QCOMPARE(integrate(window, lower, upper), std::optional(ErrorKind::TypeMismatch));
        QCOMPARE(window.prompts.size(), std::size_t(2));
        QVERIFY(window.calls.empty());
        QCOMPARE(QString::fromStdString(window.resultText), kUnchanged);
    }

    // The left column overflows before the upper bound is read.
    void overflowOfTheLowerBoundComesBeforeABadUpper()
    {
        RecordingWindow window;
        QCOMPARE(integrate(window, "1e306", "x"), std::optional(ErrorKind::Overflow));
        QVERIFY(window.calls.empty());
    }

    void boxesFollowTheDrawingRules()
    {
        RecordingWindow window;
        (void)integrate(window, "0", "3.141592");
        const auto boxes = window.drawn(Call::Kind::Box);
        // The first box starts at the column of a, on the axis, with zero height.
        QCOMPARE(exact(boxes[0].x1), exact(2400.0f));
        QCOMPARE(exact(boxes[0].y1), exact(2280.0f));
        QCOMPARE(exact(boxes[0].y2), exact(2280.0f));
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const Call& b = boxes[i];
            QVERIFY(b.colour == rgb(0, 0, 255));
            // Whole-twip columns, each box standing on the axis.
            QCOMPARE(b.x1, std::floor(b.x1));
            QCOMPARE(b.x2, std::floor(b.x2));
            QCOMPARE(exact(b.y2), exact(2280.0f));
            const float width = b.x2 - b.x1;
            QVERIFY(width == 0.0f || width == 1.0f);
            if (i > 0) {
                QCOMPARE(exact(b.x1), exact(boxes[i - 1].x2));
                QVERIFY(b.y1 <= 2280.0f); // sin ≥ 0 on [0, pi]: above the axis
            }
        }
        // The last box ends at the column of pi; the tallest is 497 twips.
        QCOMPARE(exact(boxes.back().x2), exact(2400.0f + 1560.0f));
        float top = 2280.0f;
        for (const Call& b : boxes)
            top = std::min(top, b.y1);
        QCOMPARE(exact(top), exact(2280.0f - 497.0f));
    }

    void upperBelowLowerGrowsLeftwards()
    {
        RecordingWindow window;
        (void)integrate(window, "2", "1");
        const auto boxes = window.drawn(Call::Kind::Box);
        QVERIFY(boxes.back().x2 < boxes.front().x1);
        for (const Call& b : boxes)
            QVERIFY(b.x2 <= b.x1);
    }

    // Equal bounds: a point on the axis, then one vertical line at the
    // column of a up to the curve's row there.
    void equalBoundsDrawOneVerticalLine()
    {
        RecordingWindow window;
        (void)integrate(window, "1", "1");
        const auto boxes = window.drawn(Call::Kind::Box);
        const float column = boxes[0].x1;
        const auto row =
            static_cast<float>(std::nearbyint(2280.0 - std::sin(1.0) * (1560.0 / 3.141592)));
        QCOMPARE(exact(boxes[0].y1), exact(2280.0f));
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            QCOMPARE(exact(boxes[i].x1), exact(column));
            QCOMPARE(exact(boxes[i].x2), exact(column));
            if (i > 0)
                QCOMPARE(exact(boxes[i].y1), exact(row));
        }
    }

    // A column beyond the largest single ends the command at once; the
    // boxes drawn before stay and the caption is left as it was.
    void overflowPartWayKeepsTheBoxes()
    {
        RecordingWindow window;
        QCOMPARE(integrate(window, "0", "1e36"), std::optional(ErrorKind::Overflow));
        const std::size_t drawn = window.drawn(Call::Kind::Box).size();
        QVERIFY2(drawn > 1300 && drawn < 1400, qPrintable(QString::number(drawn)));
        QCOMPARE(QString::fromStdString(window.resultText), kUnchanged);
    }

    void drawsOverWhatIsThere()
    {
        RecordingWindow window;
        mnuSiDisp_Click(window);
        (void)integrate(window, "0", "1");
        (void)integrate(window, "0", "2");
        QCOMPARE(window.drawn(Call::Kind::Cls).size(), std::size_t(1));
        QCOMPARE(window.drawn(Call::Kind::Line).size(), std::size_t(3000));
        QCOMPARE(window.drawn(Call::Kind::Box).size(), std::size_t(4000));
        QCOMPARE(QString::fromStdString(window.resultText), QStringLiteral("계산결과  1.416"));
    }

    void usesTheLocaleSeparator()
    {
        RecordingWindow window;
        window.answers = {"0", "3,141592"};
        mnuSinIn_Click(window, ",");
        QCOMPARE(QString::fromStdString(window.resultText), QStringLiteral("계산결과  1.999"));
    }
};

QTEST_APPLESS_MAIN(TestSineIntegrate)
#include "test_sine_integrate.moc"
