// The picture written: a cairo surface of the kind the name asks for, streamed into a
// temporary file beside the target and renamed into place once every byte is on disk
// (textio/safe_write.h).
#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "plot/spectrum.h"
#include "plot/spectrum_draw.h"
#include "textio/safe_write.h"

namespace spectrum {

namespace {

// cairo's output function: bytes into the file being written; the first error is kept.
cairo_status_t writeBytes(void* closure, const unsigned char* data, unsigned int length) {
    textio::SafeWrite& out = *static_cast<textio::SafeWrite*>(closure);
    if (out.error) return CAIRO_STATUS_WRITE_ERROR;
    errno = 0;
    if (std::fwrite(data, 1, length, out.file) == length) return CAIRO_STATUS_SUCCESS;
    out.error = errno ? errno : EIO;
    return CAIRO_STATUS_WRITE_ERROR;
}

cairo_surface_t* createSurface(Kind kind, const Picture& picture, textio::SafeWrite& out) {
    switch (kind) {
    case Kind::svg: {
        cairo_surface_t* surface =
            cairo_svg_surface_create_for_stream(writeBytes, &out, picture.width, picture.height);
        cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
        return surface;
    }
    case Kind::pdf:
        return cairo_pdf_surface_create_for_stream(writeBytes, &out, picture.width, picture.height);
    default:
        return cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height);
    }
}

// Draws the picture into the open file; the reason of a failure in `why`.
bool drawInto(textio::SafeWrite& out, Kind kind, const reader::ModeList& modes,
              std::string_view fileName, const Picture& picture, const char*& why) {
    cairo_surface_t* surface = createSurface(kind, picture, out);
    cairo_status_t status = cairo_surface_status(surface);
    if (status == CAIRO_STATUS_SUCCESS) {
        cairo_t* cr = cairo_create(surface);
        drawSpectrum(cr, modes, fileName, picture);
        status = cairo_status(cr);
        cairo_destroy(cr);
    }
    if (status == CAIRO_STATUS_SUCCESS) {
        if (kind == Kind::png) {
            status = cairo_surface_write_to_png_stream(surface, writeBytes, &out);
        } else {
            cairo_surface_finish(surface); // writes what is left of the document
            status = cairo_surface_status(surface);
        }
    }
    cairo_surface_destroy(surface);
    // cairo and fontconfig would keep their fonts and caches until the process ends; with the
    // picture drawn they are let go, so that a leak checker finds nothing left.
    cairo_debug_reset_static_data();
    FcFini();
    if (status == CAIRO_STATUS_SUCCESS) return true;
    why = out.error ? std::strerror(out.error) : cairo_status_to_string(status);
    return false;
}

} // namespace

bool writePicture(const reader::ModeList& modes, std::string_view fileName, const Picture& picture,
                  const char* path, const char*& why) {
    const Kind kind = kindOfName(path);
    if (kind == Kind::unknown || kind == Kind::csv) {
        why = "the name must end in .svg, .png or .pdf";
        return false;
    }
    textio::SafeWrite out;
    if (!textio::beginSafeWrite(path, out, why)) return false;
    if (!drawInto(out, kind, modes, fileName, picture, why)) {
        textio::abandonSafeWrite(out);
        return false;
    }
    return textio::finishSafeWrite(out, true, why);
}

} // namespace spectrum
