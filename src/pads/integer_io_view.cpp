#include "pads/integer_io_view.hpp"

#include <memory>

namespace tl {

namespace pad_detail {

std::unique_ptr<ui::Button> makeKey(const std::string& title, gfx::Rgba colour) {
    auto key = std::make_unique<ui::Button>();
    key->setTitle(title);
    key->titleLabel()->setAdjustsFontSizeToFitWidth(true);
    key->setTranslatesAutoresizingMaskIntoConstraints(false);
    key->setBackgroundColor(colour);
    key->setTitleColor(gfx::palette::black);
    key->addTarget(nullptr, std::string(kKeyPressedAction));
    return key;
}

void sizeDisplayTexts(ui::View& display, double base, double labelWeight) {
    for (const auto& sub : display.subviews()) {
        if (auto* label = dynamic_cast<ui::Label*>(sub.get()))
            label->setFont(gfx::Font::system(base, labelWeight));
        else if (auto* key = dynamic_cast<ui::Button*>(sub.get()); key && key->title() != kDoneKey)
            key->titleLabel()->setFont(gfx::Font::system(base));
    }
}

void pinLabel(ui::Label* label, ui::Button* button) {
    label->topAnchor().constraintEqualTo(button->topAnchor());
    label->bottomAnchor().constraintEqualTo(button->bottomAnchor());
    label->leadingAnchor().constraintEqualTo(button->leadingAnchor());
    label->trailingAnchor().constraintEqualTo(button->trailingAnchor());
}

namespace {

// One line as laid out: its segments (only those that take part) with the
// buttons and labels of their cells.
struct Segment {
    std::vector<ui::Button*> buttons;
    std::vector<ui::Label*> labels;
};
struct LaidLine {
    bool fraction = false;
    std::vector<Segment> segments;
    ui::Button* first() const { return segments.front().buttons.front(); }
    // The cell whose bottom is the line's bottom: the denominator of a
    // leading fraction, the whole number of a leading mixed number.
    ui::Button* bottomCell() const {
        const auto& s = segments.front().buttons;
        return fraction && s.size() == 2 ? s[1] : s[0];
    }
    // Line height in units of an ordinary cell's height.
    double heightUnits() const { return fraction && segments.front().buttons.size() == 3 ? 2.0 : 1.0; }
};

void equalIfDistinct(ui::LayoutAnchor a, ui::LayoutAnchor b) {
    if (a.view != b.view) a.constraintEqualTo(b);
}

}  // namespace

void layoutRows(const std::vector<Line<ui::Button>>& buttons, const std::vector<Line<ui::Label>>& labels,
                std::size_t fractionLines, ui::View* container) {
    // Collect what takes part: empty segments and lines drop out, and so do
    // fraction segments that are neither a fraction nor a mixed number.
    std::vector<LaidLine> lines;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        LaidLine line;
        line.fraction = i + fractionLines >= buttons.size();
        for (std::size_t j = 0; j < buttons[i].size(); ++j) {
            const auto& cells = buttons[i][j];
            if (cells.empty()) continue;
            if (line.fraction && cells.size() != 2 && cells.size() != 3) {
                // Neither a fraction nor a mixed number: no place for it.
                for (ui::Button* b : cells) b->setHidden(true);
                for (ui::Label* l : labels[i][j]) l->setHidden(true);
                continue;
            }
            line.segments.push_back({cells, labels[i][j]});
        }
        if (!line.segments.empty()) lines.push_back(std::move(line));
    }
    if (lines.empty()) return;

    const std::size_t n = lines.size();
    ui::View* V = container;
    ui::Button* reference = lines[0].first();
    const double referenceUnits = lines[0].heightUnits();

