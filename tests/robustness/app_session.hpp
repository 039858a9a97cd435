// The app launched headless on its own storyboard, with what the robustness
// tests need of it: the screen on top, every visible button title, the
// entry fields' texts, and a check that a drawing holds only finite numbers.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/registration.hpp"
#include "platform/gfx/recording_context.hpp"
#include "platform/ui/button.hpp"
#include "platform/ui/headless.hpp"
#include "platform/ui/label.hpp"
#include "platform/ui/navigation.hpp"
#include "platform/ui/screen.hpp"
#include "platform/ui/window.hpp"
#include "support/recording_checks.hpp"

namespace tl::testing {

/// How long the random runs are in this build.
inline constexpr int kRunDivisor = kSanitizerSlowdown > 1 ? kSanitizerSlowdown / 2 : 1;

class AppSession {
public:
    AppSession() {
        static const bool registered = [] {
            registerApplication();
            return true;
        }();
        (void)registered;
        ui::Screen::main().reset();
        host_ = std::make_unique<ui::HeadlessHost>("AppDelegate");
    }

    ui::HeadlessHost& host() { return *host_; }
    ui::ViewController* top() { return host_->window().navigationController()->topViewController(); }

    /// The titles of the buttons a learner can see on the screen on top.
    std::vector<std::string> buttonTitles() {
        std::vector<std::string> titles;
        std::function<void(ui::View&)> walk = [&](ui::View& v) {
            if (v.isHidden() || v.alpha() < 0.01) return;
            if (auto* b = dynamic_cast<ui::Button*>(&v)) titles.push_back(b->title());
            for (const auto& child : v.subviews()) walk(*child);
        };
        walk(*top()->view());
        return titles;
    }

    /// The text of the label tagged `tag` on the screen on top.
    std::string label(int tag) {
        auto* l = dynamic_cast<ui::Label*>(top()->view()->viewWithTag(tag));
        return l ? l->text() : "<no label>";
    }

    /// Draws the window into a recording.
    gfx::RecordingContext draw() {
        gfx::RecordingContext context;
        host_->window().render(context);
        return context;
    }

private:
    std::unique_ptr<ui::HeadlessHost> host_;
};

}  // namespace tl::testing
