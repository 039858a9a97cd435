// The prompt panel at the top of every pad: one centred line of black text
// per prompt, each on a white band, the bands sharing the panel's height
// equally with no gaps, in the base text size. It takes no input and never
// changes but for that size.
#pragma once

#include <string>
#include <vector>

#include "pads/base_sized_view.hpp"
#include "platform/ui/view.hpp"

namespace tl {

class UniversalInfoView : public BaseSizedView<ui::View> {
public:
    /// One band per line, top to bottom; no lines give an empty, clear panel.
    UniversalInfoView(const std::vector<std::string>& lines, gfx::Rect frame);

protected:
    void sizeTexts(double base) override;
};

}  // namespace tl
