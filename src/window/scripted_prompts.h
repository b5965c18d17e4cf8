#pragma once

#include "window/window_services.h"

#include <deque>
#include <utility>

namespace tarquel {

// Another window's services with the prompts answered from a list, as a
// batch types them; an exhausted list answers like Cancel.
class ScriptedPrompts final : public WindowServices {
public:
    explicit ScriptedPrompts(WindowServices& window) : window_(window) {}

    void answer(std::deque<QString> texts) { answers_ = std::move(texts); }

    void cls() override { window_.cls(); }
    void line(float x1, float y1, float x2, float y2, Colour colour) override
    {
        window_.line(x1, y1, x2, y2, colour);
    }
    void box(float x1, float y1, float x2, float y2, Colour colour) override
    {
        window_.box(x1, y1, x2, y2, colour);
    }
    [[nodiscard]] float axisEnd(AxisLine line, EndPoint end) const override
    {
        return window_.axisEnd(line, end);
    }
    void setResultText(const QString& text) override { window_.setResultText(text); }
    QString inputBox(const QString& /*prompt*/) override
    {
        if (answers_.empty())
            return {};
        QString text = answers_.front();
        answers_.pop_front();
        return text;
    }

private:
    WindowServices& window_;
    std::deque<QString> answers_;
};

} // namespace tarquel
