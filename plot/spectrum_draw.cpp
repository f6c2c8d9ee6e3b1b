// The spectrum's picture: the title, one or two panels (light grid, sticks, the Lorentzian
// curve over them, mode numbers over the strongest bands, frame, ticks and their labels, axis
// titles) and the notes under them, in the places spectrum_plot.cpp works out.
#include "plot/spectrum_draw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace spectrum {

namespace {

struct Colour {
    double r, g, b;
};
constexpr Colour ink{0.12, 0.12, 0.12};      // frame, ticks, text
constexpr Colour stickInk{0.22, 0.22, 0.22}; // the sticks
constexpr Colour curveInk{0.05, 0.36, 0.72}; // the Lorentzian sum
constexpr Colour gridInk{0.90, 0.90, 0.90};  // grid lines
constexpr Colour noteInk{0.30, 0.30, 0.30};  // captions and notes
constexpr Colour paper{1.0, 1.0, 1.0};

constexpr int labelsMost = 10; // mode numbers over the strongest bands, per panel

// What one panel shows; the curve is sampled for one panel at a time.
Bands irBands, ramanBands;
Curve curve;

void setColour(cairo_t* cr, Colour c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

void setFont(cairo_t* cr, double size, bool bold = false) {
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

double textWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

// Writes text on the baseline y with its left end, middle or right end (align 0, 0.5, 1) at x.
void showText(cairo_t* cr, const std::string& text, double x, double y, double align) {
    cairo_move_to(cr, x - align * textWidth(cr, text), y);
    cairo_show_text(cr, text.c_str());
}

std::string number(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, std::fabs(value) < 1e-12 ? 0.0 : value);
    return text;
}

// The last component of a path, as the title names the file: its UTF-8 as it is, any other
// byte (a name in another encoding) as '?', since cairo draws UTF-8 text only.
std::string baseName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
    std::string name;
    for (std::size_t i = 0; i < path.size();) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        const std::size_t length = c < 0x80       ? 1
                                   : c >> 5 == 6  ? 2
                                   : c >> 4 == 14 ? 3
                                   : c >> 3 == 30 ? 4
                                                  : 0;
        bool whole = length > 0 && i + length <= path.size();
        for (std::size_t k = 1; whole && k < length; ++k)
            whole = (static_cast<unsigned char>(path[i + k]) & 0xc0) == 0x80;
        if (whole && c >= 0x20) {
            name.append(path.substr(i, length));
            i += length;
        } else {
            name += '?';
            ++i;
        }
    }
    return name;
}

// Calls f(value, major) for every tick of the axis, from 0 up to its far end.
template <typename F> void forEachTick(const Axis& axis, F f) {
    const double end = std::max(axis.from, axis.to);
    const int perStep = int(std::lround(axis.step / axis.minorStep));
    const int minors = int(std::lround(end / axis.minorStep));
    for (int i = 0; i <= minors; ++i) f(i * axis.minorStep, i % perStep == 0);
}

// "Not drawn: imaginary modes 1 (-757.81 cm-1), 2 (...) and 3 (...)": as many as fit in
// `room`, the rest counted.
std::string imaginaryNote(cairo_t* cr, const reader::ModeList& modes, double room) {
    static int imaginary[reader::modeCapacity];
    int n = 0;
    for (int i = 0; i < modes.count; ++i)
        if (modes.frequency[i] < 0) imaginary[n++] = i;
    const auto item = [&](int k) {
        return std::to_string(imaginary[k] + 1) + " (" + number(modes.frequency[imaginary[k]], 2) +
               " cm-1)";
    };
    const std::string head = n == 1 ? "Not drawn: imaginary mode " : "Not drawn: imaginary modes ";
    std::string fitting, listed = head + item(0);
    for (int shown = 1; shown <= n; ++shown) {
        if (shown > 1) listed += (shown == n ? " and " : ", ") + item(shown - 1);
        std::string text = listed;
        if (shown < n) text += " and " + std::to_string(n - shown) + " more";
        if (shown > 1 && textWidth(cr, text) > room) break;
        fitting = text;
    }
    return fitting;
}

