// The process entry: register the app, then hand over to the application
// loop in a desktop window.
#include <cstdio>
#include <memory>

#include "app/registration.hpp"
#include "base/errors.hpp"
#include "platform/sdl/window_host.hpp"
#include "platform/ui/application.hpp"

int main(int argc, char** argv) {
    try {
        tl::registerApplication();
        ui::setMainHost(std::make_unique<sdl::WindowHost>());
        return ui::applicationMain(argc, argv, "AppDelegate");
    } catch (const tl::PreconditionError& e) {
        std::fprintf(stderr, "tellurandi: %s\n", e.what());
        return 1;
    }
}
