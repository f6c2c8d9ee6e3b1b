// The spectrum drawn with cairo, on any surface: spectrum_file.cpp gives it an SVG, PNG or
// PDF surface of the picture's size.
#pragma once

#include <cairo.h>

#include <string_view>

#include "plot/spectrum.h"

namespace spectrum {

// Draws the whole picture of `modes` on cr, picture.width x picture.height units from the
// top left corner; `fileName` is the name the title gives.
void drawSpectrum(cairo_t* cr, const reader::ModeList& modes, std::string_view fileName,
                  const Picture& picture);

// Draws a picture on cr, from what `context` points at.
using DrawPicture = void (*)(cairo_t* cr, const void* context);

// Writes the picture `draw` makes, width x height, to `path` as the kind its extension names
// (.svg, .png, .pdf), under a temporary name renamed at the end (textio/safe_write.h), so a
// failure leaves no file. False with the reason (one line, no file name) in `why`.
bool writeCairoPicture(const char* path, int width, int height, DrawPicture draw,
                       const void* context, const char*& why);

} // namespace spectrum
