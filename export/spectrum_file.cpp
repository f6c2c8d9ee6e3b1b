// The picture written: a cairo surface of the kind the name asks for, streamed into a
// temporary file beside the target and renamed into place once every byte is on disk.
#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "export/spectrum.h"
#include "export/spectrum_draw.h"

namespace spectrum {

namespace {

// Where cairo's bytes go, and the first write error.
struct Sink {
    std::FILE* file;
    int error;
};

cairo_status_t writeBytes(void* closure, const unsigned char* data, unsigned int length) {
    Sink& sink = *static_cast<Sink*>(closure);
    if (sink.error) return CAIRO_STATUS_WRITE_ERROR;
    errno = 0;
    if (std::fwrite(data, 1, length, sink.file) == length) return CAIRO_STATUS_SUCCESS;
    sink.error = errno ? errno : EIO;
    return CAIRO_STATUS_WRITE_ERROR;
}

cairo_surface_t* createSurface(Kind kind, const Picture& picture, Sink& sink) {
    switch (kind) {
    case Kind::svg: {
        cairo_surface_t* surface =
            cairo_svg_surface_create_for_stream(writeBytes, &sink, picture.width, picture.height);
        cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
        return surface;
    }
    case Kind::pdf:
        return cairo_pdf_surface_create_for_stream(writeBytes, &sink, picture.width,
                                                   picture.height);
    default:
        return cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height);
    }
}

// Draws the picture into the open file; the reason of a failure in `why`.
bool drawInto(Sink& sink, Kind kind, const reader::ModeList& modes, std::string_view fileName,
              const Picture& picture, std::string& why) {
    cairo_surface_t* surface = createSurface(kind, picture, sink);
    cairo_status_t status = cairo_surface_status(surface);
    if (status == CAIRO_STATUS_SUCCESS) {
        cairo_t* cr = cairo_create(surface);
        drawSpectrum(cr, modes, fileName, picture);
        status = cairo_status(cr);
        cairo_destroy(cr);
    }
    if (status == CAIRO_STATUS_SUCCESS) {
        if (kind == Kind::png) {
            status = cairo_surface_write_to_png_stream(surface, writeBytes, &sink);
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
    why = sink.error ? std::strerror(sink.error) : cairo_status_to_string(status);
    return false;
}

} // namespace

bool writePicture(const reader::ModeList& modes, std::string_view fileName, const Picture& picture,
                  const char* path, std::string& why) {
    const Kind kind = kindOfName(path);
    if (kind == Kind::unknown || kind == Kind::csv) {
        why = "the name must end in .svg, .png or .pdf";
        return false;
    }
    std::string temporary = std::string(path) + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    Sink sink{fdopen(fd, "wb"), 0};
    if (!sink.file) {
        why = std::strerror(errno);
        close(fd);
        unlink(temporary.c_str());
        return false;
    }
    bool written = drawInto(sink, kind, modes, fileName, picture, why);
    // Bytes still buffered meet a full disk only here.
    errno = 0;
    if ((std::fflush(sink.file) != 0 || fsync(fileno(sink.file)) != 0) && written) {
        why = std::strerror(errno ? errno : EIO);
        written = false;
    }
    if (std::fclose(sink.file) != 0 && written) {
        why = std::strerror(errno ? errno : EIO);
        written = false;
    }
    if (written && std::rename(temporary.c_str(), path) == 0) return true;
    if (written) why = std::strerror(errno);
    unlink(temporary.c_str());
    return false;
}

} // namespace spectrum
