// Cost of measuring text with the real faces and of drawing a page into an image.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/gfx/cairo_context.hpp"
#include "platform/gfx/text.hpp"

using namespace gfx;

namespace {

// The same short text again and again: every measure after the first is a cache hit.
void BM_MeasureCached(benchmark::State& state) {
    Font font = Font::monospacedDigit(30, weight::medium);
    for (auto _ : state) benchmark::DoNotOptimize(measureText("1234 + 5678 = 6912", font));
}
BENCHMARK(BM_MeasureCached);

// A new text every time: every measure shapes with Pango.
void BM_MeasureUncached(benchmark::State& state) {
    Font font = Font::monospacedDigit(30, weight::medium);
    long n = 1'000'000'000;
    for (auto _ : state) {
        std::string text = std::to_string(++n) + " + 5678";
        benchmark::DoNotOptimize(measureText(text, font));
    }
}
BENCHMARK(BM_MeasureUncached);

// What fitting a page's fonts costs: 40 texts of a page at 60 trial sizes.
void BM_MeasureFitting(benchmark::State& state) {
    std::vector<std::string> texts;
    for (int i = 0; i < 40; ++i) texts.push_back(std::to_string(1000 + 37 * i) + " − " + std::to_string(i));
    Font unit = Font::monospacedDigit(1, weight::medium);
    for (auto _ : state) {
        double size = 48;
        for (int trial = 0; trial < 60; ++trial, size *= 0.98) {
            Font font = unit.withSize(size);
            for (const auto& t : texts) benchmark::DoNotOptimize(measureText(t, font));
        }
    }
    state.SetItemsProcessed(state.iterations() * 40 * 60);
}
BENCHMARK(BM_MeasureFitting);

void drawPage(Context& ctx) {
    ctx.setFillColor(palette::white);
    ctx.fillRect({0, 0, 390, 844});
    ContextScope scope(&ctx);
    Font digits = Font::monospacedDigit(30, weight::medium);
    Font small = Font::monospacedDigit(22.5, weight::medium);
    drawText("regroup and trade", {20, 10}, {Font::system(24, weight::medium)});
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 5; ++col)
            drawText(std::to_string(col + row), {60.0 + 50 * col, 80.0 + 60 * row},
                     {(row % 2) ? small : digits, row == 2 ? palette::red : palette::black,
                      col == 1 ? palette::lightGray : palette::clear});
    ctx.setStrokeColor(palette::black);
    ctx.setLineWidth(2.5);
    for (int i = 0; i < 20; ++i) {
        ctx.moveTo({40.0, 70.0 + 20 * i});
        ctx.lineTo({350.0, 70.0 + 20 * i});
        ctx.drawPath(PathMode::fillStroke);
    }
    drawText("👈🏽 prior        next 👉🏽", {40, 780}, {Font::system(30, weight::medium)});
}

// A page-sized image at scale 2: a few dozen text runs and lines.
void BM_DrawPage(benchmark::State& state) {
    ImageSurface image(390, 844, 2);
    for (auto _ : state) drawPage(image.context());
}
BENCHMARK(BM_DrawPage)->Unit(benchmark::kMillisecond);

void BM_DrawPageToPng(benchmark::State& state) {
    const std::string path = "/tmp/tl_gfx_bench_page.png";
    for (auto _ : state) {
        ImageSurface image(390, 844, 2);
        drawPage(image.context());
        benchmark::DoNotOptimize(image.writePng(path));
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_DrawPageToPng)->Unit(benchmark::kMillisecond);

}  // namespace
