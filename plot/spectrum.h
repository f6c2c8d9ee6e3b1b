// The spectrum of a file's vibrations as a picture (molvane --spectrum): the IR spectrum, and
// the Raman spectrum below it where the file holds Raman activities, each as sticks at the
// vibrations with the sum of their Lorentzians over them, drawn once with cairo and written
// as SVG, PNG or PDF. The numbers behind the picture are in spectrum_plot.h.
#pragma once

#include "measured/measured.h"
#include "plot/spectrum_plot.h"
#include "reader/vibrations.h"

#include <string>
#include <string_view>

namespace spectrum {

struct Picture {
    double fwhm = fwhmDefault; // of each band's Lorentzian, cm**-1
    int width = widthDefault;  // pixels (SVG: pixels too; PDF: points)
    int height = heightDefault;
    double scale = 1;                   // the frequencies are multiplied by it (the title says so)
    double rangeLow = 0, rangeHigh = 0; // the wavenumber axis; both 0: from the bands down to 0
    const char* experiment = nullptr;   // a measured spectrum's file, drawn over the IR curve
};

// The measured spectrum of Picture::experiment, read by writeSpectrum (absorbance against
// rising wavenumber, measured/measured.h).
extern measured::Data measuredSpectrum;

// Draws the spectrum of `modes`, read from `fileName` (its last path component is named in
// the title), and writes it to `path` as the kind of picture its extension names. The file is
// written under a temporary name beside `path` and renamed at the end, replacing a file of
// that name, so that a failure leaves no file. False with the reason (one line, without the
// file name) in `why`.
bool writePicture(const reader::ModeList& modes, std::string_view fileName, const Picture& picture,
                  const char* path, const char*& why);

// The wavenumber axis of the picture: the range asked for, or from the highest band down to 0.
Axis pictureAxis(const Bands& ir, const Picture& picture);

// The factor that brings the measured spectrum's highest point within the axis up to
// `highest` (the computed IR curve's); 1 when it has no point above 0 there.
double measuredFactor(const Axis& axis, double highest);

// Writes the curves of `modes` every 1 cm**-1 along the picture's axis to the CSV file `path`
// (wavenumber, IR, Raman where the file holds activities, the measured absorbance as drawn
// where there is one), with a header line naming the units. False with the reason.
bool writeCurves(const reader::ModeList& modes, const Picture& picture, const char* path,
                 const char*& why);

// molvane --spectrum: reads the vibrations of `inputFile` (any format the reader knows) and
// writes their spectrum to `path` (a .csv name: their curves' numbers). Returns the exit status: 0
// after one console line naming the file written; 1 after one line on standard error naming the
// file at fault (the input when it cannot be read or holds no frequencies, `path` otherwise) and
// the reason, with no file left behind. A damaged input ends the run with the reader's diagnostic.
int writeSpectrum(const char* path, std::string_view inputFile, const Picture& picture);

} // namespace spectrum
