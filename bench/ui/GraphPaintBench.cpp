// Cost of a whole repaint of the f(x) mode's graph into its image (sampling
// with a warm cache, then drawing) at the graph's size, 20 functions shown.
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"
#include "engine/workspace/Workspace.h"
#include "ui/views/GraphView.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>

using namespace tallix;

namespace {

void BM_GraphRepaintWarmCache(benchmark::State& state) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tallix_ui_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    auto ws = std::make_unique<Workspace>();
    FuncSet* set = &ws->funcs();
    const char* const functions[] = {"sin x*3", "x^2/4-5", "sqrtx", "1/x",     "abs x-4",
                                     "cos(2x)", "x^3/50",  "ln x",  "e^(x/5)", "tan x"};
    for (int n = 1; n <= kFuncSlotCount; ++n)
        setFuncText(*set, n, functions[(n - 1) % 10]);
    GraphView view(*ws, nullptr);
    view.resize(344, 170);
    view.renderImage(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(view.renderImage(1));
}
BENCHMARK(BM_GraphRepaintWarmCache);

} // namespace
