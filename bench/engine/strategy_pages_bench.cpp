// What a worked solution costs at the heaviest entry of each strategy:
// building its pages, and fitting, typesetting and drawing each page with the
// real faces into an image at phone (390 × 844) and tablet (1024 × 1366)
// size at scale 2. One run of a page benchmark draws every page once, timing
// each; the counters give the median page, the worst page and which it is.
// BM_FitWorstPage times the font fitting of the worst page alone,
// BM_LayoutWorstPage all of its drawing but the pixels (into a recording),
// and BM_Background the background fill every page time includes.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/step_page.hpp"
#include "platform/gfx/cairo_context.hpp"
#include "platform/gfx/recording_context.hpp"
#include "strategies.hpp"
#include "support/page_timing.hpp"

namespace {

using tl::bench::Device;
using tl::bench::kDevices;
using tl::bench::strategies;

void BM_Build(benchmark::State& state, std::size_t strategy) {
    const auto& s = strategies().at(strategy);
    std::size_t pages = 0;
    for (auto _ : state) {
        tl::StepTriple t = s.build();
        pages = t.steps.size();
        benchmark::DoNotOptimize(t);
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.SetLabel(s.entry);
}

void BM_Pages(benchmark::State& state, std::size_t strategy, Device device) {
    const auto& s = strategies().at(strategy);
    tl::bench::timeEveryPage(state, s.build(), device);
    state.SetLabel(s.entry);
}

// The font fitting alone for the worst page's tables in the table band of a
// phone-sized view.
void BM_FitWorstPage(benchmark::State& state, std::size_t strategy) {
    const tl::StepTriple t = strategies().at(strategy).build();
    const std::size_t page = tl::bench::slowestPage(t, tl::bench::kPhone);
    const auto& tables = t.steps.at(page);
    for (auto _ : state)
        benchmark::DoNotOptimize(tl::bench::fitPageTables(tables, tl::bench::kPhone));
    state.counters["page"] = static_cast<double>(page + 1);
}

// The worst page drawn into a recording instead of pixels: everything the
// step view works out (rehearsal, fitting, typesetting) without rasterising.
void BM_LayoutWorstPage(benchmark::State& state, std::size_t strategy) {
    const tl::StepTriple t = strategies().at(strategy).build();
    const std::size_t page = tl::bench::slowestPage(t, tl::bench::kPhone);
    for (auto _ : state) {
        gfx::RecordingContext context;
        tl::drawStepPage(context, {390, 844}, t, static_cast<std::int64_t>(page), 30);
        benchmark::DoNotOptimize(context.ops().size());
    }
    state.counters["page"] = static_cast<double>(page + 1);
}

// The floor under every page time: filling the view's background, which the
// step view does before the page draws (pixel work only).
void BM_Background(benchmark::State& state, Device device) {
    gfx::ImageSurface image(device.size.width, device.size.height, 2);
    for (auto _ : state) {
        image.context().setFillColor(gfx::palette::white);
        image.context().fillRect({0, 0, device.size.width, device.size.height});
    }
}

const bool registered = [] {
    for (const Device& d : kDevices)
        benchmark::RegisterBenchmark((std::string("BM_Background/") + d.name).c_str(), BM_Background, d)
            ->Unit(benchmark::kMillisecond);
    std::size_t i = 0;
    for (const char* name : tl::bench::kStrategyNames) {
        benchmark::RegisterBenchmark((std::string("BM_Build/") + name).c_str(), BM_Build, i)
            ->Unit(benchmark::kMicrosecond);
        for (const Device& d : kDevices)
            benchmark::RegisterBenchmark((std::string("BM_Pages/") + name + "/" + d.name).c_str(), BM_Pages, i, d)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.3);
        benchmark::RegisterBenchmark((std::string("BM_FitWorstPage/") + name).c_str(), BM_FitWorstPage, i)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_LayoutWorstPage/") + name).c_str(), BM_LayoutWorstPage, i)
            ->Unit(benchmark::kMillisecond);
        ++i;
    }
    return true;
}();

}  // namespace
