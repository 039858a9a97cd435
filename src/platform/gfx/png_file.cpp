#include "platform/gfx/png_file.hpp"

namespace gfx {

namespace {

cairo_status_t writeBytes(void* closure, const unsigned char* data, unsigned int length) {
    return static_cast<tl::TemporaryFile*>(closure)->write(data, length) ? CAIRO_STATUS_SUCCESS
                                                                         : CAIRO_STATUS_WRITE_ERROR;
}

}  // namespace

tl::WriteResult writePng(cairo_surface_t* surface, tl::TemporaryFile& file) {
    if (!file) return file.result();
    cairo_surface_flush(surface);
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, writeBytes, &file);
    // A write that failed keeps its own reason; any other (no memory for
    // the encoder, say) is Cairo's.
    if (status != CAIRO_STATUS_SUCCESS) file.fail(cairo_status_to_string(status));
    return file.result();
}

tl::WriteResult writePngFile(cairo_surface_t* surface, const std::string& path) {
    tl::TemporaryFile file(path);
    if (tl::WriteResult written = writePng(surface, file); !written) return written;
    return file.commit();
}

}  // namespace gfx
