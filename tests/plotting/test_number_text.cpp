// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "exact.h"
#include "plotting/number_text.h"
#include "plotting/runtime_error.h"

#include <QTest>

#include <cfloat>
#include <cmath>
#include <optional>

using namespace tarquel;

Q_DECLARE_METATYPE(std::optional<tarquel::ErrorKind>)

namespace {

// The failure kind a conversion raises, if any.
std::optional<ErrorKind> failureOf(const QString& text, const QString& separator, double& value)
{
    try {
        value = textToNumber(text.toStdString(), separator.toStdString());
        return std::nullopt;
    } catch (const RuntimeError& failure) {
        return failure.kind();
    }
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void textToNumberTable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<double>("value");
        QTest::addColumn<std::optional<ErrorKind>>("failure");
        const std::optional<ErrorKind> ok;
        const std::optional<ErrorKind> mismatch = ErrorKind::TypeMismatch;
        const std::optional<ErrorKind> overflow = ErrorKind::Overflow;
        const QString dot = QStringLiteral(".");
        const QString comma = QStringLiteral(",");
        auto row = [&](const char* name, const QString& text, const QString& sep, double value,
                       std::optional<ErrorKind> failure) {
            QTest::newRow(name) << text << sep << value << failure;
        };
        row("integer", "3", dot, 3.0, ok);
        row("program pi", "3.141592", dot, 3.141592, ok);
        row("blanks around", "  \t-1.5  ", dot, -1.5, ok);
        row("plus sign", "+2", dot, 2.0, ok);
        row("point first", ".5", dot, 0.5, ok);
        row("point last", "5.", dot, 5.0, ok);
        row("exponent", "1e3", dot, 1000.0, ok);
        row("exponent signs", "-2.5E-2", dot, -0.025, ok);
        row("exponent plus", "1E+2", dot, 100.0, ok);
        row("minus zero", "-0", dot, -0.0, ok);
        row("largest double", "1.7976931348623157e308", dot, DBL_MAX, ok);
        row("underflow reads as zero", "1e-400", dot, 0.0, ok);
        row("underflow of a long mantissa", "0000000000001e-330", dot, 0.0, ok);
        row("subnormal", "4.9406564584124654e-324", dot, 4.9406564584124654e-324, ok);
        row("comma locale", "3,25", comma, 3.25, ok);
        row("comma locale rejects a point", "3.25", comma, 0.0, mismatch);
        row("dot locale rejects a comma", "3,25", dot, 0.0, mismatch);
        row("empty", "", dot, 0.0, mismatch);
        row("blanks only", "   ", dot, 0.0, mismatch);
        row("lone sign", "-", dot, 0.0, mismatch);
        row("lone point", ".", dot, 0.0, mismatch);
        row("signed point", "-.", dot, 0.0, mismatch);
        row("exponent without digits", "1e", dot, 0.0, mismatch);
        row("exponent sign without digits", "1e+", dot, 0.0, mismatch);
        row("exponent alone", "e5", dot, 0.0, mismatch);
        row("two signs", "--1", dot, 0.0, mismatch);
        row("plus minus", "+-1", dot, 0.0, mismatch);
        row("inner blank", "1 2", dot, 0.0, mismatch);
        row("blank after sign", "- 1", dot, 0.0, mismatch);
        row("two points", "1.2.3", dot, 0.0, mismatch);
        row("nan", "nan", dot, 0.0, mismatch);
        row("inf", "inf", dot, 0.0, mismatch);
        row("infinity", "-infinity", dot, 0.0, mismatch);
        row("hexadecimal", "0x10", dot, 0.0, mismatch);
        row("letters after", "3abc", dot, 0.0, mismatch);
        row("fractional exponent", "1e2.5", dot, 0.0, mismatch);
        row("too large", "1e309", dot, 0.0, overflow);
        row("too large negative", "-2e308", dot, 0.0, overflow);
        row("too large by its digits", "1" + QString(400, '0'), dot, 0.0, overflow);
        row("too large after leading zeros", "0000.0001e320", dot, 0.0, overflow);
        row("huge exponent", "1e99999999999999999999", dot, 0.0, overflow);
        row("huge negative exponent", "1e-99999999999999999999", dot, 0.0, ok);
    }

    void textToNumberTable()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(double, value);
        QFETCH(std::optional<ErrorKind>, failure);
        double got = 0.0;
        QCOMPARE(failureOf(text, separator, got), failure);
        if (!failure)
            QCOMPARE(exact(got), exact(value));
    }

    void numberToTextTable_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << " 0";
        QTest::newRow("minus zero") << -0.0 << " 0";
        QTest::newRow("half") << 0.5 << " .5";
        QTest::newRow("minus half") << -0.5 << "-.5";
        QTest::newRow("two") << 2.0 << " 2";
        QTest::newRow("minus two") << -2.0 << "-2";
        QTest::newRow("thousandth below two") << 1999.0 * 0.001 << " 1.999";
        // floor(-957.x)·0.001 is not the double nearest to −0.957.
        QTest::newRow("cut of bounds 2 and 1") << -957.0 * 0.001 << "-.957";
        QTest::newRow("one thousandth negative") << -1.0 * 0.001 << "-.001";
        QTest::newRow("small fixed") << 0.0001 << " .0001";
        QTest::newRow("below 1E-4") << 0.00001 << " 1E-05";
        QTest::newRow("whole with zeros") << 1200.0 << " 1200";
        QTest::newRow("fifteen digits") << 123456789012345.0 << " 123456789012345";
        QTest::newRow("rounded to fifteen digits") << 0.1 + 0.2 << " .3";
        QTest::newRow("rounded up at fifteen digits") << 2.0 / 3.0 << " .666666666666667";
        QTest::newRow("1E15 in exponent form") << 1.0e15 << " 1E+15";
        QTest::newRow("exponent with fraction") << 1.5e15 << " 1.5E+15";
        QTest::newRow("negative exponent form")
            << -1.23456789012345678e20 << "-1.23456789012346E+20";
        QTest::newRow("just below 1E15") << 999999999999999.0 << " 999999999999999";
        QTest::newRow("rounds up to 1E15") << 999999999999999.9 << " 1E+15";
        QTest::newRow("largest") << DBL_MAX << " 1.79769313486232E+308";
    }

    void numberToTextTable()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(numberToText(value)), text);
    }

    // What is written reads back to the value at 15 digits.
    void readsBack()
    {
        for (double value : {1.999, -0.957, 0.459, 1234.5678, -3.0e-7, 6.02214076e23}) {
            const std::string text = numberToText(value);
            const double back = textToNumber(text);
            QCOMPARE(QString::number(back, 'g', 15), QString::number(value, 'g', 15));
        }
    }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "test_number_text.moc"
