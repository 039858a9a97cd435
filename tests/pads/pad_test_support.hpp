// Helpers for the pad tests: a host view the pad fills, presses by title,
// labels by tag, and fakes that answer as a screen would and record calls.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/layout.hpp"
#include "pads/integer_pad_view.hpp"
#include "pads/real_pad_view.hpp"
#include "platform/gfx/fake_fonts.hpp"
#include "platform/ui/button.hpp"
#include "platform/ui/label.hpp"
#include "platform/ui/window.hpp"

namespace pad_test {

inline ui::Button* button(ui::View& root, std::string_view title) {
    if (auto* b = dynamic_cast<ui::Button*>(&root); b && b->currentTitle() == title) return b;
    for (const auto& sub : root.subviews())
        if (ui::Button* found = button(*sub, title)) return found;
    return nullptr;
}

/// Presses the buttons so titled in turn, as taps do (their actions climb the chain).
inline void press(ui::View& root, const std::vector<std::string>& titles) {
    for (const auto& t : titles) {
        ui::Button* b = button(root, t);
        ASSERT_NE(b, nullptr) << t;
        b->sendActions();
    }
}

inline ui::Label& label(ui::View& root, std::int64_t tag) {
    static ui::Label none;
    auto* found = tl::labelWithTag(root, tag);
    EXPECT_NE(found, nullptr) << "label " << tag;
    return found ? *found : none;
}
inline std::string text(ui::View& root, std::int64_t tag) { return label(root, tag).text(); }
inline gfx::Rgba colour(ui::View& root, std::int64_t tag) { return label(root, tag).backgroundColor(); }

inline gfx::Rect frameIn(const ui::View& view) {
    gfx::Point origin = view.convertToWindow({0, 0});
    return {origin.x, origin.y, view.frame().width, view.frame().height};
}

/// A root view (or window) of `size` whose whole area the pad fills, laid out.
template <class Pad, class Root = ui::View>
struct Hosted {
    Root root;
    Pad* pad;
    Hosted(gfx::Size size, std::unique_ptr<Pad> owned) : root({0, 0, size.width, size.height}) {
        pad = root.add(std::move(owned));
        pad->topAnchor().constraintEqualTo(root.topAnchor());
        pad->bottomAnchor().constraintEqualTo(root.bottomAnchor());
        pad->leadingAnchor().constraintEqualTo(root.leadingAnchor());
        pad->trailingAnchor().constraintEqualTo(root.trailingAnchor());
        ui::layoutIfNeeded(&root);
    }
};

struct Steps {
    tl::PadTables inputs;
    tl::StringGrid options;
    tl::StringGrid multiLine;
};

/// A screen for either pad: a fixed digit limit and sign rule; counts the
/// limit questions and keeps what the done key sends.
template <class Source, class Delegate>
class Fake : public Source, public Delegate {
public:
    explicit Fake(std::int64_t digits = 4, bool negative = false) : digits(digits), negative(negative) {}
    std::int64_t maximumDigits() override { return ++digitQuestions, digits; }
    bool allowsNegative() override { return negative; }
    void stepsRequested(const tl::PadTables& i, const tl::StringGrid& o, const tl::StringGrid& m) override {
        sent.push_back({i, o, m});
    }
    std::int64_t digits;
    bool negative;
    int digitQuestions = 0;
    std::vector<Steps> sent;
};
using FakeScreen = Fake<tl::IntegerDataSource, tl::IntegerDelegate>;
using FakeRealScreen = Fake<tl::RealDataSource, tl::RealDelegate>;

/// Fake fonts and a narrow phone screen.
class PadTest : public ::testing::Test {
protected:
    void SetUp() override { tl::setMainScreenWidth(390); }
    gfx::ScopedFakeFonts fonts_;
};

inline std::unique_ptr<tl::UniversalIntegerPadView> integerPad(tl::PadTables inputs, tl::PadTables polynomials = {},
                                                               tl::PadTables fractions = {},
                                                               tl::PadTables options = {},
                                                               tl::OptionDefaults defaults = {},
                                                               tl::PadTables multiLine = {}) {
    return std::make_unique<tl::UniversalIntegerPadView>(
        gfx::Rect{}, std::vector<std::string>{"enter both numbers", "\U0001F914 for steps"}, std::move(inputs),
        std::move(polynomials), std::move(fractions), std::move(options), defaults, std::move(multiLine));
}

inline constexpr gfx::Rgba kGreen = gfx::palette::green;
inline constexpr gfx::Rgba kWhite = gfx::palette::white;

/// The labels tagged `green` show as selected, those tagged `white` do not.
inline void expectSelected(ui::View& root, std::initializer_list<std::int64_t> green,
                           std::initializer_list<std::int64_t> white) {
    for (std::int64_t tag : green) EXPECT_EQ(colour(root, tag), kGreen) << "label " << tag;
    for (std::int64_t tag : white) EXPECT_EQ(colour(root, tag), kWhite) << "label " << tag;
}

}  // namespace pad_test
