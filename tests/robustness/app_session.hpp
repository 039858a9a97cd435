// The app launched headless on its own storyboard, with what the robustness
// tests need of it: the screen on top, every visible button title, the
// entry fields' texts, and a check that a drawing holds only finite numbers.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
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

namespace tl::testing {

/// How long the random runs are: the sanitizer build is some 40 times slower.
#ifdef __SANITIZE_ADDRESS__
inline constexpr int kRunDivisor = 4;
#else
inline constexpr int kRunDivisor = 1;
#endif

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

/// Every coordinate, size and line width of a recording is finite; returns
/// the drawn texts.
inline std::vector<std::string> expectFinite(const gfx::RecordingContext& context, const std::string& what) {
    auto finite = [](gfx::Point p) { return std::isfinite(p.x) && std::isfinite(p.y); };
    std::vector<std::string> texts;
    for (const auto& t : context.texts()) {
        EXPECT_TRUE(finite(t.baselineLeft) && std::isfinite(t.size) && std::isfinite(t.rotation))
            << what << ": text " << t.text;
        texts.push_back(t.text);
    }
    for (const auto& path : context.paths()) {
        EXPECT_TRUE(std::isfinite(path.lineWidth)) << what;
        for (const auto& e : path.elements)
            EXPECT_TRUE(finite(e.point) && std::isfinite(e.radius) && std::isfinite(e.start) && std::isfinite(e.end))
                << what << ": path";
    }
    for (const auto& r : context.rects())
        EXPECT_TRUE(finite({r.rect.x, r.rect.y}) && std::isfinite(r.rect.width) && std::isfinite(r.rect.height) &&
                    std::isfinite(r.lineWidth))
            << what << ": rect";
    return texts;
}

}  // namespace tl::testing
