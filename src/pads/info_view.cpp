#include "pads/info_view.hpp"

#include <memory>

#include "common/layout.hpp"
#include "platform/ui/label.hpp"

namespace tl {

namespace {
constexpr double kPromptWeight = 0.1;
}

UniversalInfoView::UniversalInfoView(const std::vector<std::string>& lines, gfx::Rect frame) : ui::View(frame) {
    setTranslatesAutoresizingMaskIntoConstraints(false);
    setBackgroundColor(gfx::palette::clear);
    setHidden(false);
    const double size = screenScaledFontSize();

    std::vector<ui::Label*> labels;
    for (const auto& line : lines) {
        auto label = std::make_unique<ui::Label>();
        label->setBackgroundColor(gfx::palette::white);
        label->setTextColor(gfx::palette::black);
        label->setFont(gfx::Font::system(size, kPromptWeight));
        label->setAdjustsFontSizeToFitWidth(true);
        label->setBaselineAdjustment(ui::BaselineAdjustment::alignCenters);
        label->setTextAlignment(ui::TextAlignment::center);
        label->setNumberOfLines(1);
        label->setText(line);
        label->setTranslatesAutoresizingMaskIntoConstraints(false);
        labels.push_back(add(std::move(label)));
    }
    for (std::size_t i = 0; i < labels.size(); ++i) {
        ui::Label* label = labels[i];
        label->topAnchor().constraintEqualTo(i == 0 ? topAnchor() : labels[i - 1]->bottomAnchor());
        label->bottomAnchor().constraintEqualTo(i + 1 == labels.size() ? bottomAnchor() : labels[i + 1]->topAnchor());
        label->leadingAnchor().constraintEqualTo(leadingAnchor());
        label->trailingAnchor().constraintEqualTo(trailingAnchor());
        label->heightAnchor().constraintEqualTo(labels[0]->heightAnchor());
    }
}

}  // namespace tl
