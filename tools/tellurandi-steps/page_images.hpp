// Drawing the pages of a solution to PNG files, as the step screen shows them.
#pragma once

#include <filesystem>
#include <string>

#include "common/tableau.hpp"
#include "platform/gfx/geometry.hpp"

namespace tl::steps_tool {

struct PageImageRequest {
    std::filesystem::path directory;  // created when missing
    int width = 390;                  // the screen, in points (phone size by default)
    int height = 844;
};

/// Where the step screen puts its page on a screen of this size, in points.
gfx::Rect stepViewFrame(gfx::Size screen);

/// Draws every page headless (comment band, tables, navigator) and writes
/// page-01.png, page-02.png ... into the directory at 2 pixels per point.
/// Returns false with a reason in `error` when a page cannot be written.
bool writePageImages(const StepTriple& solution, const PageImageRequest& request, std::string& error);

}  // namespace tl::steps_tool
