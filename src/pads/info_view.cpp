#include "pads/info_view.hpp"

#include <memory>

#include "platform/ui/label.hpp"

namespace tl {

namespace {
constexpr double kPromptWeight = 0.1;
}

UniversalInfoView::UniversalInfoView(const std::vector<std::string>& lines, gfx::Rect frame)
    : BaseSizedView(frame) {
    setTranslatesAutoresizingMaskIntoConstraints(false);
    setBackgroundColor(gfx::palette::clear);
    setHidden(false);

    std::vector<ui::Label*> labels;
    for (const auto& line : lines) {
        auto label = std::make_unique<ui::Label>();
        label->setBackgroundColor(gfx::palette::white);
        label->setTextColor(gfx::palette::black);
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
    sizeTexts(textBase());
}

void UniversalInfoView::sizeTexts(double base) {
    for (const auto& sub : subviews()) static_cast<ui::Label&>(*sub).setFont(gfx::Font::system(base, kPromptWeight));
}

}  // namespace tl
