// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

// Uses the real program as a person would, in a real X session: menus
// clicked, bounds typed, messages dismissed, the window covered and closed.
// Screenshots of every step are kept for a look after a failure.

#include "window/frm_tarquel.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <functional>

using namespace tarquel;

namespace {

const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kCyan(128, 255, 255);

QString xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool waitUntil(const std::function<bool()>& condition, int milliseconds = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QTest::qWait(50);
    }
    return true;
}

int count(const QImage& image, const QRect& area, const QColor& colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y) == colour ? 1 : 0;
    return n;
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QDir().mkpath(QStringLiteral(E2E_SHOTS));
        // A twin of the window, never on screen, tells where the menu
        // entries are: same style, same fonts.
        reference_.setAttribute(Qt::WA_DontShowOnScreen);
        reference_.show();

        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        process_.setProcessEnvironment(environment);
        start("00-start");
    }

    void display()
    {
        choose("mnuSin", "mnuSiDisp");
        QVERIFY(waitUntil([&] {
            return count(client("01-display"), {56, 100, 313, 90}, kGreen) > 300;
        }));
    }

    void integrate()
    {
        choose("mnuSin", "mnuSinIn");
        answerPrompt(QStringLiteral("0"));
        answerPrompt(QStringLiteral("3.141592"));
        // The blue region between 0 and pi, and text in the result label.
        QVERIFY(waitUntil([&] {
            const QImage shot = client("02-integrate");
            return count(shot, {190, 125, 45, 26}, kBlue) == 45 * 26 &&
                   count(shot, {488, 184, 97, 33}, kCyan) < 97 * 33 - 30;
        }));
        QCOMPARE(count(client("02-integrate"), {100, 100, 55, 90}, kBlue), 0);
        picture_ = client("02-integrate");
    }

    void badBoundShowsTheErrorAndChangesNothing()
    {
        choose("mnuSin", "mnuSinIn");
        answerPrompt(QStringLiteral("not a number"));
        answerPrompt(QStringLiteral("1"));
        QString message;
        QVERIFY(waitUntil([&] {
            message = windows("^tarquel$");
            return !message.isEmpty();
        }));
        screen("03-error-message");
        xdotool({"windowactivate", "--sync", message.section('\n', 0, 0)});
        xdotool({"key", "Return"});
        QVERIFY(waitUntil([&] { return windows("^tarquel$").isEmpty(); }));
        QCOMPARE(process_.state(), QProcess::Running);
        QCOMPARE(client("04-after-error"), picture_);
    }

    void inertEntriesChangeNothing()
    {
        choose("mnuTan", "mnuTaDisp");
        choose("mnuTan", "mnuTanIn");
        click(reference_.menuBar()->actionGeometry(action("mnuEnd")).center());
        QTest::qWait(300);
        QCOMPARE(process_.state(), QProcess::Running);
        QCOMPARE(client("05-tan-and-end"), picture_);
    }

    void coveredAndUncoveredKeepsThePicture()
    {
        xdotool({"windowminimize", "--sync", window_});
        QVERIFY(waitUntil([&] { return windows("적분").isEmpty(); }));
        screen("06-minimised");
        xdotool({"windowactivate", "--sync", window_});
        QVERIFY(waitUntil([&] { return client("07-restored") == picture_; }));
    }

    void closingEndsTheProgram()
    {
        xdotool({"windowactivate", "--sync", window_});
        xdotool({"key", "--clearmodifiers", "alt+F4"});
        QVERIFY(process_.waitForFinished(10000));
        QCOMPARE(process_.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process_.exitCode(), 0);
    }

    // A high-resolution screen: the same steps at twice the scale are
    // drawn at the device's resolution, crisp and with no blue below the
    // axis.
    void atScaleFactorTwo()
    {
        QProcessEnvironment environment = process_.processEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
        process_.setProcessEnvironment(environment);
        scale_ = 2;
        start("10-scale2-start");
        if (QTest::currentTestFailed())
            return;
        choose("mnuSin", "mnuSiDisp");
        choose("mnuSin", "mnuSinIn");
        answerPrompt(QStringLiteral("0"));
        answerPrompt(QStringLiteral("3.141592"));
        QImage shot;
        QVERIFY(waitUntil([&] {
            shot = client("11-scale2-integrate");
            return count(shot, {384, 254, 80, 46}, kBlue) == 80 * 46;
        }));
        // Left of the vertical axis and below the horizontal one lies the
        // curve alone: pure green on white, about twice the ink of the
        // picture at scale 1, not four times.
        const QRect belowLeft(112, 306, 206, 94);
        const int green = count(shot, belowLeft, kGreen);
        QCOMPARE(green + count(shot, belowLeft, Qt::white), belowLeft.width() * belowLeft.height());
        const int atOne = count(picture_, {56, 153, 103, 47}, kGreen);
        QVERIFY2(green > 1.6 * atOne && green < 2.4 * atOne,
                 qPrintable(QStringLiteral("%1 against %2").arg(green).arg(atOne)));
        // The axis is the device row floor(2280·2/15) = 304.
        QCOMPARE(shot.pixelColor(200, 304), QColor(Qt::black));
        QCOMPARE(count(shot, {0, 305, 1208, 253}, kBlue), 0);
        process_.kill();
        process_.waitForFinished();
    }

    void cleanupTestCase()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }

