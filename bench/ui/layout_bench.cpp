// Solving a pad-sized constraint system (about 100 views and 500
// constraints, chains stated from both sides as the keypad states them), as
// the window does on start and on every resize.
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/ui/layout.hpp"
#include "platform/ui/view.hpp"

namespace {

ui::View* constrained(ui::View& parent) {
    auto* v = parent.add(std::make_unique<ui::View>());
    v->setTranslatesAutoresizingMaskIntoConstraints(false);
    return v;
}

}  // namespace

static void BM_SolveKeyGrid(benchmark::State& state) {
    const int rowsWanted = static_cast<int>(state.range(0)), keysPerRow = 9;
    ui::View root({0, 0, 390, 844});
    ui::View* grid = constrained(root);
    grid->topAnchor().constraintEqualTo(root.topAnchor(), 5);
    grid->bottomAnchor().constraintEqualTo(root.bottomAnchor(), -5);
    grid->leadingAnchor().constraintEqualTo(root.leadingAnchor(), 5);
    grid->trailingAnchor().constraintEqualTo(root.trailingAnchor(), -5);
    std::vector<ui::View*> rows;
    for (int i = 0; i < rowsWanted; ++i) rows.push_back(constrained(*grid));
    for (int i = 0; i < rowsWanted; ++i) {
        ui::View* r = rows[i];
        r->topAnchor().constraintEqualTo(i == 0 ? grid->topAnchor() : rows[i - 1]->bottomAnchor(), i == 0 ? 0 : 1);
        if (i + 1 < rowsWanted) r->bottomAnchor().constraintEqualTo(rows[i + 1]->topAnchor(), -1);
        else r->bottomAnchor().constraintEqualTo(grid->bottomAnchor());
        r->leadingAnchor().constraintEqualTo(grid->leadingAnchor());
        r->trailingAnchor().constraintEqualTo(grid->trailingAnchor());
        r->heightAnchor().constraintEqualTo(rows[0]->heightAnchor());
        std::vector<ui::View*> keys;
        for (int j = 0; j < keysPerRow; ++j) keys.push_back(constrained(*r));
        for (int j = 0; j < keysPerRow; ++j) {
            ui::View* k = keys[j];
            k->topAnchor().constraintEqualTo(r->topAnchor());
            k->bottomAnchor().constraintEqualTo(r->bottomAnchor());
            k->leadingAnchor().constraintEqualTo(j == 0 ? r->leadingAnchor() : keys[j - 1]->trailingAnchor(),
                                                 j == 0 ? 0 : 1);
            if (j + 1 < keysPerRow) k->trailingAnchor().constraintEqualTo(keys[j + 1]->leadingAnchor(), -1);
            else k->trailingAnchor().constraintEqualTo(r->trailingAnchor());
            k->widthAnchor().constraintEqualTo(keys[0]->widthAnchor());
        }
    }
    double width = 390;
    for (auto _ : state) {
        width = width == 390 ? 844 : 390;  // rotate, as a resize does
        root.setFrame({0, 0, width, 1234 - width});
        ui::layoutIfNeeded(&root);
        benchmark::DoNotOptimize(rows.back()->frame());
    }
    state.counters["constraints"] = static_cast<double>(ui::liveConstraintCount());
}
BENCHMARK(BM_SolveKeyGrid)->Arg(4)->Arg(10)->Arg(20)->Unit(benchmark::kMicrosecond);
