#include "window/batch.h"

#include "plotting/runtime_error.h"
#include "window/canvas.h"
#include "window/frm_tarquel.h"
#include "window/output.h"
#include "window/recording_window.h"
#include "window/svg_export.h"

#include <QBuffer>
#include <QLabel>

namespace tarquel {

namespace {

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool save(Console& console, const QString& path, const QByteArray& bytes)
{
    QString reason;
    if (writeFile(path, bytes, reason))
        return true;
    console.err(QStringLiteral("tarquel: cannot write %1: %2").arg(printable(path), reason));
    return false;
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
            error = QStringLiteral("unknown command '%1'").arg(printable(word));
            return false;
        }
    }
    return true;
}

int runBatch(const BatchJob& job, Console& console)
{
    FrmTarquel window;
    // The picture has the ratio asked for, whatever the screen's.
    window.canvas().setPixelRatio(job.scale);
    // Types the bounds at the prompts and keeps the drawing calls for the SVG.
    RecordingWindow services(&window);
    const auto report = [&console](const RuntimeError& failure) { console.err(failure.report()); };

    bool failed = false;
    for (const BatchCommand& command : job.commands) {
        services.answers = {command.lower, command.upper};
        failed = !runCommand(command.command, services, report) || failed;
        services.forgetErased();
        if (command.command == Command::SinIntegrate)
            console.out(window.lblResult().text());
    }

    bool written = true;
    if (!job.pngPath.isEmpty())
        written = save(console, job.pngPath, png(window.grabClientArea())) && written;
    if (!job.svgPath.isEmpty())
        written =
            save(console, job.svgPath, clientAreaSvg(window, services.sinceLastClear())) && written;
    if (!written || console.failed())
        return kExitUsage;
    return failed ? kExitFailure : kExitOk;
}

} // namespace tarquel
