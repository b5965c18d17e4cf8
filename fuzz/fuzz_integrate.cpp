// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

// The whole Integrate command on a recording surface, fed two arbitrary
// texts: it ends with a caption or with exactly one of the two failure
// kinds, the same way every time, and never draws after a bad entry.

#include "plotting/runtime_error.h"
#include "plotting/sine_integrate.h"
#include "recording_window.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

using namespace tarquel;

namespace {

struct Outcome {
    std::optional<ErrorKind> failure;
    std::string caption;
    std::size_t calls;
    float lastX;
};

Outcome run(const std::string& lower, const std::string& upper)
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
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\n');
    const std::string lower = bytes.substr(0, split);
    const std::string upper = split == std::string::npos ? std::string() : bytes.substr(split + 1);

    const Outcome first = run(lower, upper);
    if (!first.failure) {
        if (first.calls != 2000 || !first.caption.starts_with(kResultPrefix))
            std::abort();
    } else {
        if (first.caption != "unchanged")
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
