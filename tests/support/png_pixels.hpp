// A PNG read back from disk: its pixel size and the straight RGB at a pixel.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "base/errors.hpp"

namespace tl::testing {

class Png {
public:
    explicit Png(const std::string& path) : surface_(cairo_image_surface_create_from_png(path.c_str())) {}
    ~Png() { cairo_surface_destroy(surface_); }
    Png(const Png&) = delete;
    Png& operator=(const Png&) = delete;

    bool ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
    int width() const { return ok() ? cairo_image_surface_get_width(surface_) : 0; }
    int height() const { return ok() ? cairo_image_surface_get_height(surface_) : 0; }
    /// 0xRRGGBB at (x, y); throws outside the image.
    unsigned rgb(int x, int y) const {
        tl::require(x >= 0 && y >= 0 && x < width() && y < height(), "pixel outside the PNG");
        const unsigned char* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
        std::uint32_t argb;
        std::memcpy(&argb, row + 4 * x, 4);
        return argb & 0xffffffu;
    }

private:
    cairo_surface_t* surface_;
};

}  // namespace tl::testing
