// The numbers of the energy profile: its axes and its frame.
#include "plot/energy_profile.h"

#include <algorithm>
#include <cmath>

namespace plot {
namespace {

// An axis from a round number at or below `low` to one at or above `high`, at most `most`
// labelled steps of 1, 2 or 5 times a power of ten.
spectrum::Axis roundAxis(double low, double high, int most) {
    if (!(high > low)) {
        low -= 0.5;
        high += 0.5;
    }
    spectrum::Axis axis;
    axis.step = spectrum::roundStep(high - low, most);
    axis.minorStep = axis.step / 2;
    axis.from = std::floor(low / axis.step + 1e-9) * axis.step;
    axis.to = std::ceil(high / axis.step - 1e-9) * axis.step;
    axis.decimals = std::max(0, int(std::ceil(-std::log10(axis.step) - 1e-9)));
    return axis;
}

} // namespace

void profileAxes(const Profile& profile, spectrum::Axis& x, spectrum::Axis& y) {
    double low = profile.x[0], high = profile.x[0], top = 0;
    for (int i = 0; i < profile.count; ++i) {
        low = std::min(low, profile.x[i]);
        high = std::max(high, profile.x[i]);
        top = std::max(top, profile.y[i]);
    }
    x = roundAxis(low, high, 10);
    // Room above the highest point for its mark.
    y = roundAxis(0, top > 0 ? top * 1.08 : 1, 8);
}

spectrum::Box profileBox(int width, int height) {
    const double s = std::clamp(std::min(width / 1200.0, height / 600.0), 0.75, 3.0);
    return {90 * s, 60 * s, width - 120 * s, height - 130 * s};
}

} // namespace plot
