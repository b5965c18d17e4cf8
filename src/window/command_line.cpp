#include "window/command_line.h"

#include "window/batch.h"
#include "window/frm_tarquel.h"
#include "window/output.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tarquel {

namespace {

constexpr const char* kDescription =
    "Draws the sine curve over a pair of axes and integrates it by the trapezoidal rule.\n"
    "\n"
    "Without arguments the window opens (it also takes the toolkit's own options, such\n"
    "as -style NAME). With --batch the same window and commands run headless, never\n"
    "shown, on the offscreen platform, without a display:\n"
    "\n"
    "  tarquel --batch [--png FILE [--scale N]] [--svg FILE] COMMAND...\n"
    "\n"
    "Options come before the first command. A COMMAND is one of\n"
    "  display                  Sin > Display\n"
    "  integrate LOWER UPPER    Sin > Integrate, with LOWER and UPPER as the texts typed\n"
    "                           at its two prompts, whatever they look like: an empty\n"
    "                           argument is an empty or cancelled entry, and an argument\n"
    "                           beginning with '-' (a bound of -1) is a bound all the same.\n"
    "\n"
    "After every integrate the caption of the result label is printed as one UTF-8 line\n"
    "on standard output, also after a failure. A failed command prints its run-time error\n"
    "report as one line on standard error, and the batch goes on with the next command.\n"
    "After the last command --png writes the client area as the window shows it (604 x 279\n"
    "pixels, whatever the screen's scale settings; --scale N makes it 604N x 279N, with\n"
    "lines one pixel wide and text N times larger, for slides) and --svg the same picture\n"
    "as vector graphics in twips (viewBox 0 0 9060 4185), with every drawing call since\n"
    "the last clear. A new or regular file is written all or\n"
    "nothing; a FIFO or a device is written straight through and stays what it is.\n"
    "\n"
    "Exit status: 0 when every command succeeded, 1 when any failed with a run-time error,\n"
    "2 for a usage error or an output (a file, a caption, a report) that cannot be\n"
    "written, 3 when the window cannot open because there is no display.";

constexpr const char* kNeedsBatch = "commands and --png/--svg need --batch";

constexpr const char* kNoDisplay =
    "tarquel: no display could be opened; 'tarquel --batch' works without one";

// The options of the command line; one parser reads them all.
struct Options {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Shows this help.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Shows the version.")};
    QCommandLineOption batch{
        QStringLiteral("batch"),
        QStringLiteral("Runs the commands headless instead of opening the window.")};
    QCommandLineOption png{QStringLiteral("png"),
                           QStringLiteral("With --batch: writes the client area as a PNG image."),
                           QStringLiteral("FILE")};
    QCommandLineOption svg{QStringLiteral("svg"),
                           QStringLiteral("With --batch: writes the client area as SVG in twips."),
                           QStringLiteral("FILE")};
    QCommandLineOption scale{
        QStringLiteral("scale"),
        QStringLiteral("With --batch: writes the PNG at N device pixels to a pixel of the "
                       "window, a whole number from 1 to 8 (default 1)."),
        QStringLiteral("N")};

    Options()
    {
        parser.setApplicationDescription(QString::fromLatin1(kDescription));
        parser.setOptionsAfterPositionalArgumentsMode(
            QCommandLineParser::ParseAsPositionalArguments);
        parser.addOptions({help, version, batch, png, svg, scale});
        parser.addPositionalArgument(
            QStringLiteral("COMMAND"),
            QStringLiteral("display | integrate LOWER UPPER (with --batch)"),
            QStringLiteral("[COMMAND...]"));
    }

    [[nodiscard]] bool any() const
    {
        return parser.isSet(help) || parser.isSet(version) || parser.isSet(batch) ||
               parser.isSet(png) || parser.isSet(svg) || parser.isSet(scale) ||
               !parser.positionalArguments().isEmpty();
    }
};

int usageError(Console& console, const QString& message)
{
    console.err(QStringLiteral("tarquel: %1").arg(printable(message)));
    console.err(QStringLiteral("Try 'tarquel --help'."));
    return kExitUsage;
}

int finish(const Console& console) { return console.failed() ? kExitUsage : kExitOk; }

QStringList rawArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Where X11 or Wayland would be asked for a display, whether there is one to
// ask; elsewhere the platform always has its screen.
bool displayMayOpen(const QStringList& arguments)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           arguments.contains(QLatin1String("-platform")) ||
           arguments.contains(QLatin1String("--platform"));
#else
    Q_UNUSED(arguments);
    return true;
#endif
}

QtMessageHandler previousHandler = nullptr;

void forward(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// While the window's platform starts, its fatal failure (no display to
// connect to) is a plain line and a small exit status, not an abort.
void startupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg)
        return forward(type, context, message);
    std::fprintf(stderr, "%s\n", kNoDisplay);
    std::fflush(stderr);
    std::_Exit(kExitNoDisplay);
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

