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

} // namespace spectrum