void drawGrid(cairo_t* cr, const Box& box, const Axis& x, const Axis& y, bool yGrid, double s) {
    setColour(cr, gridInk);
    cairo_set_line_width(cr, 1 * s);
    forEachTick(x, [&](double v, bool major) {
        const double px = xOf(x, box, v);
        if (!major || px <= box.left + 1 || px >= box.left + box.width - 1) return;
        cairo_move_to(cr, px, box.top);
        cairo_line_to(cr, px, box.top + box.height);
    });
    if (yGrid)
        forEachTick(y, [&](double v, bool major) {
            const double py = yOf(y, box, v);
            if (!major || py <= box.top + 1 || py >= box.top + box.height - 1) return;
            cairo_move_to(cr, box.left, py);
            cairo_line_to(cr, box.left + box.width, py);
        });
    cairo_stroke(cr);
}

void drawSticksAndCurve(cairo_t* cr, const Box& box, const Axis& x, const Axis& y,
                        const Bands& bands, double s) {
    cairo_save(cr);
    cairo_rectangle(cr, box.left, box.top, box.width, box.height);
    cairo_clip(cr);
    setColour(cr, stickInk);
    cairo_set_line_width(cr, 1.5 * s);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (int k = 0; k < bands.count; ++k) {
        const double px = xOf(x, box, bands.position[k]);
        cairo_move_to(cr, px, yOf(y, box, 0));
        cairo_line_to(cr, px, yOf(y, box, bands.height[k]));
    }
    cairo_stroke(cr);
    setColour(cr, curveInk);
    cairo_set_line_width(cr, 2 * s);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int i = 0; i < curve.count; ++i)
        cairo_line_to(cr, xOf(x, box, curve.x[i]), yOf(y, box, curve.y[i]));
    cairo_stroke(cr);
    cairo_restore(cr);
}

// The frame on whole pixels, so that it is sharp in a PNG; ticks point outwards.
void drawFrameAndTicks(cairo_t* cr, const Box& box, const Axis& x, const Axis& y, bool yLabels,
                       double s) {
    setColour(cr, ink);
    const double line = std::max(1.0, std::round(s));
    cairo_set_line_width(cr, line);
    const double half = std::fmod(line, 2) / 2;
    cairo_rectangle(cr, std::round(box.left) + half, std::round(box.top) + half,
                    std::round(box.width), std::round(box.height));
    const double bottom = box.top + box.height;
    forEachTick(x, [&](double v, bool major) {
        const double px = xOf(x, box, v);
        cairo_move_to(cr, px, bottom);
        cairo_line_to(cr, px, bottom + (major ? 6 : 3.5) * s);
    });
    if (yLabels)
        forEachTick(y, [&](double v, bool major) {
            const double py = yOf(y, box, v);
            cairo_move_to(cr, box.left, py);
            cairo_line_to(cr, box.left - (major ? 6 : 3.5) * s, py);
        });
    cairo_stroke(cr);

    // Every labelled tick gets its number, or every second, fifth... where they would touch.
    setFont(cr, 13 * s);
    const double pitch = std::fabs(xOf(x, box, x.step) - xOf(x, box, 0));
    const double room = textWidth(cr, number(std::max(x.from, x.to), x.decimals)) + 10 * s;
    int every = 1;
    for (const int k : {2, 5, 10})
        if (every * pitch < room) every = k;
    forEachTick(x, [&, n = 0](double v, bool major) mutable {
        if (major && n++ % every == 0)
            showText(cr, number(v, x.decimals), xOf(x, box, v), bottom + 22 * s, 0.5);
    });
    if (yLabels)
        forEachTick(y, [&](double v, bool major) {
            if (major)
                showText(cr, number(v, y.decimals), box.left - 9 * s, yOf(y, box, v) + 4.5 * s, 1);
        });
}

// Mode numbers over the strongest bands, each above the curve's highest point under it.
void drawBandLabels(cairo_t* cr, const Box& box, const Axis& x, const Axis& y, const Bands& bands,
                    double s) {
    if (bands.count == 0) return;
    setFont(cr, 12 * s);
    int widest = 0;
    for (int k = 0; k < bands.count; ++k) widest = std::max(widest, bands.mode[k]);
    const double separation =
        (textWidth(cr, std::to_string(widest)) + 6 * s) * (x.from - x.to) / box.width;
    const double labelHeight = 14 * s * (y.to - y.from) / box.height;
    int chosen[labelsMost];
    const int n = bandsToLabel(bands, curve, separation, labelHeight, labelsMost, chosen);
    setColour(cr, ink);
    for (int i = 0; i < n; ++i) {
        const int k = chosen[i];
        const double peak = curvePeakNear(curve, bands.position[k], separation / 2);
        showText(cr, std::to_string(bands.mode[k]), xOf(x, box, bands.position[k]),
                 yOf(y, box, peak) - 5 * s, 0.5);
    }
}