int startBatch(const Options& options, char* program, Console& console)
{
    const QStringList pngs = options.parser.values(options.png);
    const QStringList svgs = options.parser.values(options.svg);
    const QStringList scales = options.parser.values(options.scale);
    if (pngs.size() > 1 || svgs.size() > 1 || scales.size() > 1)
        return usageError(console,
                          QStringLiteral("--png, --svg and --scale may each be given once"));
    BatchJob job;
    job.pngPath = pngs.value(0);
    job.svgPath = svgs.value(0);
    if ((options.parser.isSet(options.png) && job.pngPath.isEmpty()) ||
        (options.parser.isSet(options.svg) && job.svgPath.isEmpty()))
        return usageError(console, QStringLiteral("an output file needs a name"));
    if (!job.pngPath.isEmpty() && !job.svgPath.isEmpty()) {
        const QFileInfo a(job.pngPath);
        const QFileInfo b(job.svgPath);
        if (a.absoluteFilePath() == b.absoluteFilePath() ||
            (a.exists() && a.canonicalFilePath() == b.canonicalFilePath()))
            return usageError(console, QStringLiteral("--png and --svg name the same file"));
    }
    if (!scales.isEmpty()) {
        // Digits only: no sign, blank or fraction.
        const QString& text = scales.front();
        const bool digits = !text.isEmpty() && text.size() <= 2 &&
                            std::all_of(text.begin(), text.end(), [](QChar c) {
                                return c >= QLatin1Char('0') && c <= QLatin1Char('9');
                            });
        job.scale = digits ? text.toInt() : 0;
        if (job.scale < 1 || job.scale > 8)
            return usageError(console, QStringLiteral("--scale takes a whole number from 1 to 8"));
        if (job.pngPath.isEmpty())
            return usageError(console, QStringLiteral("--scale goes with --png"));
    }
    QString error;
    if (!parseBatchCommands(options.parser.positionalArguments(), job.commands, error))
        return usageError(console, error);

    // The toolkit sees the program's name alone: no word of the batch is
    // ever taken for one of its options.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The picture is the same whatever the desktop's scale settings.
    for (const char* name :
         {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_ENABLE_HIGHDPI_SCALING",
          "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_USE_PHYSICAL_DPI"})
        qunsetenv(name);
    previousHandler = qInstallMessageHandler(headlessMessage);
    int toolkitArgc = 1;
    char* toolkitArgv[] = {program, nullptr};
    QApplication app(toolkitArgc, toolkitArgv);
    QApplication::setApplicationName(QStringLiteral("tarquel"));
    warnWithoutHangul(console);
    return runBatch(job, console);
}

int runWindow(int& argc, char** argv, const QStringList& raw, Console& console)
{
    if (!displayMayOpen(raw)) {
        console.err(QString::fromLatin1(kNoDisplay));
        return kExitNoDisplay;
    }
    previousHandler = qInstallMessageHandler(startupMessage);
    QApplication app(argc, argv); // takes the toolkit's options out of argv
    qInstallMessageHandler(previousHandler);
    QApplication::setApplicationName(QStringLiteral("tarquel"));
    // The desktop entry's name and the icon's artwork, for task bars.
    QGuiApplication::setDesktopFileName(QStringLiteral(TARQUEL_APP_ID));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tarquel-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    warnWithoutHangul(console);

    // What the toolkit left must be nothing of ours.
    Options options;
    if (!options.parser.parse(QApplication::arguments()))
        return usageError(console, options.parser.errorText());
    if (options.any())
        return usageError(console, QString::fromLatin1(kNeedsBatch));
    FrmTarquel window;
    window.show();
    return QApplication::exec();
}

} // namespace

int runCommandLine(int& argc, char** argv)
{
    guardStandardStreams();
    QCoreApplication::setApplicationName(QStringLiteral("tarquel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARQUEL_VERSION));
    Console console;
    const QStringList raw = rawArguments(argc, argv);

    Options options;
    if (!options.parser.parse(raw)) {
        // Perhaps the toolkit's own options for the window; never for a batch,
        // and without a display the parser's word is the one to give.
        if (raw.contains(QLatin1String("--batch")) || !displayMayOpen(raw))
            return usageError(console, options.parser.errorText());
        return runWindow(argc, argv, raw, console);
    }
    if (options.parser.isSet(options.help)) {
        // The parser names the program only once an application object
        // exists; help needs none.
        console.out(options.parser.helpText()
                        .replace(QLatin1String("<executable_name>"), QLatin1String("tarquel"))
                        .trimmed());
        return finish(console);
    }
    if (options.parser.isSet(options.version)) {
        console.out(QStringLiteral("tarquel %1").arg(QCoreApplication::applicationVersion()));
        return finish(console);
    }
    if (options.parser.isSet(options.batch))
        return startBatch(options, argv[0], console);
    if (options.any())
        return usageError(console, QString::fromLatin1(kNeedsBatch));
    return runWindow(argc, argv, raw, console);
}

} // namespace tarquel
