// Drawing the pages of a solution to PNG files, as the step screen shows them.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

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

/// The file of page `number` (from 1): page-01.png ... page-99.png, page-100.png ...
std::string pageFileName(std::size_t number);
/// The page whose file pageFileName names `name`, or 0 for any other name.
std::size_t pageNumberOf(std::string_view name);

/// Draws every page headless (comment band, tables, navigator) and writes
/// page-01.png, page-02.png ... into the directory at 2 pixels per point,
/// then removes the page files numbered beyond the last page (an earlier
/// solution's); other files stay. Returns false with a reason in `error`
/// when a page cannot be written or such a file cannot be removed.
bool writePageImages(const StepTriple& solution, const PageImageRequest& request, std::string& error);

}  // namespace tl::steps_tool
