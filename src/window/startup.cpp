// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/startup.h"

#include "window/frm_tarquel.h"
#include "window/output.h"

#include <QApplication>
#include <QFile>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace tarquel {

namespace {

constexpr const char* kNoDisplay =
    "tarquel: no display could be opened; 'tarquel --batch' works without one";

QtMessageHandler previousHandler = nullptr;

void forward(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// What the toolkit says while the window's platform starts: held back, so
// that a platform that cannot start (no display to connect to) gives the
// one plain line and a small exit status, not its own lines and an abort.
struct HeldMessage {
    QtMsgType type;
    QString category;
    QString text;
};
QList<HeldMessage>& heldMessages()
{
    static QList<HeldMessage> held;
    return held;
}

void startupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        heldMessages().push_back({type, QString::fromUtf8(context.category), message});
        return;
    }
    std::fprintf(stderr, "%s\n", kNoDisplay);
    std::fflush(stderr);
    std::_Exit(code(ExitStatus::NoDisplay));
}

// Standard error carries one line per failed command. Qt's notice that it
// chose a runtime folder of its own is not one of them; everything else Qt
// says still goes through.
void headlessMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        forward(type, context, message);
}

void warnWithoutHangul(Console& console)
{
    const QString notice = missingHangulNotice();
    if (!notice.isEmpty())
        console.err(notice);
}

} // namespace

ExitStatus startBatch(const BatchJob& job, char* program, Console& console)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
#if defined(Q_OS_WIN)
    // The offscreen platform reads fonts from one folder alone, Qt's own
    // unless told: the system's fonts, where the Korean ones are.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR",
                QFile::encodeName(qEnvironmentVariable("WINDIR", QStringLiteral("C:\\Windows")) +
                                  QStringLiteral("\\Fonts")));
#endif
    // The picture is the same whatever the desktop's scale settings.
    for (const char* name :
         {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_ENABLE_HIGHDPI_SCALING",
          "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_USE_PHYSICAL_DPI"})
        qunsetenv(name);
    previousHandler = qInstallMessageHandler(headlessMessage);
    // No word of the batch is ever taken for one of the toolkit's options.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {program, nullptr};
    QApplication app(toolkitArgc, toolkitArgv);
    QApplication::setApplicationName(QStringLiteral("tarquel"));
    warnWithoutHangul(console);
    return runBatch(job, console);
}

ExitStatus startWindow(int& argc, char** argv, bool displayNamed, Console& console)
{
    if (!displayNamed) {
        console.err(QString::fromLatin1(kNoDisplay));
        return ExitStatus::NoDisplay;
    }
    previousHandler = qInstallMessageHandler(startupMessage);
    QApplication app(argc, argv); // takes the toolkit's options out of argv
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& held : heldMessages()) {
        const QByteArray category = held.category.toUtf8();
        forward(held.type, QMessageLogContext(nullptr, 0, nullptr, category.constData()),
                held.text);
    }
    heldMessages().clear();
    QApplication::setApplicationName(QStringLiteral("tarquel"));
    // The desktop entry's name and the icon's artwork, for task bars.
    QGuiApplication::setDesktopFileName(QStringLiteral(TARQUEL_APP_ID));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tarquel-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    warnWithoutHangul(console);

    FrmTarquel window;
    window.show();
    // Closing the window is the one way out of the loop, and a success.
    QApplication::exec();
    return ExitStatus::Success;
}

} // namespace tarquel
