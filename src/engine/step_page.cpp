#include "engine/step_page.hpp"

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>

#include "base/errors.hpp"
#include "common/drawing.hpp"
#include "common/items.hpp"
#include "common/layout.hpp"
#include "engine/typesetter.hpp"
#include "platform/gfx/font.hpp"
#include "platform/gfx/recording_context.hpp"

namespace tl {

namespace {

constexpr double kTableWeight = gfx::weight::medium;

NodeBox measureTable(const Engine_Table& table, double size, double weight) {
    return measureTableNode(size, weight, table, tableRootRow(table));
}

/// The room between two stacked tables: the base font's line gap, scaled by
/// the mean of the two tables' sizes.
double tableGap(double sizeAbove, double sizeBelow, double base, double gap) {
    return ((sizeBelow + sizeAbove) * 0.5 / base) * gap;
}

double baseLineGap(double base) {
    gfx::Font font = gfx::Font::monospacedDigit(base, kTableWeight);
    return font.lineHeight() - font.pointSize();
}

double shrunk(double size) { return std::max(kMinimumTableFontSize, size * kLayOut::tableShrinkFactor); }

/// The trial sizes of the width pass: base, then 2 % less each step, down
/// to the floor (the last trial).
std::vector<double> trialSizes(double base) {
    std::vector<double> sizes{base};
    while (std::isfinite(sizes.back()) && sizes.back() > kMinimumTableFontSize) sizes.push_back(shrunk(sizes.back()));
    return sizes;
}

struct Fitted {
    double size;
    NodeBox box;  // the table at that size
};

/// The first trial size at which the table is no wider than `width`, or the
/// floor when none is. A table never gets narrower as its size grows, so
/// the trials split into a run too wide and a run that fits, and halving
/// finds the first that fits in a few measures rather than one per trial.
Fitted widthFit(const Engine_Table& table, double width, const std::vector<double>& trials, double weight) {
    const auto at = [&](std::size_t k) { return Fitted{trials[k], measureTable(table, trials[k], weight)}; };
    Fitted first = at(0);
    if (first.box.width <= width || trials.size() == 1) return first;
    Fitted fits = at(trials.size() - 1);
    if (fits.box.width > width) return fits;  // at the floor: drawn there
    std::size_t tooWide = 0, fitting = trials.size() - 1;
    while (fitting - tooWide > 1) {
        const std::size_t middle = tooWide + (fitting - tooWide) / 2;
        Fitted trial = at(middle);
        if (trial.box.width <= width) {
            fitting = middle;
            fits = trial;
        } else {
            tooWide = middle;
        }
    }
    return fits;
}

}  // namespace

std::vector<TableSizes> fitTableFontSizes(double width, double height, double base, double weight,
                                          const Engine_Step& tables) {
    double gap = baseLineGap(base);
    std::vector<TableSizes> sizes(tables.size(), TableSizes{base, base});
    // Each table's height at its fitted size; only a table that shrinks is
    // measured again.
    std::vector<double> heights(tables.size());

    const std::vector<double> trials = trialSizes(base);
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const Fitted fitted = widthFit(tables[i], width, trials, weight);
        sizes[i][1] = fitted.size;
        heights[i] = fitted.box.height;
    }

    while (true) {
        double total = 0;
        for (std::size_t i = 0; i < tables.size(); ++i) {
            total += heights[i];
            if (i > 0) total += tableGap(sizes[i - 1][1], sizes[i][1], base, gap);
        }
        if (total <= height) return sizes;

        // The tables nearest the largest ratio to their start size shrink
        // first, until they meet the others; then all shrink together.
        double rmax = 0;
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            double r = sizes[i][1] / sizes[i][0];
            if (i == 0 || r > rmax) rmax = r;
        }
        bool shrank = false;
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            TableSizes& s = sizes[i];
            if (rmax - s[1] / s[0] < 0.01 && s[1] > kMinimumTableFontSize) {
                s[1] = shrunk(s[1]);
                heights[i] = measureTable(tables[i], s[1], weight).height;
                shrank = true;
            }
        }
        if (!shrank) return sizes;  // at the floor: draw there
    }
}

namespace {

/// Calls `visit(i, box, top)` for each table from top to bottom, with its box
/// at its fitted size and its top, the first at `y`; gives the bottom of the
/// stack.
template <class Visit>
double stackTables(double y, const Engine_Step& tables, const std::vector<TableSizes>& sizes, Visit visit) {
    if (tables.empty()) return y;
    require(sizes.size() == tables.size(), "one size pair per table");
    const double base = sizes.front()[0];
    const double gap = baseLineGap(base);
    double cursor = y;
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const TableMeasures measures(tables[i]);  // a draw in `visit` measures no node again
        const NodeBox box = measureTable(tables[i], sizes[i][1], kTableWeight);
        visit(i, box, cursor);
        cursor += box.height;
        if (i + 1 < tables.size()) cursor += tableGap(sizes[i][1], sizes[i + 1][1], base, gap);
    }
    return cursor;
}

/// The width of the widest table and the height of the stack, gaps
/// included, as drawStepTables draws them.
gfx::Size stepTablesExtent(const Engine_Step& tables, const std::vector<TableSizes>& sizes) {
    double width = 0;
    const double height = stackTables(0, tables, sizes,
                                      [&](std::size_t, const NodeBox& box, double) { width = std::max(width, box.width); });
    return {width, height};
}

}  // namespace

