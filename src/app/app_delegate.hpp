// The application delegate: launching succeeds and nothing else happens at
// any point of the life cycle.
#pragma once

#include "platform/ui/application.hpp"

namespace tl {

class AppDelegate : public ui::ApplicationDelegate {
public:
    bool didFinishLaunching(ui::Application& application) override;
};

}  // namespace tl
