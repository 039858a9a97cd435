#include "page_images.hpp"

#include <cstdio>
#include <system_error>

#include "base/text.hpp"
#include "common/layout.hpp"
#include "engine/step_page.hpp"
#include "engine/universal_engine_vc.hpp"
#include "platform/gfx/cairo_context.hpp"
#include "platform/ui/screen.hpp"

namespace tl::steps_tool {

namespace {

// Device pixels per point: a phone's retina scale, so the text stays crisp.
constexpr double kPixelScale = 2.0;

}  // namespace

gfx::Rect stepViewFrame(gfx::Size screen) {
    // The step screen sits below the status and navigation bars, above the
    // bottom inset, and keeps its page a few points off every edge.
    const ui::Screen& device = ui::Screen::main();
    const double top = device.statusBarHeight() + ui::kNavigationBarHeight + kStepViewInset;
    const double bottom = device.bottomInset() + kStepViewInset;
    return {kStepViewInset, top, screen.width - 2 * kStepViewInset, screen.height - top - bottom};
}

bool writePageImages(const StepTriple& solution, const PageImageRequest& request, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(request.directory, ec);
    if (ec) {
        error = "cannot create " + excerpt(request.directory.string()) + ": " + ec.message();
        return false;
    }
    // The base text size follows the screen width, as on the device.
    setMainScreenWidth(request.width);
    const double base = screenScaledFontSize();
    const gfx::Rect view = stepViewFrame({static_cast<double>(request.width), static_cast<double>(request.height)});
    for (std::size_t page = 0; page < solution.steps.size(); ++page) {
        gfx::ImageSurface image(request.width, request.height, kPixelScale);
        {
            gfx::ContextScope scope(&image.context());
            image.context().translate(view.x, view.y);
            if (!drawStepPage(image.context(), view.size(), solution, static_cast<std::int64_t>(page), base)) {
                error = "page " + std::to_string(page + 1) + " has no comment entry";
                return false;
            }
        }
        char name[32];
        std::snprintf(name, sizeof name, "page-%02zu.png", page + 1);
        const std::filesystem::path path = request.directory / name;
        if (!image.writePng(path.string())) {
            error = "cannot write " + (std::filesystem::path(excerpt(request.directory.string())) / name).string();
            return false;
        }
    }
    return true;
}

}  // namespace tl::steps_tool
