// The spectrum's numbers: bands, the Lorentzian sum, axes, labels and the picture's layout.
#include "plot/spectrum_plot.h"

#include <algorithm>
#include <cmath>

namespace spectrum {

namespace {

// Band indices, sorted by position or by height as a step needs them.
int order[reader::modeCapacity];

// m times ten to the power e, as the double nearest it (a power of ten up to 1e22 is exact, so
// 2e-3 is the double the literal 0.002 gives, whatever the C library's pow does).
double decimal(int m, int e) {
    double power = 1;
    for (int i = 0; i < (e < 0 ? -e : e); ++i) power *= 10;
    return e < 0 ? m / power : m * power;
}

// The mantissa of a round step: 1, 2 or 5.
int mantissaOf(double step) {
    const double m = step / decimal(1, int(std::floor(std::log10(step))));
    return m < 1.5 ? 1 : m < 3.5 ? 2 : 5;
}

// The first multiple of step at or above extent (a quotient a rounding error above a whole
// number counts as that number).
double roundUp(double extent, double step) { return std::ceil(extent / step - 1e-9) * step; }

void setTicks(Axis& axis, double step) {
    axis.step = step;
    axis.minorStep = step / (mantissaOf(step) == 2 ? 4 : 5);
    axis.decimals = step >= 1 ? 0 : int(std::ceil(-std::log10(step) - 1e-9));
}

} // namespace

Kind kindOfName(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || name.size() - dot != 4) return Kind::unknown;
    char extension[3];
    for (int i = 0; i < 3; ++i) {
        const char c = name[dot + 1 + i];
        extension[i] = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    }
    const std::string_view e(extension, 3);
    if (e == "svg") return Kind::svg;
    if (e == "png") return Kind::png;
    if (e == "pdf") return Kind::pdf;
    if (e == "csv") return Kind::csv;
    return Kind::unknown;
}

void collectBands(const reader::ModeList& modes, const double* values, Bands& bands) {
    bands.count = 0;
    bands.measured = false;
    for (int i = 0; i < modes.count; ++i) {
        if (!(modes.frequency[i] >= 0)) continue;
        const int k = bands.count++;
        bands.mode[k] = i + 1;
        bands.position[k] = modes.frequency[i];
        bands.height[k] = values ? std::max(values[i], 0.0) : 0.0;
        if (bands.height[k] > 0) bands.measured = true;
    }
    if (!bands.measured)
        for (int k = 0; k < bands.count; ++k) bands.height[k] = 1;
}

double lorentzianSum(const Bands& bands, double fwhm, double x) {
    const double g2 = fwhm * fwhm / 4;
    double sum = 0;
    for (int k = 0; k < bands.count; ++k) {
        const double d = x - bands.position[k];
        sum += bands.height[k] * g2 / (d * d + g2);
    }
    return sum;
}

double roundStep(double extent, int most) {
    if (!(extent > 0) || most < 1) return 1;
    for (int e = int(std::floor(std::log10(extent / most)));; ++e)
        for (const int m : {1, 2, 5})
            if (std::ceil(extent / decimal(m, e) - 1e-9) <= most) return decimal(m, e);
}

Axis wavenumberAxis(double highest, double fwhm) {
    const double extent = highest >= 0 ? highest + std::max(2 * fwhm, highest / 50) : 4000;
    Axis axis;
    setTicks(axis, roundStep(extent, 10));
    axis.from = roundUp(extent, axis.minorStep);
    axis.to = 0;
    return axis;
}

Axis rangeAxis(double low, double high) {
    Axis axis;
    setTicks(axis, roundStep(high - low, 10));
    axis.from = high;
    axis.to = low;
    return axis;
}

Axis intensityAxis(double highest) {
    Axis axis;
    const double extent = highest > 0 ? 1.12 * highest : 1;
    setTicks(axis, roundStep(extent, 8));
    axis.from = 0;
    axis.to = roundUp(extent, axis.step);
    return axis;
}

