// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/command_line.h"

#include "window/arguments.h"
#include "window/batch.h"
#include "window/files.h"
#include "window/help_text.h"
#include "window/output.h"
#include "window/startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>

namespace tarquel {

namespace {

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
        parser.setApplicationDescription(QString::fromLatin1(kHelpDescription));
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

// Every complaint about the command line has this one form.
ExitStatus usageError(Console& console, const QString& message)
{
    console.err(QStringLiteral("tarquel: %1").arg(printable(message)));
    console.err(QStringLiteral("Try 'tarquel --help'."));
    return ExitStatus::UsageError;
}

ExitStatus finish(const Console& console) { return exitStatus(console.failed(), false); }

// Where X11 or Wayland would be asked for a display, whether one is named;
// elsewhere the platform always has its screen.
bool displayNamed(const QStringList& arguments)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || choosesPlatform(arguments);
#else
    Q_UNUSED(arguments);
    return true;
#endif
}

// The batch's options and commands, checked before anything runs: a usage
// error writes nothing.
ExitStatus readBatch(const Options& options, BatchJob& job, Console& console)
{
    const QStringList pngs = options.parser.values(options.png);
    const QStringList svgs = options.parser.values(options.svg);
    const QStringList scales = options.parser.values(options.scale);
    if (pngs.size() > 1 || svgs.size() > 1 || scales.size() > 1)
        return usageError(console,
                          QStringLiteral("--png, --svg and --scale may each be given once"));
    if ((options.parser.isSet(options.png) && pngs.front().isEmpty()) ||
        (options.parser.isSet(options.svg) && svgs.front().isEmpty()))
        return usageError(console, QStringLiteral("an output file needs a name"));
    job.pngPath = argumentPath(pngs.value(0));
    job.svgPath = argumentPath(svgs.value(0));
    if (!job.pngPath.empty() && !job.svgPath.empty() && sameFile(job.pngPath, job.svgPath))
        return usageError(console, QStringLiteral("--png and --svg name the same file"));
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
        if (job.pngPath.empty())
            return usageError(console, QStringLiteral("--scale goes with --png"));
    }
    QStringList words;
    for (const QString& word : options.parser.positionalArguments())
        words << argumentText(word);
    QString error;
    if (!parseBatchCommands(words, job.commands, error))
        return usageError(console, error);
    return ExitStatus::Success;
}

ExitStatus run(int& argc, char** argv, Console& console)
{
    const QStringList raw = rawArguments(argc, argv);
    constexpr const char* kNeedsBatch = "commands and --png/--svg need --batch";

    Options options;
    if (!options.parser.parse(raw)) {
        // Perhaps the toolkit's own window options; never in a batch.
        Options rest;
        if (raw.contains(QLatin1String("--batch")) ||
            !rest.parser.parse(withoutToolkitOptions(raw)))
            return usageError(console, argumentText(options.parser.errorText()));
        if (rest.any())
            return usageError(console, QString::fromLatin1(kNeedsBatch));
        return startWindow(argc, argv, displayNamed(raw), console);
    }
    const bool help = options.parser.isSet(options.help);
    if (help || options.parser.isSet(options.version)) {
        if (!options.parser.positionalArguments().isEmpty())
            return usageError(
                console, QStringLiteral("%1 takes no arguments")
                             .arg(help ? QStringLiteral("--help") : QStringLiteral("--version")));
        // The parser names the program only once an application object
        // exists; help needs none.
        console.out(help
                        ? options.parser.helpText()
                              .replace(QLatin1String("<executable_name>"), QLatin1String("tarquel"))
                              .trimmed()
                        : QStringLiteral("tarquel %1").arg(QStringLiteral(TARQUEL_VERSION)));
        return finish(console);
    }
    if (options.parser.isSet(options.batch)) {
        BatchJob job;
        const ExitStatus status = readBatch(options, job, console);
        return status != ExitStatus::Success ? status : startBatch(job, argv[0], console);
    }
    if (options.any())
        return usageError(console, QString::fromLatin1(kNeedsBatch));
    return startWindow(argc, argv, displayNamed(raw), console);
}

} // namespace

int runCommandLine(int& argc, char** argv)
{
    guardStandardStreams();
    QCoreApplication::setApplicationName(QStringLiteral("tarquel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARQUEL_VERSION));
    Console console;
    return code(run(argc, argv, console));
}

} // namespace tarquel