    for (std::size_t i = 0; i < n; ++i) {
        const LaidLine& line = lines[i];
        ui::Button* F = line.first();
        const auto top = [&](ui::Button* b) {
            if (i == 0)
                b->topAnchor().constraintEqualTo(V->topAnchor());
            else
                b->topAnchor().constraintEqualTo(lines[i - 1].bottomCell()->bottomAnchor(), kLineGap);
        };
        const auto bottom = [&](ui::Button* b) {
            if (i + 1 == n)
                b->bottomAnchor().constraintEqualTo(V->bottomAnchor());
            else
                b->bottomAnchor().constraintEqualTo(lines[i + 1].first()->topAnchor(), -kLineGap);
        };
        const std::size_t segments = line.segments.size();
        const auto segmentLeading = [&](ui::Button* b, std::size_t j) {
            if (j == 0)
                b->leadingAnchor().constraintEqualTo(V->leadingAnchor());
            else
                b->leadingAnchor().constraintEqualTo(line.segments[j - 1].buttons.back()->trailingAnchor(),
                                                     kSegmentGap);
        };
        const auto segmentTrailing = [&](ui::Button* b, std::size_t j) {
            if (j + 1 == segments)
                b->trailingAnchor().constraintEqualTo(V->trailingAnchor());
            else
                b->trailingAnchor().constraintEqualTo(line.segments[j + 1].buttons.front()->leadingAnchor(),
                                                      -kSegmentGap);
        };

        if (!line.fraction) {
            for (std::size_t j = 0; j < segments; ++j) {
                const auto& cells = line.segments[j].buttons;
                for (std::size_t k = 0; k < cells.size(); ++k) {
                    ui::Button* B = cells[k];
                    top(B);
                    bottom(B);
                    if (k == 0)
                        segmentLeading(B, j);
                    else
                        B->leadingAnchor().constraintEqualTo(cells[k - 1]->trailingAnchor(), kCellGap);
                    if (k + 1 == cells.size())
                        segmentTrailing(B, j);
                    else
                        B->trailingAnchor().constraintEqualTo(cells[k + 1]->leadingAnchor(), -kCellGap);
                    equalIfDistinct(B->widthAnchor(), F->widthAnchor());
                    equalIfDistinct(B->heightAnchor(), reference->heightAnchor());
                    pinLabel(line.segments[j].labels[k], B);
                }
            }
            continue;
        }

        for (std::size_t j = 0; j < segments; ++j) {
            const auto& cells = line.segments[j].buttons;
            const auto& cellLabels = line.segments[j].labels;
            if (cells.size() == 2) {
                ui::Button* N = cells[0];
                ui::Button* D = cells[1];
                top(N);
                N->bottomAnchor().constraintEqualTo(D->topAnchor(), -kCellGap);
                segmentLeading(N, j);
                segmentTrailing(N, j);
                pinLabel(cellLabels[0], N);
                D->topAnchor().constraintEqualTo(N->bottomAnchor(), kCellGap);
                bottom(D);
                D->leadingAnchor().constraintEqualTo(N->leadingAnchor());
                D->trailingAnchor().constraintEqualTo(N->trailingAnchor());
                pinLabel(cellLabels[1], D);
                equalIfDistinct(N->widthAnchor(), F->widthAnchor());
                D->widthAnchor().constraintEqualTo(N->widthAnchor());
                N->heightAnchor().constraintEqualTo(D->heightAnchor());
            } else {
                ui::Button* W = cells[0];
                ui::Button* N = cells[1];
                ui::Button* D = cells[2];
                top(W);
                bottom(W);
                segmentLeading(W, j);
                W->trailingAnchor().constraintEqualTo(N->leadingAnchor(), -kCellGap);
                pinLabel(cellLabels[0], W);
                N->topAnchor().constraintEqualTo(W->topAnchor());
                N->bottomAnchor().constraintEqualTo(D->topAnchor(), -kCellGap);
                N->leadingAnchor().constraintEqualTo(W->trailingAnchor(), kCellGap);
                segmentTrailing(N, j);
                pinLabel(cellLabels[1], N);
                D->topAnchor().constraintEqualTo(N->bottomAnchor(), kCellGap);
                D->bottomAnchor().constraintEqualTo(W->bottomAnchor());
                D->leadingAnchor().constraintEqualTo(N->leadingAnchor());
                D->trailingAnchor().constraintEqualTo(N->trailingAnchor());
                pinLabel(cellLabels[2], D);
                equalIfDistinct(W->widthAnchor(), F->widthAnchor());
                N->widthAnchor().constraintEqualTo(W->widthAnchor());
                N->heightAnchor().constraintEqualTo(D->heightAnchor());
            }
        }
        // The line's first segment sets its height, once, in units of the
        // first line's cells: h for a fraction's numerator, 2h for a whole
        // number. Later segments of the other shape fit that height.
        if (i > 0) F->heightAnchor().constraintEqualTo(reference->heightAnchor(), line.heightUnits() / referenceUnits, 0);
    }
}

}  // namespace pad_detail

