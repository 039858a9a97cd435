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
