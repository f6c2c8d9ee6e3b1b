// The energy profile of a path (molvane --energy-plot): the energy of each step relative to
// the lowest, in kcal/mol, against the step, the reaction coordinate (the transition state at
// 0, marked) or the scanned value; every point marked, the lowest labelled, the file named in
// the title. Drawn with cairo beside the spectrum and written as SVG, PNG or PDF.
#pragma once

#include "plot/spectrum_plot.h"

#include <string_view>

namespace plot {

struct Profile {
    int count = 0;
    const double* x = nullptr; // the coordinate of each point
    const double* y = nullptr; // kcal/mol above the lowest
    int lowest = 0;            // the point labelled
    int marked = -1;           // the transition state, or -1
    std::string_view xTitle;   // "Step", "Reaction coordinate / bohr amu^1/2", "Scanned value"
    std::string_view fileName; // its last component is named in the title
};

// The axes of a profile: x over the coordinates' range, y from 0 (the lowest) to a round
// number above the highest point, each with round steps.
void profileAxes(const Profile& profile, spectrum::Axis& x, spectrum::Axis& y);
// The frame of the plot in a width x height picture.
spectrum::Box profileBox(int width, int height);

// Draws the profile and writes it to `path`. False with the reason (one line, no file name) in
// `why`; no file is left behind then. The Windows build writes none.
bool writeEnergyProfile(const char* path, const Profile& profile, int width, int height,
                        const char*& why);

} // namespace plot
