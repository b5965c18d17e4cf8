// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include "plotting/window_services.h"
#include "window/layout.h"

#include <algorithm>
#include <deque>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tarquel {

// The tests' stand-in for the window: window services that record every
// call and answer the prompts from a list (an exhausted list answers like
// Cancel). Over a real window it passes the drawings and the caption on to
// it and reads its axis ends; alone it stands in for the window with the
// design's axis ends, which a test may move.
class RecordingWindow final : public WindowServices {
public:
    struct Call {
        enum class Kind { Cls, Line, Box };
        Kind kind;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        Colour colour{};
    };

    explicit RecordingWindow(WindowServices* window = nullptr) : window_(window)
    {
        for (const layout::Line& l : layout::kLines) {
            ends[{l.id, EndPoint::X1}] = l.x1;
            ends[{l.id, EndPoint::Y1}] = l.y1;
        }
    }

    void cls() override
    {
        calls.push_back({Call::Kind::Cls});
        if (window_)
            window_->cls();
    }
    void line(float x1, float y1, float x2, float y2, Colour colour) override
    {
        calls.push_back({Call::Kind::Line, x1, y1, x2, y2, colour});
        if (window_)
            window_->line(x1, y1, x2, y2, colour);
    }
    void box(float x1, float y1, float x2, float y2, Colour colour) override
    {
        calls.push_back({Call::Kind::Box, x1, y1, x2, y2, colour});
        if (window_)
            window_->box(x1, y1, x2, y2, colour);
    }
    [[nodiscard]] float axisEnd(AxisLine line, EndPoint end) const override
    {
        reads.emplace_back(line, end);
        return window_ ? window_->axisEnd(line, end) : ends.at({line, end});
    }
    void setResultText(std::string_view text) override
    {
        resultText = text;
        if (window_)
            window_->setResultText(text);
    }
    std::string inputBox(std::string_view prompt) override
    {
        prompts.emplace_back(prompt);
        if (answers.empty())
            return {};
        std::string text = answers.front();
        answers.pop_front();
        return text;
    }

    // The drawing calls of one kind, in order.
    [[nodiscard]] std::vector<Call> drawn(Call::Kind kind) const
    {
        std::vector<Call> out;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
                     [kind](const Call& c) { return c.kind == kind; });
        return out;
    }

    std::map<std::pair<AxisLine, EndPoint>, float> ends;
    mutable std::vector<std::pair<AxisLine, EndPoint>> reads;
    std::vector<Call> calls;
    std::string resultText = "unchanged";
    std::deque<std::string> answers;
    std::vector<std::string> prompts;

private:
    WindowServices* window_;
};

} // namespace tarquel