namespace {

using pad_detail::Line;

std::unique_ptr<ui::Label> makeLabel(const std::string& text, std::int64_t tag, gfx::Rgba colour) {
    auto label = std::make_unique<ui::Label>();
    label->setTextColor(gfx::palette::black);
    label->setBackgroundColor(colour);
    label->setTextAlignment(ui::TextAlignment::center);
    label->setAdjustsFontSizeToFitWidth(true);
    label->setBaselineAdjustment(ui::BaselineAdjustment::alignBaselines);
    label->setNumberOfLines(1);
    label->setText(text);
    label->setTag(static_cast<int>(tag));
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    return label;
}

// The value labels of `tables`, coloured by `colourOf(a, b, c, tag)`; a
// polynomial row's arrow cell is cyan.
template <class Colour>
auto valueLabels(const PadTables& tables, Colour colourOf) {
    return [&tables, colourOf](std::size_t a, std::size_t b, std::size_t c, std::int64_t tag) {
        const auto& row = tables[a][b];
        return c < row.size() ? makeLabel(row[c], tag, colourOf(a, b, c, tag))
                              : makeLabel(std::string(kArrowDown), tag, kArrowColour);
    };
}

}  // namespace

UniversalIntegerIOView::UniversalIntegerIOView(gfx::Rect frame, const PadTables& inputs,
                                               const PadTables& polynomials, const PadTables& fractions,
                                               const PadTables& options, const OptionDefaults& optionDefaults,
                                               const PadTables& multiLine)
    : BaseSizedView(frame) {
    requireEncodable(inputs, Tag::input, "input tables");
    requireEncodable(polynomials, Tag::polynomial, "polynomial tables");
    requireEncodable(fractions, Tag::fraction, "fraction tables");
    requireEncodable(options, Tag::option, "option groups");
    requireEncodable(multiLine, Tag::multi_line, "multi-line tables");
    setTranslatesAutoresizingMaskIntoConstraints(false);
    setBackgroundColor(gfx::palette::clear);

    const auto field = initialFieldSelection(inputs, polynomials, fractions);
    const auto caption = firstCellTag(multiLine, Tag::multi_line);
    const auto greenWhen = [](bool selected) { return selected ? kSelectedColour : kUnselectedColour; };
    const auto isField = [&](std::size_t, std::size_t, std::size_t, std::int64_t tag) {
        return greenWhen(field && *field == tag);
    };

    pad_detail::BuiltLines built;
    const auto append = [&](const PadTables& tables, Tag kind, auto colourOf) {
        pad_detail::appendLines(built, tables, kind, valueLabels(tables, colourOf));
    };
    append(multiLine, Tag::multi_line,
           [&](std::size_t, std::size_t, std::size_t, std::int64_t tag) { return greenWhen(caption && *caption == tag); });
    append(options, Tag::option, [&](std::size_t a, std::size_t b, std::size_t c, std::int64_t) {
        return greenWhen(static_cast<std::int64_t>(c) == defaultChoice(options[a][b].size(), optionDefaults, a, b));
    });
    append(inputs, Tag::input, isField);
    append(polynomials, Tag::polynomial, isField);
    append(fractions, Tag::fraction, isField);

    for (auto& button : built.buttons) addSubview(std::move(button));
    for (auto& label : built.labels) addSubview(std::move(label));
    pad_detail::layoutRows(built.buttonLines, built.labelLines, fractions.size(), this);
    sizeTexts(textBase());
}

void UniversalIntegerIOView::sizeTexts(double base) {
    pad_detail::sizeDisplayTexts(*this, base, pad_detail::kValueLabelWeight);
}

}  // namespace tl
