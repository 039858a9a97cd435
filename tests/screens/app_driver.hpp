// Drives the whole app without a window, as a learner would: taps on menu
// rows, keys and fields by their titles, paging taps in the step view's
// bottom band, and the back control.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/registration.hpp"
#include "engine/universal_engine_vc.hpp"
#include "platform/gfx/recording_context.hpp"
#include "platform/ui/headless.hpp"
#include "platform/ui/label.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"
#include "screens/strategy_screen.hpp"

namespace tl::testing {

class AppDriver {
public:
    /// Launches the app on its own storyboard, or on the main storyboard as
    /// the caller set it after registerApplication (`registered` true).
    explicit AppDriver(bool registered = false) {
        if (!registered) registerApplication();
        ui::Screen::main().reset();
        host_ = std::make_unique<ui::HeadlessHost>("AppDelegate");
    }

    ui::HeadlessHost& host() { return *host_; }
    ui::NavigationController& navigation() { return *host_->window().navigationController(); }
    ui::ViewController* top() { return navigation().topViewController(); }
    std::string topScene() { return top()->sceneName(); }

    /// Taps each control by its title: keys ("4", "🤔"), fields ("I2"),
    /// options ("O4098"), menu rows ("column addition").
    void tap(std::initializer_list<std::string_view> titles) {
        for (std::string_view title : titles) host_->tapTitle(title);
    }
    /// Types the digits of `number` on the keypad.
    void type(std::string_view number) {
        for (char digit : number) host_->tapTitle(std::string(1, digit));
    }

    StrategyScreenBase* screen() { return dynamic_cast<StrategyScreenBase*>(top()); }
    /// The strategy screen below the step screen.
    StrategyScreenBase* screenBelow() {
        return dynamic_cast<StrategyScreenBase*>(navigation().controllerAt(navigation().depth() - 2));
    }
    /// The text of the entry-display label tagged `tag` on the screen on top.
    std::string label(int tag) {
        auto* l = dynamic_cast<ui::Label*>(top()->view()->viewWithTag(tag));
        return l ? l->text() : "<no label>";
    }

    UniversalEngineVC* steps() { return dynamic_cast<UniversalEngineVC*>(top()); }
    std::int64_t page() { return steps()->universalEngineView()->step; }

    /// Draws the window and returns every text it drew.
    std::vector<std::string> drawnTexts() {
        gfx::RecordingContext context;
        host_->window().render(context);
        std::vector<std::string> texts;
        for (const auto& t : context.texts()) texts.push_back(t.text);
        return texts;
    }
    bool drew(std::string_view text) {
        auto texts = drawnTexts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    /// A tap in the step view's bottom band: right half "next", left half "prior".
    void next() { pageTap(0.75); }
    void prior() { pageTap(0.25); }

private:
    void pageTap(double across) {
        UniversalEngineView* v = steps()->universalEngineView();
        gfx::Rect b = v->bounds();
        host_->tap(v->convertToWindow({b.width * across, b.height - 10}));
    }

    std::unique_ptr<ui::HeadlessHost> host_;
};

/// Every text of the tables of one page.
inline std::vector<std::string> pageTexts(const Engine_Step& page) {
    std::vector<std::string> texts;
    for (const Engine_Table& table : page)
        for (const Engine_Row& row : table) texts.insert(texts.end(), row.begin(), row.end());
    return texts;
}

inline bool contains(const std::vector<std::string>& texts, std::string_view text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace tl::testing
