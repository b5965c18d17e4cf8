#pragma once

#include "window/layout.h"
#include "window/window_services.h"

#include <QStringList>

#include <deque>
#include <map>
#include <utility>
#include <vector>

namespace tarquel::testing {

// A stand-in for the window that records every service call.
class RecordingWindow final : public WindowServices {
public:
    struct Call {
        enum class Kind { Cls, Line, Box };
        Kind kind;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        Colour colour{};
    };

    RecordingWindow()
    {
        for (const layout::Line& l : layout::kLines) {
            ends[{l.id, EndPoint::X1}] = l.x1;
            ends[{l.id, EndPoint::Y1}] = l.y1;
        }
    }

    void cls() override { calls.push_back({Call::Kind::Cls}); }
    void line(float x1, float y1, float x2, float y2, Colour colour) override
    {
        calls.push_back({Call::Kind::Line, x1, y1, x2, y2, colour});
    }
    void box(float x1, float y1, float x2, float y2, Colour colour) override
    {
        calls.push_back({Call::Kind::Box, x1, y1, x2, y2, colour});
    }
    [[nodiscard]] float axisEnd(AxisLine line, EndPoint end) const override
    {
        reads.emplace_back(line, end);
        return ends.at({line, end});
    }
    void setResultText(const QString& text) override { resultText = text; }
    QString inputBox(const QString& prompt) override
    {
        prompts << prompt;
        if (answers.empty())
            return {};
        QString text = answers.front();
        answers.pop_front();
        return text;
    }

    // The drawing calls of one kind, in order.
    [[nodiscard]] std::vector<Call> drawn(Call::Kind kind) const
    {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.kind == kind)
                out.push_back(c);
        return out;
    }

    std::map<std::pair<AxisLine, EndPoint>, float> ends;
    mutable std::vector<std::pair<AxisLine, EndPoint>> reads;
    std::vector<Call> calls;
    QString resultText = QStringLiteral("unchanged");
    std::deque<QString> answers;
    QStringList prompts;
};

} // namespace tarquel::testing
