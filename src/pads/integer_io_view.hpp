// The entry display of the integer and real-number pads: one line per
// table, top to bottom the multi-line tables, the option groups, the input,
// polynomial and fraction tables. A line holds its table's rows side by side
// (10 points apart), a row its cells (5 points apart); every cell of a line
// is as wide as its first cell and the lines share the display's height.
// Fraction tables show each row as numerator over denominator (two cells) or
// as whole number beside numerator over denominator (three cells).
//
// Every cell is a value label (tagged by viewTag) over a clear selector
// button titled with its kind letter and that tag; the labels lie above the
// buttons and take no touches, so a tap reaches the button, whose action
// "keyPressed" climbs to this display and goes to its delegate unchanged.
// Each polynomial row ends in an arrow cell ("➘" on cyan, "P_option" title).
//
// At the start the display colours green the field the pad selects (the
// first cell of the first kind among input, polynomial and fraction), the
// first multi-line caption and each option row's starting choice; all
// other value labels are white. From then on only the pad recolours.
#pragma once

#include <memory>
#include <vector>

#include "pads/base_sized_view.hpp"
#include "pads/key_view.hpp"
#include "pads/pad_vocabulary.hpp"
#include "platform/ui/button.hpp"
#include "platform/ui/label.hpp"
#include "platform/ui/view.hpp"

namespace tl {

class UniversalIntegerIOView : public BaseSizedView<KeyForwardingView> {
public:
    /// Throws PreconditionError when a table exceeds the view-tag limits or
    /// an option row has no choice. Empty tables and rows show nothing.
    UniversalIntegerIOView(gfx::Rect frame, const PadTables& inputs, const PadTables& polynomials,
                           const PadTables& fractions, const PadTables& options,
                           const OptionDefaults& optionDefaults, const PadTables& multiLine);

protected:
    void sizeTexts(double base) override;
};

namespace pad_detail {

// Shared by both entry displays.
constexpr double kValueLabelWeight = 0.1;
constexpr double kCellGap = 5;
constexpr double kSegmentGap = 10;
constexpr double kLineGap = 5;

/// A selector button (or a display's done key): `title` over `colour`,
/// shrinking its title to fit; sizeDisplayTexts gives it its font.
std::unique_ptr<ui::Button> makeKey(const std::string& title, gfx::Rgba colour);

/// Sizes the texts of an entry display for the base size: its value labels
/// in `labelWeight`, its selector buttons' titles regular; a done key keeps
/// its own size.
void sizeDisplayTexts(ui::View& display, double base, double labelWeight);

/// Cells of one display line: segments (table rows) of cells.
template <class T>
using Line = std::vector<std::vector<T*>>;

/// The keys and value labels of a display's lines, made before they join
/// the display.
struct BuiltLines {
    std::vector<Line<ui::Button>> buttonLines;
    std::vector<Line<ui::Label>> labelLines;
    std::vector<std::unique_ptr<ui::Button>> buttons;
    std::vector<std::unique_ptr<ui::Label>> labels;
};

/// Appends one line per table of `tables`: each cell a clear selector key
/// under the label `labelFor(a, b, c, tag)` gives for table a, row b, cell c.
/// A polynomial row gets one more cell, c == the row's size, keyed as its
/// arrow.
template <class LabelFor>
void appendLines(BuiltLines& built, const PadTables& tables, Tag kind, LabelFor labelFor) {
    for (std::size_t a = 0; a < tables.size(); ++a) {
        Line<ui::Button> buttonLine;
        Line<ui::Label> labelLine;
        for (std::size_t b = 0; b < tables[a].size(); ++b) {
            std::vector<ui::Button*> buttonRow;
            std::vector<ui::Label*> labelRow;
            const std::size_t values = tables[a][b].size();
            const std::size_t cells = values + (kind == Tag::polynomial ? 1 : 0);
            for (std::size_t c = 0; c < cells; ++c) {
                const auto tag = viewTag(static_cast<std::int64_t>(a), static_cast<std::int64_t>(b),
                                         static_cast<std::int64_t>(c), kind);
                built.buttons.push_back(
                    makeKey(c < values ? selectorTitle(kind, tag) : arrowTitle(tag), gfx::palette::clear));
                built.labels.push_back(labelFor(a, b, c, tag));
                buttonRow.push_back(built.buttons.back().get());
                labelRow.push_back(built.labels.back().get());
            }
            buttonLine.push_back(std::move(buttonRow));
            labelLine.push_back(std::move(labelRow));
        }
        built.buttonLines.push_back(std::move(buttonLine));
        built.labelLines.push_back(std::move(labelLine));
    }
}

/// Places ordinary and fraction lines (the last `fractionLines` of them) in
/// `container`; see the display's comment for the geometry. Segments without
/// cells are skipped; fraction segments other than two or three cells get no
/// constraints and are hidden.
void layoutRows(const std::vector<Line<ui::Button>>& buttons, const std::vector<Line<ui::Label>>& labels,
                std::size_t fractionLines, ui::View* container);

/// Pins the four edges of `label` onto `button`.
void pinLabel(ui::Label* label, ui::Button* button);

}  // namespace pad_detail

}  // namespace tl
