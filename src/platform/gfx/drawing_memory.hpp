// Drawing when memory is short (under `ulimit -v`, say).
//
// Cairo and our own code report running out of memory; Pango and GLib do
// not. GLib ends the process when it cannot start a thread (Pango sorts the
// fonts for every new face and size in a helper thread of its own) or get
// memory; fontconfig prints a line for every rule it could not read; Pango
// draws the text of a font it could not load as boxes, with one warning.
// So every program that draws readies the process once, first thing:
//
//     gfx::prepareForDrawing("tellurandi-steps");
//
// and draws each picture it writes through drawChecked, which fails (saying
// why) where a picture would be wrong or the memory left too short.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/gfx/cairo_context.hpp"

namespace gfx {

/// Readies the process for drawing; the first call does the work, later
/// ones nothing. Call it before any thread is started:
/// - every thread allocates from one malloc arena (each helper thread would
///   otherwise keep 64 MB of address space of its own);
/// - a fatal error of GLib's (no memory for a thread, say) ends the process
///   with one line, "PROGRAM: GLib's message", and status 1, once every
///   temporary file being written is removed (see tl::endAtOnce): never
///   with a signal, and at any moment, while the fonts load too;
/// - Pango's warnings are no longer printed: each fails the next picture
///   drawChecked draws (see there);
/// - the fonts are loaded, and their helper threads let finish, with
///   fontconfig's messages held back: fonts that cannot be loaded are a
///   tl::PreconditionError ("cannot load the fonts: ..."), one line where
///   fontconfig would print hundreds. When they load, what was held back
///   (normally nothing) goes to standard error after all.
void prepareForDrawing(std::string_view program);

/// Whether `bytes` more address space can be had now. (Reserved and let go
/// at once: only a memory limit can refuse it.)
bool canReserve(std::size_t bytes);

/// What drawing and writing a picture may take beside its pixels once the
/// fonts are loaded: a helper thread's stack, Cairo's rasteriser, the glyph
/// images of its text and the PNG encoder.
inline constexpr std::size_t kDrawingHeadroom = std::size_t{32} << 20;

/// A new image of `width` × `height` points at `scale` (an ImageSurface,
/// white), or none, `why` then saying why it cannot be made: as the image
/// refuses ("an image of 8192 × 8192 pixels cannot be made: out of memory",
/// "image is too large"), or "out of memory".
std::unique_ptr<ImageSurface> makeImage(double width, double height, double scale, std::string& why);

/// Draws `draw` into `image`; then empty, or why the picture is not to be
/// used: "out of memory" when kDrawingHeadroom cannot be had beside the
/// image (nothing is drawn), Pango's first warning (its text would show as
/// boxes; one given since the last picture, while text was measured,
/// counts too), or why Cairo stopped drawing. Running out of memory on the way
/// (std::bad_alloc) is "out of memory" too.
std::string drawChecked(ImageSurface& image, const std::function<void(Context&)>& draw);

/// Draws `draw` once into an image of one pixel at `scale` points a pixel,
/// which loads every face at every size it sets text in (Pango and Cairo
/// keep them), and lets the helper threads that starts finish: drawn again
/// into a large image, it then needs no more memory for its text. Empty, or
/// why not, as drawChecked says it; "out of memory" too when the fonts'
/// room (64 MB) cannot be had.
std::string loadFontsFor(const std::function<void(Context&)>& draw, double scale);

}  // namespace gfx