void sampleCurve(const Bands& bands, double fwhm, const Axis& axis, double spacing, Curve& curve) {
    const double low = std::min(axis.from, axis.to), high = std::max(axis.from, axis.to);
    spacing = std::max(spacing, (high - low) / (4.0 * sizeMax));
    for (int k = 0; k < bands.count; ++k) order[k] = k;
    std::sort(order, order + bands.count,
              [&](int a, int b) { return bands.position[a] < bands.position[b]; });
    curve.count = 0;
    curve.highest = 0;
    const auto add = [&](double x) {
        if (curve.count == curveCapacity) return;
        curve.x[curve.count] = x;
        curve.y[curve.count] = lorentzianSum(bands, fwhm, x);
        curve.highest = std::max(curve.highest, curve.y[curve.count]);
        ++curve.count;
    };
    int next = 0; // the next band position to merge in
    const int steps = int(std::floor((high - low) / spacing + 1e-9));
    for (int i = 0; i <= steps + 1; ++i) {
        const double x = i <= steps ? low + i * spacing : high;
        if (i > steps && curve.count > 0 && curve.x[curve.count - 1] >= high) break;
        for (; next < bands.count && bands.position[order[next]] <= x; ++next) {
            const double p = bands.position[order[next]];
            if (p < x && p >= low && (curve.count == 0 || p > curve.x[curve.count - 1])) add(p);
        }
        add(x);
    }
}

double curvePeakNear(const Curve& curve, double x, double halfWidth) {
    const double* first = std::lower_bound(curve.x, curve.x + curve.count, x - halfWidth);
    double peak = 0;
    for (const double* p = first; p < curve.x + curve.count && *p <= x + halfWidth; ++p)
        peak = std::max(peak, curve.y[p - curve.x]);
    return peak;
}

int bandsToLabel(const Bands& bands, const Curve& curve, double separation, double labelHeight,
                 int most, int* chosen) {
    static double base[reader::modeCapacity]; // where each chosen label stands
    for (int k = 0; k < bands.count; ++k) order[k] = k;
    std::stable_sort(order, order + bands.count,
                     [&](int a, int b) { return bands.height[a] > bands.height[b]; });
    int count = 0;
    for (int i = 0; i < bands.count && count < most; ++i) {
        const int k = order[i];
        if (!(bands.height[k] > 0) || bands.height[k] < bands.height[order[0]] / 40) break;
        const double at = curvePeakNear(curve, bands.position[k], separation / 2);
        bool clear = true;
        for (int j = 0; j < count && clear; ++j)
            clear = std::fabs(bands.position[k] - bands.position[chosen[j]]) >= separation ||
                    std::fabs(at - base[j]) >= labelHeight;
        if (!clear) continue;
        base[count] = at;
        chosen[count++] = k;
    }
    return count;
}

Layout layoutPicture(int width, int height, int panels, int notes) {
    Layout layout;
    const double s = std::clamp(std::min(width / 1200.0, height / 600.0), 0.75, 3.0);
    layout.scale = s;
    layout.panels = panels;
    const double left = 92 * s, right = 28 * s, top = 50 * s, gap = 44 * s;
    const double below = (47 + 9 + (notes > 0 ? 25 + 19 * (notes - 1) : 0)) * s;
    const double each = (height - top - below - (panels - 1) * gap) / panels;
    for (int p = 0; p < panels; ++p)
        layout.plot[p] = {left, top + p * (each + gap), width - left - right, each};
    const Box& last = layout.plot[panels - 1];
    layout.titleBaseline = 32 * s;
    layout.axisTitleBaseline = last.top + last.height + 47 * s;
    for (int n = 0; n < notes && n < 2; ++n)
        layout.noteBaseline[n] = layout.axisTitleBaseline + (25 + 19 * n) * s;
    return layout;
}

double xOf(const Axis& axis, const Box& box, double wavenumber) {
    return box.left + (wavenumber - axis.from) / (axis.to - axis.from) * box.width;
}

double yOf(const Axis& axis, const Box& box, double value) {
    return box.top + box.height - (value - axis.from) / (axis.to - axis.from) * box.height;
}

} // namespace spectrum