void drawVerticalTitle(cairo_t* cr, const Box& box, const std::string& title, double s) {
    setColour(cr, ink);
    setFont(cr, 15 * s);
    cairo_save(cr);
    cairo_translate(cr, box.left - 62 * s, box.top + box.height / 2);
    cairo_rotate(cr, -M_PI / 2);
    showText(cr, title, 0, 0, 0.5);
    cairo_restore(cr);
}

void drawPanel(cairo_t* cr, const Box& box, const Axis& x, const Bands& bands, double fwhm,
               const std::string& yTitle, double s) {
    sampleCurve(bands, fwhm, x, std::max(fwhm / 8, (x.from - x.to) / (4 * box.width)), curve);
    const Axis y = intensityAxis(curve.highest);
    drawGrid(cr, box, x, y, bands.measured, s);
    drawSticksAndCurve(cr, box, x, y, bands, s);
    drawFrameAndTicks(cr, box, x, y, bands.measured, s);
    drawBandLabels(cr, box, x, y, bands, s);
    drawVerticalTitle(cr, box, yTitle, s);
}

// The title at the left over the first panel, the broadening at the right when both fit.
void drawTitle(cairo_t* cr, const Layout& layout, const std::string& title, double fwhm) {
    const double s = layout.scale;
    const Box& box = layout.plot[0];
    char caption[80];
    std::snprintf(caption, sizeof caption, "Lorentzian broadening, FWHM %g cm-1", fwhm);
    setFont(cr, 13 * s);
    const double captionWidth = textWidth(cr, caption);
    setFont(cr, 20 * s, true);
    const double titleWidth = textWidth(cr, title);
    if (titleWidth > box.width) setFont(cr, 20 * s * box.width / titleWidth, true);
    setColour(cr, ink);
    showText(cr, title, box.left, layout.titleBaseline, 0);
    if (titleWidth + captionWidth + 24 * s > box.width) return;
    setFont(cr, 13 * s);
    setColour(cr, noteInk);
    showText(cr, caption, box.left + box.width, layout.titleBaseline, 1);
}

} // namespace

void drawSpectrum(cairo_t* cr, const reader::ModeList& modes, std::string_view fileName,
                  const Picture& picture) {
    const std::string name = baseName(fileName);
    collectBands(modes, modes.hasIntensities ? modes.intensity : nullptr, irBands);
    collectBands(modes, modes.hasRaman ? modes.ramanActivity : nullptr, ramanBands);
    const bool raman = ramanBands.measured;
    int imaginary = 0;
    for (int i = 0; i < modes.count; ++i) imaginary += modes.frequency[i] < 0;

    std::string notes[2];
    int noteCount = 0;
    if (!irBands.measured && irBands.count > 0)
        notes[noteCount++] =
            modes.hasIntensities
                ? "Every IR intensity in " + name + " is 0: every band is drawn at the same height."
                : "No IR intensities in " + name + ": every band is drawn at the same height.";
    const Layout layout =
        layoutPicture(picture.width, picture.height, raman ? 2 : 1, noteCount + (imaginary > 0));
    const double s = layout.scale;
    if (imaginary > 0) {
        setFont(cr, 13 * s);
        notes[noteCount++] = imaginaryNote(cr, modes, layout.plot[0].width);
    }

    setColour(cr, paper);
    cairo_paint(cr);
    double highest = -1;
    for (int k = 0; k < irBands.count; ++k) highest = std::max(highest, irBands.position[k]);
    const Axis x = wavenumberAxis(highest, picture.fwhm);

    drawTitle(cr, layout, (raman ? "IR and Raman spectra of " : "IR spectrum of ") + name,
              picture.fwhm);
    drawPanel(cr, layout.plot[0], x, irBands, picture.fwhm,
              irBands.measured || irBands.count == 0 ? "IR intensity / km/mol"
                                                     : "IR bands (equal heights)",
              s);
    if (raman)
        drawPanel(cr, layout.plot[1], x, ramanBands, picture.fwhm,
                  "Raman activity / \u00c5\u2074/amu", s);

    const Box& last = layout.plot[layout.panels - 1];
    setColour(cr, ink);
    setFont(cr, 15 * s);
    showText(cr, "Wavenumber / cm-1", last.left + last.width / 2, layout.axisTitleBaseline, 0.5);
    setColour(cr, noteInk);
    setFont(cr, 13 * s);
    for (int n = 0; n < noteCount; ++n)
        showText(cr, notes[n], last.left, layout.noteBaseline[n], 0);
}

} // namespace spectrum