private:
    // Starts the program and waits for its window with the empty result
    // label on the screen.
    void start(const char* step)
    {
        process_.start(QStringLiteral(TARQUEL_EXECUTABLE), {});
        QVERIFY(process_.waitForStarted());
        QVERIFY(waitUntil([&] {
            window_ = windows("적분").section('\n', 0, 0);
            return !window_.isEmpty();
        }));
        QVERIFY(waitUntil([&] {
            return count(client(QString::fromLatin1(step)), {0, 0, 604 * scale_, 279 * scale_},
                         kCyan) > 3000 * scale_ * scale_;
        }));
    }

    // The visible windows of the program whose title matches the pattern.
    QString windows(const char* title)
    {
        return xdotool({"search", "--all", "--onlyvisible", "--pid",
                        QString::number(process_.processId()), "--name", QString::fromUtf8(title)});
    }

    QAction* action(const char* name) const { return reference_.findChild<QAction*>(name); }

    // A point of the reference window, on the real one at its scale.
    void click(QPoint inWindow)
    {
        const QPoint device = inWindow * scale_;
        xdotool({"mousemove", "--window", window_, QString::number(device.x()),
                 QString::number(device.y()), "click", "1"});
    }

    // Opens a top-level menu and chooses one of its entries, waiting for the
    // popup to open before the click and to close after it.
    void choose(const char* menu, const char* entry)
    {
        const QRect item = reference_.menuBar()->actionGeometry(action(menu));
        QMenu* popup = action(menu)->menu();
        popup->ensurePolished();
        const QPoint inPopup = popup->actionGeometry(action(entry)).center();
        xdotool({"windowactivate", "--sync", window_});
        const QStringList before = windows("").split('\n');
        QString opened;
        click(item.center());
        QVERIFY(waitUntil([&] {
            for (const QString& id : windows("").split('\n'))
                if (!before.contains(id))
                    opened = id;
            return !opened.isEmpty();
        }));
        click(item.bottomLeft() + QPoint(0, 1) + inPopup);
        QVERIFY(waitUntil([&] { return !windows("").split('\n').contains(opened); }));
    }

    // Waits for the prompt, types the text and presses Enter.
    void answerPrompt(const QString& text)
    {
        QString prompt;
        QVERIFY(waitUntil([&] {
            prompt = windows("^tarquel$");
            return !prompt.isEmpty();
        }));
        xdotool({"windowactivate", "--sync", prompt.section('\n', 0, 0)});
        screen(QStringLiteral("prompt-%1").arg(++prompts_));
        xdotool({"type", "--delay", "30", text});
        xdotool({"key", "Return"});
        QVERIFY(waitUntil([&] { return windows("^tarquel$") != prompt; }));
    }

    // The client area of the real window, as on the screen, in device
    // pixels.
    QImage client(const QString& step)
    {
        const int menu = reference_.menuBar()->height() * scale_;
        QImage shot = QGuiApplication::primaryScreen()
                          ->grabWindow(window_.toULongLong(), 0, menu, 604 * scale_, 279 * scale_)
                          .toImage()
                          .convertToFormat(QImage::Format_RGB32);
        shot.save(QStringLiteral(E2E_SHOTS "/%1.png").arg(step));
        return shot;
    }

    void screen(const QString& step)
    {
        QGuiApplication::primaryScreen()->grabWindow(0).save(
            QStringLiteral(E2E_SHOTS "/%1.png").arg(step));
    }

    FrmTarquel reference_;
    QProcess process_;
    QString window_;
    QImage picture_;
    int prompts_ = 0;
    int scale_ = 1; // device pixels to a pixel of the program under test
};

QTEST_MAIN(TestEndToEnd)
#include "test_e2e.moc"
