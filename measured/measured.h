// A spectrum measured in the lab, read from the file an instrument or a spectral library wrote:
// JCAMP-DX (jcamp.cpp) or two columns of text (two_column.cpp), told apart by the content.
// The computed spectrum is drawn over it (molvane --spectrum --experiment FILE).
#pragma once

#include <string_view>

namespace measured {

inline constexpr int pointCapacity = 1 << 18;

// The points of a file as it holds them, the file's factors applied: x in the file's unit of
// abscissa, y in its unit of ordinate, in the file's order.
struct Data {
    int count = 0;
    bool peaks = false;   // a table of peaks (drawn as sticks) rather than a sampled curve
    char xUnits[40] = {}; // as the file names them, in upper case; "" when it names none
    char yUnits[40] = {};
    double x[pointCapacity] = {};
    double y[pointCapacity] = {};
};

// Reads a JCAMP-DX file's first spectrum: ##XYDATA=(X++(Y..Y)) in any of its ASDF forms
// (AFFN, PAC, SQZ, DIF, DUP, mixed on a line), or ##PEAK TABLE= / ##XYPOINTS=(XY..XY), with
// ##XFACTOR and ##YFACTOR applied. The checks the format defines are made: a line after one
// ending in DIF form repeats that line's last Y first (the Y check), each line's X lies
// within one spacing of FIRSTX + i DELTAX (i the index of its first Y), and the count of
// points is ##NPOINTS. False with the number of the line at fault (0 when no one line is)
// and the reason.
bool readJcamp(std::string_view path, Data& data, long long& line, const char*& why);

// Reads two columns of text: x and y on each line, separated by a comma, semicolon, tab or
// blanks; blank lines and lines starting with '#' are passed over, and one header line is
// allowed before the first point. The units are left "": wavenumbers and absorbance.
bool readTwoColumn(std::string_view path, Data& data, long long& line, const char*& why);

// Reads either kind (a file whose first line that is not blank starts with "##" is
// JCAMP-DX) and turns it into wavenumbers (cm**-1) rising and absorbance: X in 1/CM or
// MICROMETERS, Y as ABSORBANCE or TRANSMITTANCE (in percent where its values run above 1.5;
// floored at 1e-4 before A = -log10 T). False with the line at fault (0 for the file as a
// whole) and the reason.
bool readSpectrum(std::string_view path, Data& data, long long& line, const char*& why);

// The absorbance at wavenumber x, linearly interpolated between the points around it (data
// as readSpectrum leaves it); false outside the points' range or for a table of peaks.
bool absorbanceAt(const Data& data, double x, double& absorbance);

} // namespace measured
