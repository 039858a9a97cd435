#include "pads/practice_io_view.hpp"

#include <memory>

#include "pads/integer_io_view.hpp"
#include "platform/ui/button.hpp"

namespace tl {

namespace {

using pad_detail::kCellGap;
using pad_detail::kLineGap;
using pad_detail::kSegmentGap;
using pad_detail::Line;

constexpr double kExamplesGap = 10;
constexpr double kDoneKeyHeightUnits = 2;

std::unique_ptr<ui::Label> makeLabel(ui::AttributedText text, std::int64_t tag, gfx::Rgba colour) {
    auto label = std::make_unique<ui::Label>();
    label->setTextColor(gfx::palette::black);
    label->setBackgroundColor(colour);
    label->setTextAlignment(ui::TextAlignment::center);
    label->setAdjustsFontSizeToFitWidth(true);
    label->setAttributedText(std::move(text));
    label->setTag(static_cast<int>(tag));
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    return label;
}

ui::AttributedText plain(const std::string& text) { return ui::AttributedText{{ui::TextRun{text, {}, {}}}}; }

// The labels of `tables`, coloured by `colourOf(a, b, c, tag)`.
template <class Colour>
auto valueLabels(const PadTables& tables, Colour colourOf) {
    return [&tables, colourOf](std::size_t a, std::size_t b, std::size_t c, std::int64_t tag) {
        return makeLabel(plain(tables[a][b][c]), tag, colourOf(a, b, c, tag));
    };
}

// Lines of choices, then the example lines, then the done key, each tied to
// the next item present.
void layoutRows(const std::vector<Line<ui::Button>>& buttonLines, const std::vector<Line<ui::Label>>& labelLines,
                const std::vector<ui::Label*>& examples, ui::Button* done, ui::View* V) {
    struct Laid {
        std::vector<std::vector<ui::Button*>> buttons;
        std::vector<std::vector<ui::Label*>> labels;
    };
    std::vector<Laid> lines;
    for (std::size_t i = 0; i < buttonLines.size(); ++i) {
        Laid line;
        for (std::size_t j = 0; j < buttonLines[i].size(); ++j) {
            if (buttonLines[i][j].empty()) continue;
            line.buttons.push_back(buttonLines[i][j]);
            line.labels.push_back(labelLines[i][j]);
        }
        if (!line.buttons.empty()) lines.push_back(std::move(line));
    }

    ui::View* reference = !lines.empty()      ? static_cast<ui::View*>(lines[0].buttons[0][0])
                          : !examples.empty() ? static_cast<ui::View*>(examples[0])
                                              : nullptr;
    const auto sameHeight = [&](ui::View* v) {
        if (reference && v != reference) v->heightAnchor().constraintEqualTo(reference->heightAnchor());
    };

    const std::size_t n = lines.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto& segments = lines[i].buttons;
        ui::Button* F = segments[0][0];
        for (std::size_t j = 0; j < segments.size(); ++j) {
            for (std::size_t k = 0; k < segments[j].size(); ++k) {
                ui::Button* B = segments[j][k];
                if (i == 0)
                    B->topAnchor().constraintEqualTo(V->topAnchor());
                else
                    B->topAnchor().constraintEqualTo(lines[i - 1].buttons[0][0]->bottomAnchor(), kLineGap);
                if (i + 1 < n)
                    B->bottomAnchor().constraintEqualTo(lines[i + 1].buttons[0][0]->topAnchor(), -kLineGap);
                else if (!examples.empty())
                    B->bottomAnchor().constraintEqualTo(examples[0]->topAnchor(), -kExamplesGap);
                else
                    B->bottomAnchor().constraintEqualTo(done->topAnchor(), -kExamplesGap);
                if (k > 0)
                    B->leadingAnchor().constraintEqualTo(segments[j][k - 1]->trailingAnchor(), kCellGap);
                else if (j > 0)
                    B->leadingAnchor().constraintEqualTo(segments[j - 1].back()->trailingAnchor(), kSegmentGap);
                else
                    B->leadingAnchor().constraintEqualTo(V->leadingAnchor());
                if (k + 1 < segments[j].size())
                    B->trailingAnchor().constraintEqualTo(segments[j][k + 1]->leadingAnchor(), -kCellGap);
                else if (j + 1 < segments.size())
                    B->trailingAnchor().constraintEqualTo(segments[j + 1][0]->leadingAnchor(), -kSegmentGap);
                else
                    B->trailingAnchor().constraintEqualTo(V->trailingAnchor());
                if (B != F) B->widthAnchor().constraintEqualTo(F->widthAnchor());
                sameHeight(B);
                pad_detail::pinLabel(lines[i].labels[j][k], B);
            }
        }
    }

