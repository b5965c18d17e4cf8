// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/batch.h"

#include "plotting/runtime_error.h"
#include "window/canvas.h"
#include "window/files.h"
#include "window/frm_tarquel.h"
#include "window/output.h"
#include "window/svg_export.h"

#include <QBuffer>
#include <QLabel>

#include <algorithm>
#include <deque>
#include <string>

namespace tarquel {

namespace {

// The window of a batch: never shown, and its prompts answered with the
// bounds the command line gave, as if typed (none left answers like Cancel).
class BatchWindow final : public FrmTarquel {
public:
    std::string inputBox(std::string_view /*prompt*/) override
    {
        if (answers.empty())
            return {};
        std::string text = std::move(answers.front());
        answers.pop_front();
        return text;
    }

    std::deque<std::string> answers;
};

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool save(Console& console, const std::filesystem::path& path, const QByteArray& bytes)
{
    std::string reason;
    if (writeFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                  reason))
        return true;
    console.err(
        QStringLiteral("tarquel: cannot write %1: %2")
            .arg(QString::fromStdString(printablePath(path)), QString::fromStdString(reason)));
    return false;
}

// The command as it was given: its words, one that is empty or holds a
// blank in double quotes.
QString commandWords(const BatchCommand& command)
{
    if (command.command != Command::SinIntegrate)
        return QStringLiteral("display");
    QString words = QStringLiteral("integrate");
    for (const QString& bound : {command.lower, command.upper}) {
        const bool quoted = bound.isEmpty() || std::any_of(bound.begin(), bound.end(),
                                                           [](QChar c) { return c.isSpace(); });
        words += quoted ? QStringLiteral(" \"%1\"").arg(printable(bound))
                        : QLatin1Char(' ') + printable(bound);
    }
    return words;
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

ExitStatus runBatch(const BatchJob& job, Console& console)
{
    BatchWindow window;
    // The picture has the ratio asked for, whatever the screen's.
    window.canvas().setPixelRatio(job.scale);
    if (!job.svgPath.empty())
        window.canvas().keepDrawings();

    bool failed = false;
    for (std::size_t i = 0; i < job.commands.size(); ++i) {
        const BatchCommand& command = job.commands[i];
        window.answers = {command.lower.toStdString(), command.upper.toStdString()};
        const auto report = [&](const RuntimeError& failure) {
            console.err(QStringLiteral("tarquel: command %1 (%2): %3")
                            .arg(i + 1)
                            .arg(commandWords(command), QString::fromLatin1(failure.what())));
        };
        const bool succeeded = runCommand(command.command, window, report);
        failed = failed || !succeeded;
        if (command.command == Command::SinIntegrate)
            console.out(succeeded ? window.lblResult().text() : QString());
    }

    bool written = true;
    if (!job.pngPath.empty())
        written = save(console, job.pngPath, png(window.grabClientArea())) && written;
    if (!job.svgPath.empty())
        written = save(console, job.svgPath, clientAreaSvg(window)) && written;
    return exitStatus(!written || console.failed(), failed);
}

} // namespace tarquel
