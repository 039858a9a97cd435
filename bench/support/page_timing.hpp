// What the page benchmarks share: the two devices, the median of a sample,
// one page drawn as the step view draws it (white background, real faces,
// scale 2), and the timing of every page of a solution.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "common/layout.hpp"
#include "common/tableau.hpp"
#include "engine/step_page.hpp"
#include "platform/gfx/cairo_context.hpp"

namespace tl::bench {

struct Device {
    const char* name;
    gfx::Size size;
    double base;  // the text size of a main screen that wide
};
inline constexpr Device kPhone{"phone", {390, 844}, 30};
inline constexpr Device kTablet{"tablet", {1024, 1366}, 32};
inline constexpr Device kDevices[] = {kPhone, kTablet};

inline double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

/// The font fitting of a page's tables alone, in the table band the step
/// view gives them on `device`.
inline std::vector<TableSizes> fitPageTables(const Engine_Step& tables, const Device& device) {
    using namespace stepPageMargin;
    const double h = (device.size.height - 10) - (top + bottom);
    return fitTableFontSizes(device.size.width - (lead + trail), kLayOut::tableBandFraction * h, device.base,
                             gfx::weight::medium, tables);
}

inline void drawPage(gfx::ImageSurface& image, const StepTriple& t, std::size_t page, double base) {
    gfx::Context& context = image.context();
    context.setFillColor(gfx::palette::white);
    context.fillRect({0, 0, image.size().width, image.size().height});
    drawStepPage(context, image.size(), t, static_cast<std::int64_t>(page), base);
}

/// The benchmark loop: each run draws every page of `t` once, timing each.
/// Counters: pages, median_page_ms (the median page), worst_page_ms (the
/// slowest page's median) and worst_page (its number, from 1).
inline void timeEveryPage(benchmark::State& state, const StepTriple& t, const Device& device) {
    using Clock = std::chrono::steady_clock;
    gfx::ImageSurface image(device.size.width, device.size.height, 2);
    std::vector<std::vector<double>> perPage(t.steps.size());
    for (auto _ : state) {
        for (std::size_t p = 0; p < t.steps.size(); ++p) {
            const auto start = Clock::now();
            drawPage(image, t, p, device.base);
            perPage[p].push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
    }
    std::vector<double> medians;
    for (const auto& times : perPage) medians.push_back(median(times));
    const auto worst = std::max_element(medians.begin(), medians.end());
    state.counters["pages"] = static_cast<double>(t.steps.size());
    state.counters["median_page_ms"] = median(medians);
    state.counters["worst_page_ms"] = worst == medians.end() ? 0 : *worst;
    state.counters["worst_page"] = worst == medians.end() ? 0 : static_cast<double>(worst - medians.begin() + 1);
}

/// The page of `t` that takes longest to draw on `device` (median of five).
inline std::size_t slowestPage(const StepTriple& t, const Device& device) {
    using Clock = std::chrono::steady_clock;
    gfx::ImageSurface image(device.size.width, device.size.height, 2);
    std::size_t slowest = 0;
    double longest = -1;
    for (std::size_t p = 0; p < t.steps.size(); ++p) {
        std::vector<double> times;
        for (int k = 0; k < 5; ++k) {
            const auto start = Clock::now();
            drawPage(image, t, p, device.base);
            times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        }
        if (median(times) > longest) {
            longest = median(times);
            slowest = p;
        }
    }
    return slowest;
}

}  // namespace tl::bench