    for (std::size_t j = 0; j < examples.size(); ++j) {
        ui::Label* E = examples[j];
        if (j > 0)
            E->topAnchor().constraintEqualTo(examples[j - 1]->bottomAnchor(), kLineGap);
        else if (n > 0)
            E->topAnchor().constraintEqualTo(lines[n - 1].buttons[0][0]->bottomAnchor(), kExamplesGap);
        else
            E->topAnchor().constraintEqualTo(V->topAnchor());
        E->bottomAnchor().constraintEqualTo(j + 1 < examples.size() ? examples[j + 1]->topAnchor() : done->topAnchor(),
                                            -kLineGap);
        E->leadingAnchor().constraintEqualTo(V->leadingAnchor());
        E->trailingAnchor().constraintEqualTo(V->trailingAnchor());
        sameHeight(E);
    }

    if (!examples.empty())
        done->topAnchor().constraintEqualTo(examples.back()->bottomAnchor(), kLineGap);
    else if (n > 0)
        done->topAnchor().constraintEqualTo(lines[n - 1].buttons[0][0]->bottomAnchor(), kExamplesGap);
    else
        done->topAnchor().constraintEqualTo(V->topAnchor());
    done->bottomAnchor().constraintEqualTo(V->bottomAnchor());
    done->centerXAnchor().constraintEqualTo(V->centerXAnchor());
    if (reference) done->heightAnchor().constraintEqualTo(reference->heightAnchor(), kDoneKeyHeightUnits, 0);
}

}  // namespace

UniversalIntegerPracticeIOView::UniversalIntegerPracticeIOView(gfx::Rect frame, const PadTables& multiLine,
                                                               const PadTables& options,
                                                               const OptionDefaults& optionDefaults,
                                                               const std::vector<std::string>& levels,
                                                               const std::vector<ui::AttributedText>& examples)
    : BaseSizedView(frame) {
    requireEncodable(multiLine, Tag::multi_line, "multi-line tables");
    requireEncodable(options, Tag::option, "option groups");
    requireEncodableLines(levels.size(), "levels");
    requireEncodableLines(examples.size(), "example lines");
    setTranslatesAutoresizingMaskIntoConstraints(false);
    setBackgroundColor(gfx::palette::clear);
    const auto greenWhen = [](bool selected) { return selected ? kSelectedColour : kUnselectedColour; };

    pad_detail::BuiltLines built;
    const auto append = [&](const PadTables& tables, Tag kind, auto colourOf) {
        pad_detail::appendLines(built, tables, kind, valueLabels(tables, colourOf));
    };
    const auto caption = firstCellTag(multiLine, Tag::multi_line);
    append(multiLine, Tag::multi_line,
           [&](std::size_t, std::size_t, std::size_t, std::int64_t tag) { return greenWhen(caption && *caption == tag); });
    append(options, Tag::option, [&](std::size_t a, std::size_t b, std::size_t c, std::int64_t) {
        return greenWhen(static_cast<std::int64_t>(c) == defaultChoice(options[a][b].size(), optionDefaults, a, b));
    });
    if (!levels.empty())
        append(PadTables{StringGrid{levels}}, Tag::level, [&](std::size_t, std::size_t, std::size_t c, std::int64_t) { return greenWhen(c == 0); });

    for (auto& button : built.buttons) addSubview(std::move(button));
    for (auto& label : built.labels) addSubview(std::move(label));

    std::vector<ui::Label*> exampleLabels;
    for (std::size_t j = 0; j < examples.size(); ++j)
        exampleLabels.push_back(add(makeLabel(examples[j], viewTag(0, 0, static_cast<std::int64_t>(j), Tag::example),
                                              kUnselectedColour)));

    auto* done = add(pad_detail::makeKey(std::string(kDoneKey), gfx::palette::clear));
    done->titleLabel()->setFont(gfx::Font::system(kDoneKeySize));
    layoutRows(built.buttonLines, built.labelLines, exampleLabels, done, this);
    sizeTexts(textBase());
}

void UniversalIntegerPracticeIOView::sizeTexts(double base) {
    pad_detail::sizeDisplayTexts(*this, base, gfx::weight::regular);
}

}  // namespace tl
