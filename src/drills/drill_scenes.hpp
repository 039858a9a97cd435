// How the drills enter the storyboard: their classes in the class registry
// and the four scenes (two menus, two flash-card screens) with their
// outlets, cells and segues.
//
//     tl::registerDrillClasses();
//     for (auto& scene : tl::drillScenes()) board.scenes.push_back(scene);
//     // then lead the app's own screens to kCountMenuScene and kDoubleMenuScene
#pragma once

#include <vector>

#include "platform/ui/storyboard.hpp"

namespace tl {

inline constexpr const char* kCountMenuScene = "Count_Menu_VC";
inline constexpr const char* kCountCardScene = "Count_VC";
inline constexpr const char* kDoubleMenuScene = "Double_Menu_VC";
inline constexpr const char* kDoubleCardScene = "Double_VC";

/// Registers Count_Menu_VC, Double_Menu_VC (outlet "tableView"), Count_VC,
/// Double_VC (outlets "linkFirst", "linkFlip") and the card views
/// Count_First, Count_Flip, Double_First, Double_Flip under those names.
void registerDrillClasses();

/// The drill scenes, named after their classes: each menu's table fills
/// its safe area with cells "TextCell" and leads by "Count_Segue" or
/// "Double_Segue" to its card screen; each card screen holds its two faces
/// over the same area, the front shown (tag 1) and the back hidden (tag 2).
std::vector<ui::SceneDescription> drillScenes();

}  // namespace tl
