// Writing a Cairo surface to a PNG file whole or not at all.
//
//     if (tl::WriteResult written = gfx::writePngFile(surface, "out/page-01.png"); !written)
//         ...written.failure()...   // nothing new at that name
//
// The image goes through a tl::TemporaryFile (see base/files.hpp): a hidden
// file beside the target that takes the target's name only once every byte
// is written, flushed and closed, and only over a regular file. Any failure
// on the way (a full disk, a file size limit, no memory for the encoder, an
// exception) removes the temporary file and leaves whatever was at the
// target before.
#pragma once

#include <cairo.h>

#include <string>

#include "base/files.hpp"

namespace gfx {

/// Writes `surface` as PNG to `path`; on failure no file is left behind.
tl::WriteResult writePngFile(cairo_surface_t* surface, const std::string& path);

/// Writes `surface` as PNG into `file`, not yet committed (so that it can
/// take its name after some other file is in place).
tl::WriteResult writePng(cairo_surface_t* surface, tl::TemporaryFile& file);

}  // namespace gfx
