#include "page_images.hpp"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <system_error>
#include <vector>

#include "base/files.hpp"
#include "base/text.hpp"
#include "common/layout.hpp"
#include "engine/step_page.hpp"
#include "engine/universal_engine_vc.hpp"
#include "platform/gfx/cairo_context.hpp"
#include "platform/gfx/drawing_memory.hpp"
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

std::string pageFileName(std::size_t number) {
    char name[40];
    std::snprintf(name, sizeof name, "page-%02zu.png", number);
    return name;
}

std::size_t pageNumberOf(std::string_view name) {
    constexpr std::string_view head = "page-", tail = ".png";
    if (name.size() <= head.size() + tail.size() || !name.starts_with(head) || !name.ends_with(tail)) return 0;
    const std::string_view digits = name.substr(head.size(), name.size() - head.size() - tail.size());
    if (digits.size() > 19) return 0;  // more pages than any solution has (and than 64 bits count)
    std::size_t number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return 0;
        number = number * 10 + static_cast<std::size_t>(c - '0');
    }
    // Only the one spelling pageFileName gives: not page-00.png, page-007.png or page-5.png.
    return number > 0 && pageFileName(number) == name ? number : 0;
}

namespace {

// Removes the page files numbered beyond `pages` that an earlier, longer
// solution left in `directory`, lowest first; any other file stays.
bool removePagesBeyond(const std::filesystem::path& directory, std::size_t pages, std::string& error) {
    std::vector<std::filesystem::path> stale;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec))
        if (pageNumberOf(it->path().filename().string()) > pages) stale.push_back(it->path());
    if (ec) {
        error = "cannot read " + excerptPath(directory.string()) + ": " + ec.message();
        return false;
    }
    std::sort(stale.begin(), stale.end(), [](const auto& a, const auto& b) {
        return pageNumberOf(a.filename().string()) < pageNumberOf(b.filename().string());
    });
    for (const std::filesystem::path& path : stale)
        if (const tl::WriteResult removed = tl::removeRegularFile(path.string()); !removed) {
            error = removed.failure();
            return false;
        }
    return true;
}

}  // namespace

bool writePageImages(const StepTriple& solution, const PageImageRequest& request, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(request.directory, ec);
    if (ec) {
        error = "cannot create " + excerptPath(request.directory.string()) + ": " + ec.message();
        return false;
    }
    // The base text size follows the screen width, as on the device.
    setMainScreenWidth(request.width);
    const double base = screenScaledFontSize();
    const gfx::Rect view = stepViewFrame({static_cast<double>(request.width), static_cast<double>(request.height)});
    for (std::size_t page = 0; page < solution.steps.size(); ++page) {
        const std::filesystem::path path = request.directory / pageFileName(page + 1);
        std::string failure;
        const auto image = gfx::makeImage(request.width, request.height, kPixelScale, failure);
        bool commented = true;
        if (image)
            failure = gfx::drawChecked(*image, [&](gfx::Context& context) {
                context.translate(view.x, view.y);
                commented = drawStepPage(context, view.size(), solution, static_cast<std::int64_t>(page), base);
            });
        if (!commented) {
            error = "page " + std::to_string(page + 1) + " has no comment entry";
            return false;
        }
        if (!failure.empty()) {
            error = tl::WriteResult::cannotDraw(path.string(), failure).failure();
            return false;
        }
        if (const tl::WriteResult written = image->writePng(path.string()); !written) {
            error = written.failure();
            return false;
        }
    }
    return removePagesBeyond(request.directory, solution.steps.size(), error);
}

}  // namespace tl::steps_tool
