// The prompt panel at the top of every pad: one centred line of black text
// per prompt, each on a white band, the bands sharing the panel's height
// equally with no gaps. It takes no input and never changes.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/view.hpp"

namespace tl {

class UniversalInfoView : public ui::View {
public:
    /// One band per line, top to bottom; no lines give an empty, clear panel.
    UniversalInfoView(const std::vector<std::string>& lines, gfx::Rect frame);
};

}  // namespace tl
