#include "page_images.hpp"

#include <cstdio>
#include <system_error>

#include "common/layout.hpp"
#include "engine/step_page.hpp"
#include "platform/gfx/cairo_context.hpp"

namespace tl::steps_tool {

namespace {

// Device pixels per point: a phone's retina scale, so the text stays crisp.
constexpr double kPixelScale = 2.0;

}  // namespace

bool writePageImages(const StepTriple& solution, const PageImageRequest& request, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(request.directory, ec);
    if (ec) {
        error = "cannot create " + request.directory.string() + ": " + ec.message();
        return false;
    }
    // The base text size follows the screen width, as on the device.
    setMainScreenWidth(request.width);
    const double base = screenScaledFontSize();
    for (std::size_t page = 0; page < solution.steps.size(); ++page) {
        gfx::ImageSurface image(request.width, request.height, kPixelScale);
        {
            gfx::ContextScope scope(&image.context());
            if (!drawStepPage(image.context(), image.size(), solution, static_cast<std::int64_t>(page), base)) {
                error = "page " + std::to_string(page + 1) + " has no comment entry";
                return false;
            }
        }
        char name[32];
        std::snprintf(name, sizeof name, "page-%02zu.png", page + 1);
        const std::filesystem::path path = request.directory / name;
        if (!image.writePng(path.string())) {
            error = "cannot write " + path.string();
            return false;
        }
    }
    return true;
}

}  // namespace tl::steps_tool
