#include "app/app_delegate.hpp"

namespace tl {

bool AppDelegate::didFinishLaunching(ui::Application& application) {
    (void)application;
    return true;
}

}  // namespace tl
