#include "window/batch.h"

#include "plotting/runtime_error.h"
#include "window/frm_tarquel.h"
#include "window/recording_window.h"
#include "window/svg_export.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QLabel>
#include <QSaveFile>

#include <cstdio>
#include <cstring>

namespace tarquel {

namespace {

constexpr const char* kDescription =
    "Draws the sine curve over a pair of axes and integrates it by the trapezoidal rule.\n"
    "\n"
    "Without arguments the window opens. With --batch the same window and commands run\n"
    "headless, never shown, on the offscreen platform:\n"
    "\n"
    "  tarquel --batch [--png FILE] [--svg FILE] COMMAND...\n"
    "\n"
    "Options come before the first command. A COMMAND is one of\n"
    "  display                  Sin > Display\n"
    "  integrate LOWER UPPER    Sin > Integrate, with LOWER and UPPER as the texts typed\n"
    "                           at its two prompts; an empty argument is an empty or\n"
    "                           cancelled entry, and an argument beginning with '-' (a\n"
    "                           bound of -1) is a bound all the same.\n"
    "\n"
    "After every integrate the caption of the result label is printed as one UTF-8 line\n"
    "on standard output, also after a failure. A failed command prints its run-time error\n"
    "report as one line on standard error, and the batch goes on with the next command.\n"
    "After the last command --png writes the client area as the window shows it (604 x 279\n"
    "pixels) and --svg the same picture as vector graphics in twips (viewBox 0 0 9060 4185),\n"
    "with every drawing call since the last clear.\n"
    "\n"
    "Exit status: 0 when every command succeeded, 1 when any failed with a run-time error,\n"
    "2 for a usage error or an output file that cannot be written.";

void printLine(std::FILE* stream, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

int usageError(const QString& message)
{
    printLine(stderr, QStringLiteral("tarquel: %1").arg(message));
    printLine(stderr, QStringLiteral("Try 'tarquel --help'."));
    return kExitUsage;
}

// Writes all or nothing: a file that cannot be written leaves none behind.
bool save(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        printLine(stderr,
                  QStringLiteral("tarquel: cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

bool parseBatchCommands(const QStringList& words, std::vector<BatchCommand>& commands,
                        QString& error)
{
    commands.clear();
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (word == QLatin1String("display")) {
            commands.push_back({Command::SinDisplay, {}, {}});
        } else if (word == QLatin1String("integrate")) {
            if (i + 2 >= words.size()) {
                error = QStringLiteral("'integrate' needs two bounds, LOWER and UPPER");
                return false;
            }
            commands.push_back({Command::SinIntegrate, words[i + 1], words[i + 2]});
            i += 2;
        } else {
            error = QStringLiteral("unknown command '%1'").arg(word);
            return false;
        }
    }
    return true;
}

int runBatch(const BatchJob& job)
{
    FrmTarquel window;
    // Types the bounds at the prompts and keeps the drawing calls for the SVG.
    RecordingWindow services(&window);
    const auto report = [](const RuntimeError& failure) { printLine(stderr, failure.report()); };

    bool failed = false;
    for (const BatchCommand& command : job.commands) {
        services.answers = {command.lower, command.upper};
        failed = !runCommand(command.command, services, report) || failed;
        services.forgetErased();
        if (command.command == Command::SinIntegrate)
            printLine(stdout, window.lblResult().text());
    }

    bool written = true;
    if (!job.pngPath.isEmpty())
        written = save(job.pngPath, png(window.grabClientArea())) && written;
    if (!job.svgPath.isEmpty())
        written = save(job.svgPath, clientAreaSvg(window, services.sinceLastClear())) && written;
    if (!written)
        return kExitUsage;
    return failed ? kExitFailure : kExitOk;
}

int runCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help."));
    const QCommandLineOption batch(
        QStringLiteral("batch"),
        QStringLiteral("Runs the commands headless instead of opening the window."));
    const QCommandLineOption png(
        QStringLiteral("png"),
        QStringLiteral("With --batch: writes the client area as a PNG image."),
        QStringLiteral("FILE"));
    const QCommandLineOption svg(
        QStringLiteral("svg"),
        QStringLiteral("With --batch: writes the client area as SVG in twips."),
        QStringLiteral("FILE"));
    parser.addOptions({help, batch, png, svg});
    parser.addPositionalArgument(QStringLiteral("COMMAND"),
                                 QStringLiteral("display | integrate LOWER UPPER (with --batch)"),
                                 QStringLiteral("[COMMAND...]"));

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        printLine(stdout, parser.helpText());
        return kExitOk;
    }
    if (!parser.isSet(batch)) {
        if (!parser.positionalArguments().isEmpty() || parser.isSet(png) || parser.isSet(svg))
            return usageError(QStringLiteral("commands and --png/--svg need --batch"));
        FrmTarquel window;
        window.show();
        return QApplication::exec();
    }

    BatchJob job;
    job.pngPath = parser.value(png);
    job.svgPath = parser.value(svg);
    QString error;
    if (!parseBatchCommands(parser.positionalArguments(), job.commands, error))
        return usageError(error);
    return runBatch(job);
}

bool wantsHeadless(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--batch") == 0 || std::strcmp(argv[i], "--help") == 0 ||
            std::strcmp(argv[i], "-h") == 0)
            return true;
    }
    return false;
}

namespace {
QtMessageHandler qtMessageHandler = nullptr;
} // namespace

void prepareHeadless()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Standard error carries one line per failed command. Qt's notice that
    // it chose a runtime folder of its own is not one of them; everything
    // else Qt says still goes through.
    qtMessageHandler = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
                return;
            if (qtMessageHandler)
                qtMessageHandler(type, context, message);
            else
                std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
        });
}

} // namespace tarquel
