// The numbers behind the spectrum picture: which vibrations are drawn and how tall, the
// Lorentzian sum, the two axes with their ticks, the bands that get their mode number, and
// where each part stands in a picture of a given size. Nothing here draws or writes:
// spectrum_draw.cpp draws these numbers with cairo.
#pragma once

#include "reader/vibrations.h"

#include <string_view>

namespace spectrum {

inline constexpr double fwhmDefault = 10.0; // cm**-1
inline constexpr double fwhmMin = 0.1;
inline constexpr double fwhmMax = 1000.0;
inline constexpr int widthDefault = 1200;
inline constexpr int heightDefault = 600;
inline constexpr int widthMin = 300;
inline constexpr int heightMin = 200;
inline constexpr int sizeMax = 4096;

enum class Kind { svg, png, pdf, csv, unknown };

// The kind of picture a file name asks for, by its extension: ".svg", ".png" or ".pdf", in
// any case; ".csv" asks for the numbers instead.
Kind kindOfName(std::string_view name);

// The bands of one panel: every vibration with a real frequency (0 or more), in the file's
// order. Imaginary ones are not drawn.
struct Bands {
    int count = 0;
    bool measured = false; // heights are the file's values; otherwise every height is 1
    int mode[reader::modeCapacity] = {};        // the vibration's number, from 1
    double position[reader::modeCapacity] = {}; // cm**-1
    double height[reader::modeCapacity] = {};   // km/mol or A**4/amu; a negative value as 0
};

// The bands of `modes` with heights from `values` (the intensities or the Raman activities).
// With values nullptr, or values that are 0 for every band drawn, the bands are not measured
// and every one is 1 high.
void collectBands(const reader::ModeList& modes, const double* values, Bands& bands);

// The sum over the bands of Lorentzians of full width `fwhm` at half maximum, each peaking at
// its band's height: h g^2 / ((x - x0)^2 + g^2) with g = fwhm / 2.
double lorentzianSum(const Bands& bands, double fwhm, double x);

// One axis of a panel. `from` stands at the left (or bottom) end, `to` at the right (or top);
// ticks stand at every multiple of `step` (labelled) and of `minorStep` in between.
struct Axis {
    double from = 0, to = 1;
    double step = 1, minorStep = 1;
    int decimals = 0; // of the labels
};

// The smallest of 1, 2, 5 times a power of ten that cuts `extent` into at most `most` steps.
double roundStep(double extent, int most);

// The wavenumber axis, as IR spectra are shown: from a round number above the highest band at
// the left, down to 0 at the right. The labelled step is round and cuts the axis into at most
// 10; the left end is the first multiple of the minor step at or above the highest band plus
// the larger of twice the width and a fiftieth of the band, so that the band stands inside
// with its flanks and its label. With no band (highest < 0) it runs from 4000.
Axis wavenumberAxis(double highest, double fwhm);

// The wavenumber axis from `high` at the left down to `low` at the right, labelled at a round
// step that cuts it into at most 10.
Axis rangeAxis(double low, double high);

// The intensity axis: 0 at the bottom up to the first multiple of a round step at or above
// 1.12 times `highest` (room above the tallest peak for its mode number), at most 8 steps.
// With highest 0 it runs to 1.
Axis intensityAxis(double highest);

// The Lorentzian sum sampled along a wavenumber axis, in rising wavenumber.
inline constexpr int curveCapacity = 4 * sizeMax + reader::modeCapacity + 2;
struct Curve {
    int count = 0;
    double highest = 0; // the largest y
    double x[curveCapacity] = {};
    double y[curveCapacity] = {};
};

// Samples the sum from 0 to the axis's far end every `spacing` cm**-1 (no finer than a
// quarter of the widest picture's pixel) and at every band's own position, so that no peak is
// cut however narrow.
void sampleCurve(const Bands& bands, double fwhm, const Axis& axis, double spacing, Curve& curve);

// The highest point of the curve within `halfWidth` cm**-1 of x: the label of a band stands
// on it.
double curvePeakNear(const Curve& curve, double x, double halfWidth);

// The bands to be labelled with their mode numbers: the tallest first (equal heights in the
// file's order), at most `most`, none lower than a fortieth of the tallest, and none whose
// label would overlap the label of a band chosen before it. A label is a box `separation`
// cm**-1 wide and `labelHeight` high (in the heights' unit), centred over its band and
// standing on the curve's highest point within separation / 2 of it. Fills `chosen` with
// indices into the bands, tallest first; returns how many.
int bandsToLabel(const Bands& bands, const Curve& curve, double separation, double labelHeight,
                 int most, int* chosen);

// Where the parts stand in a picture of width x height pixels (SVG and PDF units alike),
// measured from its top left corner.
struct Box {
    double left = 0, top = 0, width = 0, height = 0;
};
struct Layout {
    double scale = 1; // of text and lines, against the 1200 x 600 picture (0.75 to 3)
    int panels = 1;
    Box plot[2];                  // the frames of the IR panel and of the Raman panel below it
    double titleBaseline = 0;     // of the title above the first panel
    double axisTitleBaseline = 0; // of "Wavenumber / cm-1", under the last panel
    double noteBaseline[2] = {};  // of the lines under everything
};

// Places one or two panels (IR, then Raman below) and `notes` lines (0 to 2) under them.
Layout layoutPicture(int width, int height, int panels, int notes);

// The picture's x of a wavenumber, y of an intensity, in a panel's frame.
double xOf(const Axis& axis, const Box& box, double wavenumber);
double yOf(const Axis& axis, const Box& box, double value);

} // namespace spectrum
