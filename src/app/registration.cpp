#include "app/registration.hpp"

#include "app/app_delegate.hpp"
#include "app/menu_vc.hpp"
#include "app/storyboard.hpp"
#include "drills/drill_scenes.hpp"
#include "engine/universal_engine_vc.hpp"
#include "platform/ui/storyboard.hpp"
#include "screens/strategy_screens.hpp"

namespace tl {

void registerApplication() {
    ui::registerApplicationDelegate<AppDelegate>("AppDelegate");
    ui::registerViewController<Strategy_Menu_VC>(kMenuScene).outlet("tableView", &Strategy_Menu_VC::tableView);
    ui::registerViewController<UniversalEngineVC>(kStepScene);
    registerStrategyScreens();
    registerDrillClasses();
    ui::Storyboard::setMain(appStoryboard());
}

}  // namespace tl
