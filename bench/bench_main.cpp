// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

// Speed of the two commands on the real drawing surface and on one that
// draws nothing, and of whole batch renders as processes.

#include "plotting/sine_display.h"
#include "plotting/sine_integrate.h"
#include "recording_window.h"
#include "window/canvas.h"
#include "window/frm_tarquel.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tarquel;

namespace {

// Answers the axis end points of the design and swallows every drawing.
class NullWindow final : public WindowServices {
public:
    void cls() override {}
    void line(float x1, float y1, float x2, float y2, Colour) override
    {
        benchmark::DoNotOptimize(x1 + y1 + x2 + y2);
    }
    void box(float x1, float y1, float x2, float y2, Colour) override
    {
        benchmark::DoNotOptimize(x1 + y1 + x2 + y2);
    }
    [[nodiscard]] float axisEnd(AxisLine line, EndPoint end) const override
    {
        if (line == AxisLine::linXax)
            return end == EndPoint::X1 ? 840.0f : 2280.0f;
        return end == EndPoint::X1 ? 2400.0f : 720.0f;
    }
    void setResultText(std::string_view text) override { benchmark::DoNotOptimize(text.size()); }
    std::string inputBox(std::string_view) override { return {}; }
};

// The real surface at the device pixel ratio given as the argument.
void BM_Display_Real(benchmark::State& state)
{
    FrmTarquel form;
    form.canvas().setPixelRatio(static_cast<qreal>(state.range(0)));
    for (auto _ : state)
        mnuSiDisp_Click(form);
}

void BM_Display_Null(benchmark::State& state)
{
    NullWindow window;
    for (auto _ : state)
        mnuSiDisp_Click(window);
}

// Types the demo's bounds through the recording layer, as the batch does.
void integrate(benchmark::State& state, WindowServices& window)
{
    RecordingWindow prompts(&window);
    for (auto _ : state) {
        prompts.answers = {"0", "3.141592"};
        mnuSinIn_Click(prompts);
        prompts.calls.clear();
        prompts.reads.clear();
        prompts.prompts.clear();
    }
}

void BM_Integrate_Real(benchmark::State& state)
{
    FrmTarquel form;
    form.canvas().setPixelRatio(static_cast<qreal>(state.range(0)));
    integrate(state, form);
}

void BM_Integrate_Null(benchmark::State& state)
{
    NullWindow window;
    integrate(state, window);
}

// A whole process: start-up alone, with Display, and the demo with its PNG.
void BM_BatchProcess(benchmark::State& state, const QStringList& commands, bool png)
{
    QTemporaryDir dir;
    QStringList arguments{QStringLiteral("--batch")};
    if (png)
        arguments << QStringLiteral("--png") << dir.filePath(QStringLiteral("demo.png"));
    arguments << commands;
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(TARQUEL_EXECUTABLE), arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            state.SkipWithError("tarquel failed");
            break;
        }
    }
}

} // namespace

BENCHMARK(BM_Display_Real)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Display_Null)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Integrate_Real)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Integrate_Null)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_BatchProcess, startup, QStringList{}, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BatchProcess, display, QStringList{"display"}, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BatchProcess, demo_no_png,
                  (QStringList{"display", "integrate", "0", "3.141592"}), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BatchProcess, demo_with_png,
                  (QStringList{"display", "integrate", "0", "3.141592"}), true)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