void drawStepTables(double x, double y, const Engine_Step& tables, const std::vector<TableSizes>& sizes) {
    stackTables(y, tables, sizes, [&](std::size_t i, const NodeBox& box, double top) {
        drawTableNode(x, top + box.baseline, sizes[i][1], kTableWeight, tables[i], tableRootRow(tables[i]));
    });
}

namespace {

/// The tables with every broken one replaced by the error message; nothing
/// when none is broken (the page then draws the tables it was given).
std::optional<Engine_Step> replaceBrokenTables(const Engine_Step& tables, double base) {
    std::optional<Engine_Step> out;
    // A rehearsal into a context that is never shown reads every field and
    // colour the real drawing will.
    gfx::RecordingContext rehearsal;
    for (std::size_t i = 0; i < tables.size(); ++i) {
        try {
            gfx::ContextScope scope(&rehearsal);
            const TableMeasures measures(tables[i]);
            NodeBox box = measureTable(tables[i], base, kTableWeight);
            drawTableNode(0, box.baseline, base, kTableWeight, tables[i], tableRootRow(tables[i]));
            rehearsal.clear();
        } catch (const std::exception&) {
            // A broken table must not take the whole app down: the page
            // says so in its place and the learner can page on.
            if (!out) out = tables;
            (*out)[i] = messageTable(kTableErrorText);
        }
    }
    return out;
}

}  // namespace

Engine_Step typesettableTables(const Engine_Step& tables, double base) {
    return replaceBrokenTables(tables, base).value_or(tables);
}

void drawStepPage(gfx::Context& context, gfx::Size viewSize, const Engine_Step& tables,
                  const std::vector<std::string>& comments, std::int64_t totalSteps, double base) {
    using namespace stepPageMargin;
    double w = viewSize.width - (lead + trail);
    double h = (viewSize.height - 10) - (top + bottom);
    if (w <= 0 || h <= 0) return;

    gfx::ContextScope scope(&context);
    drawTextLines(lead, top, w, kLayOut::commentBandFraction * h, base, gfx::weight::medium, comments, true,
                  gfx::palette::black, gfx::palette::clear);

    double y = top + kLayOut::commentBandFraction * h + kLayOut::bandGap;
    if (!tables.empty()) {
        const std::optional<Engine_Step> replaced = replaceBrokenTables(tables, base);
        const Engine_Step& shown = replaced ? *replaced : tables;
        try {
            const double band = kLayOut::tableBandFraction * h;
            auto sizes = fitTableFontSizes(w, band, base, kTableWeight, shown);
            // Only a table at the size floor can still overflow the band;
            // then the whole stack is drawn scaled down to fit it.
            const bool atFloor =
                std::ranges::any_of(sizes, [](const TableSizes& s) { return s[1] <= kMinimumTableFontSize; });
            const gfx::Size extent = atFloor ? stepTablesExtent(shown, sizes) : gfx::Size{0, 0};
            const double scale =
                std::min({1.0, w / std::max(extent.width, 1e-9), band / std::max(extent.height, 1e-9)});
            if (scale < 1) {
                context.save();
                try {
                    context.translate(lead, y);
                    context.scale(scale, scale);
                    drawStepTables(0, 0, shown, sizes);
                } catch (...) {
                    context.restore();
                    throw;
                }
                context.restore();
            } else {
                drawStepTables(lead, y, shown, sizes);
            }
        } catch (const std::exception&) {
            // Every table drew once already; whatever still breaks leaves the
            // rest of the page (and the navigator) standing.
        }
    }

    y += kLayOut::tableBandFraction * h + kLayOut::bandGap;
    if (totalSteps > 1)
        drawTextLines(lead, y, w, kLayOut::navigatorBandFraction * h, base, gfx::weight::medium,
                      {std::string(kNavigatorLine)}, true, gfx::palette::black, gfx::palette::clear);
}

void drawStepPage(gfx::Context& context, gfx::Size viewSize, const Engine_Step& tables,
                  const std::vector<std::string>& comments, std::int64_t totalSteps) {
    drawStepPage(context, viewSize, tables, comments, totalSteps, screenScaledFontSize());
}

bool drawStepPage(gfx::Context& context, gfx::Size viewSize, const StepTriple& solution, std::int64_t page,
                  double base) {
    if (page < 0 || static_cast<std::size_t>(page) >= solution.steps.size() ||
        static_cast<std::size_t>(page) >= solution.comments.size())
        return false;
    auto index = static_cast<std::size_t>(page);
    drawStepPage(context, viewSize, solution.steps[index], solution.comments[index],
                 static_cast<std::int64_t>(solution.steps.size()), base);
    return true;
}

std::optional<std::int64_t> pageAfterTap(gfx::Point p, gfx::Size viewSize, std::int64_t step,
                                         std::int64_t totalSteps) {
    using namespace stepPageMargin;
    if (totalSteps <= 0) return std::nullopt;
    if (!(p.y > 0.9 * viewSize.height - bottom)) return std::nullopt;
    if (p.x > lead + (viewSize.width - (lead + trail)) * 0.5) {
        ++step;
        if (step == totalSteps) step = 0;
    } else {
        --step;
        if (step == -1) step = totalSteps - 1;
    }
    return step;
}

}  // namespace tl
