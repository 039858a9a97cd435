// Random key sequences on each of the fourteen strategy screens, from a fixed
// seed: digits, "C", "DEL", "+/-", ".", field and option selectors in any
// order, and now and then "🤔". The app never throws, every field always
// holds a number the screen takes (digits only, no sign, no leading zero, at
// most the screen's digit limit), and "🤔" always opens the step screen on
// a first page that shows the numbers on the pad, which then pages back and
// forth with wrapping at both ends.
#include <algorithm>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "app/storyboard.hpp"
#include "arithmetic/step_reading.hpp"
#include "engine/universal_engine_vc.hpp"
#include "robustness/app_session.hpp"
#include "screens/strategy_screen.hpp"

namespace tl {
namespace {

using testing::AppSession;

const std::string kDone = "\U0001F914";

/// The menu rows that open the strategy screens (every section but the drills).
std::vector<std::string> strategyRows() {
    std::vector<std::string> rows;
    for (const MenuSection& section : appMenu())
        if (section.header != "drills")
            for (const MenuRow& row : section.rows) rows.push_back(row.text);
    return rows;
}

/// What "🤔" must lead to: the step screen, its model holding the fields as
/// shown, and a first page that shows those numbers.
void expectStepsFor(AppSession& app, const std::vector<std::string>& fields, const std::string& what) {
    auto* steps = dynamic_cast<UniversalEngineVC*>(app.top());
    ASSERT_NE(steps, nullptr) << what;
    ASSERT_FALSE(steps->detailSteps.empty()) << what;
    ASSERT_EQ(steps->detailSteps.size(), steps->detailComments.size()) << what;
    EXPECT_EQ(steps->detailComments.front(), std::vector<std::string>{kDone}) << what;
    EXPECT_EQ(steps->detailComments.back(), std::vector<std::string>{"\U0001F60E"}) << what;
    EXPECT_EQ(steps->universalEngineView()->step, 0) << what;

    const auto lines = testing::messages(steps->detailSteps.front());
    ASSERT_EQ(lines.size(), 1u) << what;
    const std::string& problem = lines.front();
    EXPECT_TRUE(problem.starts_with(fields.front())) << what << ": " << problem;
    EXPECT_TRUE(problem.ends_with(fields.back())) << what << ": " << problem;
    if (fields.size() == 1) {
        EXPECT_EQ(problem, fields.front()) << what;
    }

    // The drawn page shows the problem line.
    const auto texts = testing::expectFinite(app.draw(), what);
    EXPECT_NE(std::find(texts.begin(), texts.end(), problem), texts.end()) << what << ": " << problem;
}

/// A few taps in the step view's bottom band, each to one side at random:
/// the page moves by one and wraps at both ends, and every page draws.
void pageAtRandom(AppSession& app, std::mt19937& random, const std::string& what) {
    auto* steps = dynamic_cast<UniversalEngineVC*>(app.top());
    UniversalEngineView* view = steps->universalEngineView();
    const auto pages = static_cast<std::int64_t>(steps->detailSteps.size());
    std::bernoulli_distribution forward(0.6);
    for (int k = 0; k < 4; ++k) {
        const bool next = forward(random);
        const std::int64_t expected = (view->step + (next ? 1 : pages - 1)) % pages;
        const gfx::Rect b = view->bounds();
        app.host().tap(view->convertToWindow({b.width * (next ? 0.75 : 0.25), b.height - 10}));
        ASSERT_EQ(app.top(), steps) << what;
        EXPECT_EQ(view->step, expected) << what << (next ? " next" : " prior");
        testing::expectFinite(app.draw(), what + " page " + std::to_string(view->step + 1));
    }
}

TEST(PadFuzz, RandomKeysOnEveryStrategyScreen) {
    std::mt19937 random(20261206);
    const int taps = 240 / testing::kRunDivisor;
    for (const std::string& row : strategyRows()) {
        SCOPED_TRACE(row);
        AppSession app;
        app.host().tapTitle(row);
        auto* screen = dynamic_cast<StrategyScreenBase*>(app.top());
        ASSERT_NE(screen, nullptr);
        const auto limit = screen->maximumDigits();
        const std::size_t fieldCount = screen->values().inputs.at(0).at(0).size();
        const std::regex number("0|[1-9][0-9]{0," + std::to_string(limit - 1) + "}");

        // Every key and selector on the pad, "🤔" drawn less often.
        std::vector<std::string> keys = app.buttonTitles();
        std::erase(keys, kDone);
        ASSERT_GE(keys.size(), 14u) << "the keypad's keys and the field selectors";
        std::uniform_int_distribution<std::size_t> pick(0, keys.size() - 1);
        std::bernoulli_distribution done(1.0 / 16);

        std::string trail;  // the keys so far, for the failure message
        int solutions = 0;
        bool reachedLimit = false;
        for (int k = 0; k <= taps; ++k) {
            // Every run ends on "🤔", so each screen opens at least one solution.
            const std::string key = k == taps || done(random) ? kDone : keys[pick(random)];
            trail += key + " ";
            ASSERT_NO_THROW(app.host().tapTitle(key)) << trail;

            if (key == kDone) {
                std::vector<std::string> fields;
                for (std::size_t f = 0; f < fieldCount; ++f) {
                    // The strategy screen is below the step screen now.
                    auto* l = dynamic_cast<ui::Label*>(screen->view()->viewWithTag(static_cast<int>(f + 1)));
                    ASSERT_NE(l, nullptr);
                    fields.push_back(l->text());
                }
                expectStepsFor(app, fields, row + ": " + trail);
                pageAtRandom(app, random, row + ": " + trail);
                ++solutions;
                EXPECT_EQ(screen->modelFields().inputs, (PadTables{StringGrid{fields}})) << trail;
                ASSERT_TRUE(app.host().back());
                ASSERT_EQ(app.top(), screen) << trail;
                continue;
            }
            ASSERT_EQ(app.top(), screen) << "a key left the screen: " << trail;
            for (std::size_t f = 0; f < fieldCount; ++f) {
                const std::string text = app.label(static_cast<int>(f + 1));
                ASSERT_TRUE(std::regex_match(text, number)) << "field " << f + 1 << " holds \"" << text
                                                            << "\" after " << trail;
                reachedLimit = reachedLimit || text.size() == static_cast<std::size_t>(limit);
            }
        }
        // The run went where it should: full fields and several solutions.
        EXPECT_TRUE(reachedLimit);
        EXPECT_GE(solutions, 2);
    }
}

}  // namespace
}  // namespace tl
