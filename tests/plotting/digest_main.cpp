// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

// Prints every drawing call and caption of a fixed set of commands, so that
// two builds with different compiler flags can be compared bit for bit.

#include "plotting/runtime_error.h"
#include "plotting/sine_display.h"
#include "plotting/sine_integrate.h"
#include "recording_window.h"

#include <bit>
#include <cstdint>
#include <cstdio>

using namespace tarquel;

namespace {

// FNV-1a over the bits of every coordinate.
std::uint64_t digest(const RecordingWindow& window)
{
    std::uint64_t hash = 14695981039346656037ULL;
    auto mix = [&](std::uint32_t word) {
        for (int i = 0; i < 4; ++i) {
            hash ^= (word >> (8 * i)) & 0xffU;
            hash *= 1099511628211ULL;
        }
    };
    for (const auto& c : window.calls) {
        mix(static_cast<std::uint32_t>(c.kind));
        for (float v : {c.x1, c.y1, c.x2, c.y2})
            mix(std::bit_cast<std::uint32_t>(v));
    }
    return hash;
}

void report(const char* name, const RecordingWindow& window, const char* failure)
{
    std::printf("%-24s calls=%zu digest=%016llx caption=%s%s\n", name, window.calls.size(),
                static_cast<unsigned long long>(digest(window)), window.resultText.c_str(),
                failure);
}

} // namespace

int main()
{
    {
        RecordingWindow window;
        mnuSiDisp_Click(window);
        report("display", window, "");
    }
    {
        // A fractional, moved frame exercises every rounding of Display.
        RecordingWindow window;
        window.ends[{AxisLine::linXax, EndPoint::X1}] = 841.3f;
        window.ends[{AxisLine::linXax, EndPoint::Y1}] = 2279.7f;
        window.ends[{AxisLine::linYax, EndPoint::X1}] = 2399.1f;
        window.ends[{AxisLine::linYax, EndPoint::Y1}] = 733.3f;
        mnuSiDisp_Click(window);
        report("display moved", window, "");
    }
    const char* bounds[][2] = {{"0", "3.141592"}, {"3.141592", "6.283184"},
                               {"0", "1"},        {"2", "1"},
                               {"1", "1"},        {"-1", "1"},
                               {"-3", "3"},       {"-3.141592", "6.283184"},
                               {"0.1", "0.7"},    {"-1e30", "1e30"},
                               {"0", "1e36"},     {"1e-7", "2e-7"}};
    for (const auto& pair : bounds) {
        RecordingWindow window;
        window.answers = {pair[0], pair[1]};
        const char* failure = "";
        try {
            mnuSinIn_Click(window);
        } catch (const RuntimeError& error) {
            failure = error.kind() == ErrorKind::Overflow ? " overflow" : " type mismatch";
        }
        char name[64];
        std::snprintf(name, sizeof name, "integrate %s %s", pair[0], pair[1]);
        report(name, window, failure);
    }
}
