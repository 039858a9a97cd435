#include "pads/numeric_pad_view.hpp"

#include <memory>

namespace tl {

namespace {

constexpr double kKeyGap = 1;
constexpr double kDoneKeyScale = 1.5;

std::vector<std::vector<ui::Button*>> makeKeys(const std::vector<std::vector<std::string>>& titles,
                                               std::vector<ui::View*>& rows) {
    std::vector<std::vector<ui::Button*>> keys;
    for (std::size_t r = 0; r < titles.size(); ++r) {
        std::vector<ui::Button*> row;
        for (std::size_t c = 0; c < titles[r].size(); ++c) {
            auto* key = rows[r]->add(std::make_unique<ui::Button>());
            key->setTitle(titles[r][c]);
            key->titleLabel()->setAdjustsFontSizeToFitWidth(true);
            key->setTranslatesAutoresizingMaskIntoConstraints(false);
            key->setBackgroundColor(gfx::palette::lightGray);
            key->setTitleColor(gfx::palette::black);
            key->addTarget(nullptr, std::string(kKeyPressedAction));
            row.push_back(key);
        }
        keys.push_back(std::move(row));
    }
    return keys;
}

// Rows stacked 1 point apart, all as high as the first.
void layoutKeyRows(const std::vector<ui::View*>& rows, ui::View* container) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ui::View* row = rows[i];
        if (i == 0)
            row->topAnchor().constraintEqualTo(container->topAnchor());
        else
            row->topAnchor().constraintEqualTo(rows[i - 1]->bottomAnchor(), kKeyGap);
        if (i + 1 == rows.size())
            row->bottomAnchor().constraintEqualTo(container->bottomAnchor());
        else
            row->bottomAnchor().constraintEqualTo(rows[i + 1]->topAnchor(), -kKeyGap);
        row->leadingAnchor().constraintEqualTo(container->leadingAnchor());
        row->trailingAnchor().constraintEqualTo(container->trailingAnchor());
        row->heightAnchor().constraintEqualTo(rows[0]->heightAnchor());
    }
}

// Keys side by side 1 point apart, each as wide as the first times its multiplier.
void layoutRowKeys(const std::vector<ui::Button*>& keys, const std::vector<float>& multipliers, ui::View* row) {
    for (std::size_t j = 0; j < keys.size(); ++j) {
        ui::Button* key = keys[j];
        key->topAnchor().constraintEqualTo(row->topAnchor());
        key->bottomAnchor().constraintEqualTo(row->bottomAnchor());
        if (j == 0)
            key->leadingAnchor().constraintEqualTo(row->leadingAnchor());
        else
            key->leadingAnchor().constraintEqualTo(keys[j - 1]->trailingAnchor(), kKeyGap);
        if (j + 1 == keys.size())
            key->trailingAnchor().constraintEqualTo(row->trailingAnchor());
        else
            key->trailingAnchor().constraintEqualTo(keys[j + 1]->leadingAnchor(), -kKeyGap);
        key->widthAnchor().constraintEqualTo(keys[0]->widthAnchor(), multipliers[j], 0);
    }
}

}  // namespace

const std::vector<std::vector<std::string>>& UniversalNumericPadView::keyTitles() {
    static const std::vector<std::vector<std::string>> titles{
        {"7", "8", "9", std::string(kSignKey)},
        {"4", "5", "6", std::string(kClearKey)},
        {"1", "2", "3", std::string(kDeleteKey)},
        {"0", std::string(kPointKey), std::string(kDoneKey)},
    };
    return titles;
}

UniversalNumericPadView::UniversalNumericPadView(gfx::Rect frame) : BaseSizedView(frame) {
    setTranslatesAutoresizingMaskIntoConstraints(false);
    setBackgroundColor(gfx::palette::clear);

    auto containerOwner = std::make_unique<ui::View>();
    ui::View* container = containerOwner.get();
    container->setTranslatesAutoresizingMaskIntoConstraints(false);
    container->setBackgroundColor(gfx::palette::clear);

    const auto& titles = keyTitles();
    const std::vector<std::vector<float>> multipliers{{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 0.5f, 0.5f}};

    std::vector<ui::View*> rows;
    std::vector<std::unique_ptr<ui::View>> rowOwners;
    for (std::size_t r = 0; r < titles.size(); ++r) {
        auto row = std::make_unique<ui::View>();
        row->setTranslatesAutoresizingMaskIntoConstraints(false);
        rows.push_back(row.get());
        rowOwners.push_back(std::move(row));
    }
    auto keys = makeKeys(titles, rows);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        layoutRowKeys(keys[r], multipliers[r], rows[r]);
        container->addSubview(std::move(rowOwners[r]));
    }
    addSubview(std::move(containerOwner));
    layoutKeyRows(rows, container);
    container->topAnchor().constraintEqualTo(topAnchor());
    container->bottomAnchor().constraintEqualTo(bottomAnchor());
    container->leadingAnchor().constraintEqualTo(leadingAnchor());
    container->trailingAnchor().constraintEqualTo(trailingAnchor());
    sizeTexts(textBase());
}

void UniversalNumericPadView::sizeTexts(double base) {
    // The keys are the subviews of the rows of the one container.
    for (const auto& row : subviews().front()->subviews())
        for (const auto& sub : row->subviews()) {
            auto& key = static_cast<ui::Button&>(*sub);
            key.titleLabel()->setFont(gfx::Font::system(key.title() == kDoneKey ? kDoneKeyScale * base : base));
        }
}

}  // namespace tl
