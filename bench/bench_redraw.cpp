// The sharp redraw after a resize: a game's picture on the 宇宙 background,
// drawn at 100 % and then shown at the scale of a window of the given size
// (QtSurface::setScale redraws everything kept, each picture at the pixels it
// is shown at). Run it in an optimised build:
//   build/bench/zr-bench-redraw --benchmark_counters_tabular=true
#include "display/display.h"
#include "display/pictures.h"
#include "display/qt/qt_surface.h"
#include "rules/rules.h"
#include "support/fakes.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

using namespace tori;

// The drawing's design size at 100 %, and the scale at which it fills a
// window of w × h logical pixels (the menu bar left aside).
constexpr int designWidth = 600, designHeight = 456;
double fillingScale(int w, int h)
{
    return std::min(double(w) / designWidth, double(h) / designHeight);
}

void drawAGame(QtSurface& s)
{
    GameState g;
    初期設定(g);
    testing::FakeMenu menu;
    tori::Display d(g, s, menu);
    d.描画_背景(背景_宇宙);
    d.描画_盤();
    d.描画_自持盤();
    d.描画_敵持盤();
    d.描画_レベル(5);
    d.描画_所有時間(g.MAN手番, 75);
    d.描画_所有時間(g.COM手番, 3700);
    d.描画_移動結果(g.COM手番, 3, 4, 燕, 15);
    d.描画_桝輪郭(15, 3, 4);
}

void SharpRedraw(benchmark::State& state)
{
    const double scale = fillingScale(int(state.range(0)), int(state.range(1)));
    QtSurface s({ designWidth, designHeight }, 1);
    drawAGame(s);
    bool big = false;
    for (auto _ : state) {
        // Each round a size not shown just before, as a resize brings.
        s.setScale(big ? scale : scale * 0.97, 1);
        big = !big;
        benchmark::DoNotOptimize(s.image().constBits());
    }
    state.counters["scale"] = scale;
    state.counters["pixels"] = double(s.image().width()) * s.image().height();
}
BENCHMARK(SharpRedraw)
    ->Args({ 900, 700 })
    ->Args({ 1300, 1000 })
    ->Args({ 2500, 1500 })
    ->Args({ 2560, 1600 })
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
