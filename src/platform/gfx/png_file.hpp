// Writing a Cairo surface to a PNG file whole or not at all.
//
//     if (!gfx::writePngFile(surface, "out/page-01.png")) ...   // nothing new at that name
//
// The image goes to a hidden temporary file beside the target (same folder,
// so the same file system) and takes the target's name only once every byte
// is written, flushed and closed. Any failure on the way (a full disk, a file
// size limit, no memory for the encoder, an exception) removes the temporary
// file and leaves whatever was at the target before.
#pragma once

#include <cairo.h>

#include <string>

namespace gfx {

/// Writes `surface` as PNG to `path`; false (and no file left behind) when
/// it cannot.
[[nodiscard]] bool writePngFile(cairo_surface_t* surface, const std::string& path);

}  // namespace gfx
