// The fourteen strategy screens end to end: from the menu row, through the
// pad, to the step screen, tapping as a learner would.
#include <cmath>
#include <functional>

#include "arithmetic/arithmetic_model.hpp"
#include "platform/ui/button.hpp"
#include "screens/app_driver.hpp"
#include "screens/strategy_screens.hpp"

namespace tl {
namespace {

using testing::AppDriver;
using testing::contains;

const std::string kThinking = "\U0001F914";
const std::string kCool = "\U0001F60E";

template <class Model, StepTriple (Model::*Builder)() const>
StepTriple run(const ModelFields& fields) {
    Model model;
    static_cast<ModelFields&>(model) = fields;
    return (model.*Builder)();
}

struct ScreenCase {
    const char* row;  // the menu row that opens it
    const char* scene;
    const char* segue;
    int maximumDigits;
    StringGrid freshOptions;  // what "🤔" sends with the options untouched
    std::function<StepTriple(const ModelFields&)> build;
};

const StringGrid kLeftToRight = {{" left to right "}};
const StringGrid kLatticeStart = {{" top ", " left "}, {" row ", " flyback "}};

const std::vector<ScreenCase>& screenCases() {
    using M = New_Arithmetic_Model;
    static const std::vector<ScreenCase> cases = {
        {"column addition", "Add_Column_VC", "Add_Column_Segue", 4, {}, run<M, &M::addColumnSteps>},
        {"addition by trading", "Add_Trade_VC", "Add_Trade_Segue", 4, {}, run<M, &M::addTradeSteps>},
        {"partial sums", "Add_Partial_VC", "Add_Partial_Segue", 4, kLeftToRight, run<M, &M::addPartialSteps>},
        {"subtraction by trading", "Subtract_Trade_VC", "Subtract_Trade_Segue", 4, {},
         run<M, &M::subtractTradeSteps>},
        {"trade first, then subtract", "Subtract_Trade_First_VC", "Subtract_Trade_First_Segue", 4, {},
         run<M, &M::subtractTradeFirstSteps>},
        {"partial differences", "Subtract_Partial_VC", "Subtract_Partial_Segue", 4, kLeftToRight,
         run<M, &M::subtractPartialSteps>},
        {"count up or count down", "Subtract_Count_VC", "Subtract_Count_Segue", 4, {{" count up "}},
         run<M, &M::subtractCountSteps>},
        {"standard multiplication", "Multiply_Standard_VC", "Multiply_Standard_Segue", 3, {},
         run<M, &M::multiplyStandardSteps>},
        {"partial products", "Multiply_Partial_VC", "Multiply_Partial_Segue", 3, kLeftToRight,
         run<M, &M::multiplyPartialSteps>},
        {"lattice multiplication", "Multiply_Lattice_VC", "Multiply_Lattice_Segue", 4, kLatticeStart,
         run<Multiply_Lattice_Model, &Multiply_Lattice_Model::solve>},
        {"grid multiplication", "Multiply_Grid_VC", "Multiply_Grid_Segue", 4, kLatticeStart,
         run<Multiply_Grid_Model, &Multiply_Grid_Model::solve>},
        {"long division", "Divide_Standard_VC", "Divide_Standard_Segue", 4, {}, run<M, &M::divideStandardSteps>},
        {"partial quotients", "Divide_Partial_VC", "Divide_Partial_Segue", 4, {}, run<M, &M::dividePartialSteps>},
        {"partition a number", "Partition_VC", "Partition_Segue", 5, {},
         run<Partition_Model, &Partition_Model::solve>},
    };
    return cases;
}

TEST(StrategyScreens, EveryMenuRowOpensItsScreenAndAFreshDoneShowsTheBuildersPages) {
    ASSERT_EQ(strategyScreenValues().size(), screenCases().size());
    for (const ScreenCase& c : screenCases()) {
        SCOPED_TRACE(c.scene);
        AppDriver app;
        app.tap({c.row});
        ASSERT_EQ(app.topScene(), c.scene);
        StrategyScreenBase* screen = app.screen();
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->theSegue(), c.segue);

        app.tap({"\U0001F914"});
        ASSERT_EQ(app.topScene(), "UniversalEngineVC");
        const ModelFields& model = app.screenBelow()->modelFields();
        const bool partition = std::string(c.scene) == "Partition_VC";
        EXPECT_EQ(model.inputs, (PadTables{partition ? StringGrid{{"0"}} : StringGrid{{"0", "0"}}}));
        EXPECT_EQ(model.options, c.freshOptions);
        EXPECT_TRUE(model.multiLine.empty());

        UniversalEngineVC* steps = app.steps();
        const StepTriple expected = c.build(model);
        EXPECT_EQ(steps->detailSteps, expected.steps);
        EXPECT_EQ(steps->detailComments, expected.comments);
        ASSERT_FALSE(steps->detailComments.empty());
        EXPECT_EQ(steps->detailComments.front(), StringList{kThinking});
        EXPECT_EQ(steps->detailComments.back(), StringList{kCool});
        EXPECT_EQ(steps->detailParameters, expected.parameters);
        EXPECT_EQ(steps->detailParameters, StringList{"NO PARAMETERS"});
        EXPECT_EQ(app.page(), 0);
    }
}

TEST(StrategyScreens, DigitLimitsAndTheInertSignAndPointKeys) {
    for (const ScreenCase& c : screenCases()) {
        SCOPED_TRACE(c.scene);
        AppDriver app;
        app.tap({c.row});
        const std::string longest = std::string("123456").substr(0, static_cast<std::size_t>(c.maximumDigits));
        app.type("123456");
        app.tap({"+/-", "."});
        EXPECT_EQ(app.label(1), longest);
        if (std::string(c.scene) != "Partition_VC") {
            app.tap({"I2", "+/-"});
            app.type("98765");
            EXPECT_EQ(app.label(2), std::string("98765").substr(0, static_cast<std::size_t>(c.maximumDigits)));
        }
    }
}

TEST(StrategyScreens, ColumnAdditionTakesBothNumbers) {
    AppDriver app;
    app.tap({"column addition"});
    app.type("45");
    app.tap({"I2"});
    app.type("67");
    EXPECT_EQ(app.label(1), "45");
    EXPECT_EQ(app.label(2), "67");
    app.tap({"\U0001F914"});
    ASSERT_NE(app.steps(), nullptr);
    EXPECT_EQ(app.screenBelow()->modelFields().inputs, (PadTables{{{"45", "67"}}}));
    // 5 + 7 needs a trade: some page says so.
    EXPECT_TRUE(std::ranges::any_of(app.steps()->detailComments,
                                    [](const auto& comments) { return contains(comments, "regroup and trade"); }));
}

// Under the bar, beside a notch or on a tablet, turned or not: the pad
// keeps 5 points inside every edge of the safe area.
TEST(StrategyScreens, ThePadSitsFivePointsInsideTheSafeAreaAtEverySize) {
    AppDriver app;
    app.tap({"lattice multiplication"});
    StrategyScreenBase* screen = app.screen();
    ASSERT_NE(screen, nullptr);
    for (const gfx::Size size : {gfx::Size{390, 844}, gfx::Size{844, 390}, gfx::Size{1024, 1366}}) {
        SCOPED_TRACE(size.width);
        app.host().resize(size);
        const ui::LayoutGuide::Insets safe = screen->safeAreaLayoutGuide()->insets();
        EXPECT_GT(safe.top, 0);  // the navigation bar is not part of it
        const gfx::Point root = screen->view()->convertToWindow({0, 0});
        const gfx::Rect area = screen->view()->bounds();
        const ui::View& pad = *screen->thePadView();
        const gfx::Point at = pad.convertToWindow({0, 0});
        EXPECT_NEAR(at.x, root.x + safe.left + kPadInset, 1e-6);
        EXPECT_NEAR(at.y, root.y + safe.top + kPadInset, 1e-6);
        EXPECT_NEAR(pad.frame().width, area.width - safe.left - safe.right - 2 * kPadInset, 1e-6);
        EXPECT_NEAR(pad.frame().height, area.height - safe.top - safe.bottom - 2 * kPadInset, 1e-6);
    }
}

// At phone and tablet sizes turned either way, a desktop window and the
// smallest window: every text of a pad (prompt, caption, number, key) fits
// its own band across and down, every band lies inside the window, and the
// bar's title keeps clear of the back control, whole or cut with "…".
TEST(StrategyScreens, PadTextsFitTheirBandsAndTheTitleKeepsClearOfTheBackControl) {
    const auto fits = [](const ui::Label& label, gfx::Size band) {
        const ui::Label::TextLayout layout = label.layoutText(band);
        double ascender = 0, lineHeight = 0;
        for (const ui::TextRun& run : layout.runs) {
            ascender = std::max(ascender, run.font->ascender());
            lineHeight = std::max(lineHeight, run.font->lineHeight());
        }
        const double top = layout.baselineLeft.y - ascender;
        return layout.width <= band.width + 1e-6 && top >= -1e-6 && top + lineHeight <= band.height + 1e-6;
    };
    for (const ScreenCase& c : screenCases()) {
        AppDriver app;
        app.tap({c.row});
        for (const gfx::Size size : {gfx::Size{390, 844}, {844, 390}, {1024, 1366}, {1280, 800}, {320, 480}}) {
            SCOPED_TRACE(std::string(c.row) + " at width " + std::to_string(std::lround(size.width)));
            app.host().resize(size);
            std::function<void(const ui::View&)> walk = [&](const ui::View& v) {
                if (v.isHidden()) return;
                EXPECT_LE(v.convertToWindow({0, v.bounds().height}).y, size.height + 1e-6);
                if (const auto* label = dynamic_cast<const ui::Label*>(&v)) {
                    EXPECT_TRUE(fits(*label, v.bounds().size())) << label->text();
                } else if (const auto* key = dynamic_cast<const ui::Button*>(&v)) {
                    EXPECT_TRUE(fits(*key->titleLabel(), v.bounds().size())) << key->title();
                }
                for (const auto& sub : v.subviews()) walk(*sub);
            };
            walk(*app.screen()->thePadView());

            gfx::RecordingContext bar;
            app.navigation().navigationBar()->drawHierarchy(bar);
            const auto texts = bar.texts();  // the title, then the back control
            ASSERT_EQ(texts.size(), 2u);
            EXPECT_GE(texts[0].box.x, texts[1].box.maxX() + 8 - 1e-6);
            EXPECT_LE(texts[0].box.maxX(), size.width - 8 + 1e-6);
            const std::string shown = texts[0].text, head = shown.substr(0, shown.size() - 3);
            EXPECT_TRUE(shown == c.row || (shown.ends_with("\u2026") && std::string(c.row).starts_with(head)))
                << shown;
        }
    }
}

struct OptionCase {
    const char* row;
    std::vector<std::string_view> taps;
    StringGrid sent;
};

TEST(StrategyScreens, ChosenOptionsReachTheModelWithTheirBlanks) {
    const std::vector<OptionCase> cases = {
        {"partial sums", {"O4098"}, {{" right to left "}}},
        {"partial sums", {"O4098", "O4098", "O4097"}, {{" left to right "}}},
        {"partial differences", {"O4098"}, {{" right to left "}}},
        {"count up or count down", {"O4098"}, {{" count down "}}},
        {"partial products", {"O4098"}, {{" right to left "}}},
        {"lattice multiplication", {"O4098", "O4170"}, {{" bottom ", " left "}, {" row ", " snake "}}},
        {"grid multiplication", {"O4106", "O4162"}, {{" top ", " right "}, {" column ", " flyback "}}},
    };
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.row);
        AppDriver app;
        app.tap({c.row});
        for (std::string_view t : c.taps) app.tap({t});
        app.tap({"\U0001F914"});
        ASSERT_NE(app.steps(), nullptr);
        EXPECT_EQ(app.screenBelow()->modelFields().options, c.sent);
    }
}

}  // namespace
}  // namespace tl
