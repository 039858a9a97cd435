#include "pads/integer_pad_view.hpp"

#include "pads/entry_editing.hpp"

namespace tl {

UniversalIntegerPadView::UniversalIntegerPadView(gfx::Rect frame, const std::vector<std::string>& info,
                                                 PadTables inputs, PadTables polynomials, PadTables fractions,
                                                 PadTables options, const OptionDefaults& optionDefaults,
                                                 PadTables multiLine)
    : EntryPadView(frame, info, std::move(inputs), std::move(polynomials), std::move(fractions), std::move(options),
                   optionDefaults, std::move(multiLine)) {}

std::optional<std::string> UniversalIntegerPadView::editedText(std::string_view key, const std::string& text) {
    if (key == kClearKey) return clearedText();
    if (key == kDeleteKey) return deleteLast(text);
    if (key == kPointKey) return std::nullopt;  // integers take no point
    if (!dataSource_) return std::nullopt;
    if (key == kSignKey) return dataSource_->allowsNegative() ? std::optional(toggledSign(text)) : std::nullopt;
    return integerDigit(text, key[0], [this] { return dataSource_->maximumDigits(); });
}

std::string UniversalIntegerPadView::sentInputText(const std::string& shown) const {
    return withoutNegativeZero(shown);
}

void UniversalIntegerPadView::requestSteps(const PadTables& inputs, const StringGrid& options,
                                           const StringGrid& multiLine) {
    if (delegate_) delegate_->stepsRequested(inputs, options, multiLine);
}

}  // namespace tl
