// What one redraw of the step view costs: the table fitting (each trial size
// it tries measures whole tables) and the drawing of a page, with the real
// fonts.
#include <benchmark/benchmark.h>

#include "common/items.hpp"
#include "common/number_items.hpp"
#include "engine/step_page.hpp"
#include "engine/typesetter.hpp"
#include "platform/gfx/cairo_context.hpp"
#include "platform/gfx/recording_context.hpp"

namespace {

using namespace tl;

/// A page of expressions: n lines of a + b/c = d e/f, each a few joins deep.
Engine_Step expressionPage(int lines) {
    Engine_Step page{messageTable("add the fractions")};
    for (int i = 1; i <= lines; ++i) {
        Engine_Table sum = joinItem("+", integerItem(i), fractionItem(i, i + 1));
        page.push_back(joinItem("=", sum, mixedNumberItem(i, 1, i + 1)));
    }
    return page;
}

void BM_MeasureTable(benchmark::State& state) {
    Engine_Table table = expressionPage(1).back();
    for (auto _ : state)
        benchmark::DoNotOptimize(measureTableNode(30, gfx::weight::medium, table, tableRootRow(table)));
}
BENCHMARK(BM_MeasureTable);

void BM_FitTables(benchmark::State& state) {
    Engine_Step page = expressionPage(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(fitTableFontSizes(380, 660, 30, gfx::weight::medium, page));
}
// 4 lines fit at the base size; 24 lines make the height pass shrink a while.
BENCHMARK(BM_FitTables)->Arg(4)->Arg(24);

void BM_DrawPageRecorded(benchmark::State& state) {
    Engine_Step page = expressionPage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        gfx::RecordingContext context;
        drawStepPage(context, {380, 790}, page, {"add the fractions"}, 5, 30);
        benchmark::DoNotOptimize(context.ops().size());
    }
}
BENCHMARK(BM_DrawPageRecorded)->Arg(4)->Arg(24);

void BM_DrawPageImage(benchmark::State& state) {
    Engine_Step page = expressionPage(8);
    gfx::ImageSurface image(390, 844, 2.0);
    for (auto _ : state) drawStepPage(image.context(), {380, 790}, page, {"add the fractions"}, 5, 30);
}
BENCHMARK(BM_DrawPageImage);

}  // namespace
