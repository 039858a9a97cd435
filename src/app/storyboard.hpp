// The app's storyboard: its scenes, the menu that leads to them and the
// segues between them, all as data.
#pragma once

#include <vector>

#include "app/menu_vc.hpp"
#include "platform/ui/storyboard.hpp"

namespace tl {

inline constexpr const char* kMenuScene = "Strategy_Menu_VC";
inline constexpr const char* kStepScene = "UniversalEngineVC";

/// The first screen's sections and rows, each row with the segue it performs.
std::vector<MenuSection> appMenu();

/// The menu (initial scene), the fourteen strategy scenes each with its
/// segue to the step screen, the step screen and the drill scenes. Every
/// scene but the menu is pushed, so it has the navigation bar's back control.
ui::StoryboardDescription appStoryboard();

}  // namespace tl
