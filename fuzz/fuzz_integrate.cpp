// The whole Integrate command on a recording surface, fed two arbitrary
// texts: it ends with a caption or with exactly one of the two failure
// kinds, the same way every time, and never draws after a bad entry.

#include "plotting/runtime_error.h"
#include "plotting/sine_integrate.h"
#include "window/recording_window.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

using namespace tarquel;

namespace {

struct Outcome {
    std::optional<ErrorKind> failure;
    QString caption;
    std::size_t calls;
    float lastX;
};

Outcome run(const QString& lower, const QString& upper)
{
    RecordingWindow window;
    window.answers = {lower, upper};
    std::optional<ErrorKind> failure;
    try {
        mnuSinIn_Click(window);
    } catch (const RuntimeError& error) {
        failure = error.kind();
    }
    if (window.prompts.size() != 2)
        std::abort(); // both prompts, whatever is typed
    return {failure, window.resultText, window.calls.size(),
            window.calls.empty() ? 0.0f : window.calls.back().x2};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype split = bytes.indexOf('\n');
    const QString lower = QString::fromUtf8(split < 0 ? bytes : bytes.left(split));
    const QString upper = split < 0 ? QString() : QString::fromUtf8(bytes.mid(split + 1));

    const Outcome first = run(lower, upper);
    if (!first.failure) {
        if (first.calls != 2000 ||
            !first.caption.startsWith(QString::fromUtf8(kResultPrefix.data())))
            std::abort();
    } else {
        if (first.caption != QStringLiteral("unchanged"))
            std::abort();
        if (*first.failure == ErrorKind::TypeMismatch && first.calls != 0)
            std::abort();
        if (*first.failure != ErrorKind::TypeMismatch && *first.failure != ErrorKind::Overflow)
            std::abort();
    }
    const Outcome second = run(lower, upper);
    if (second.failure != first.failure || second.caption != first.caption ||
        second.calls != first.calls || second.lastX != first.lastX)
        std::abort();
    return 0;
}
