// The spectrum's picture: the title, one or two panels (light grid, sticks, the Lorentzian
// curve over them, mode numbers over the strongest bands, frame, ticks and their labels, axis
// titles) and the notes under them, in the places spectrum_plot.cpp works out.
#include "plot/spectrum_draw.h"

#include "export/table.h"

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
constexpr Colour labInk{0.85, 0.33, 0.05};   // the measured spectrum
constexpr Colour gridInk{0.90, 0.90, 0.90};  // grid lines
constexpr Colour noteInk{0.30, 0.30, 0.30};  // captions and notes
constexpr Colour paper{1.0, 1.0, 1.0};

constexpr int labelsMost = 10; // mode numbers over the strongest bands, per panel

// What one panel shows; the curve is sampled for one panel at a time.
Bands irBands, ramanBands, visible;
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
        const std::size_t length = table::utf8Length(path, i);
        if (length > 0 && static_cast<unsigned char>(path[i]) >= 0x20) {
            name.append(path.substr(i, length));
            i += length;
        } else {
            name += '?';
            ++i;
        }
    }
    return name;
}

// Calls f(value, major) for every tick of the axis, from its low end up to its high end.
template <typename F> void forEachTick(const Axis& axis, F f) {
    const double low = std::min(axis.from, axis.to), high = std::max(axis.from, axis.to);
    const int perStep = int(std::lround(axis.step / axis.minorStep));
    const int first = int(std::ceil(low / axis.minorStep - 1e-9));
    const int last = int(std::floor(high / axis.minorStep + 1e-9));
    for (int i = first; i <= last; ++i) f(i * axis.minorStep, i % perStep == 0);
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

// Saves the state and draws only inside the panel's frame from here to the restore.
void clipToPanel(cairo_t* cr, const Box& box) {
    cairo_save(cr);
    cairo_rectangle(cr, box.left, box.top, box.width, box.height);
    cairo_clip(cr);
}

void drawSticksAndCurve(cairo_t* cr, const Box& box, const Axis& x, const Axis& y,
                        const Bands& bands, double s) {
    clipToPanel(cr, box);
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

// The bands that stand on the axis, for their labels.
const Bands& onAxis(const Bands& bands, const Axis& x) {
    const double low = std::min(x.from, x.to), high = std::max(x.from, x.to);
    visible.count = 0;
    visible.measured = bands.measured;
    for (int k = 0; k < bands.count; ++k) {
        if (bands.position[k] < low || bands.position[k] > high) continue;
        visible.mode[visible.count] = bands.mode[k];
        visible.position[visible.count] = bands.position[k];
        visible.height[visible.count++] = bands.height[k];
    }
    return visible;
}

// The measured spectrum over the IR curve: its points as a line (a table of peaks as
// sticks), each y times `factor`.
void drawMeasured(cairo_t* cr, const Box& box, const Axis& x, const Axis& y, double factor,
                  double s) {
    const measured::Data& data = measuredSpectrum;
    clipToPanel(cr, box);
    setColour(cr, labInk);
    cairo_set_line_width(cr, 1.5 * s);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int i = 0; i < data.count; ++i) {
        const double px = xOf(x, box, data.x[i]), py = yOf(y, box, factor * data.y[i]);
        if (data.peaks) cairo_move_to(cr, px, yOf(y, box, 0));
        cairo_line_to(cr, px, py);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

// The legend at the top right of the IR panel: the computed curve and the measured one, each
// by its file's name.
void drawLegend(cairo_t* cr, const Box& box, const std::string& computed, const std::string& lab,
                double s) {
    setFont(cr, 13 * s);
    const double width = std::max(textWidth(cr, computed), textWidth(cr, lab)) + 44 * s;
    const double left = box.left + box.width - width - 10 * s, top = box.top + 10 * s;
    setColour(cr, paper);
    cairo_rectangle(cr, left, top, width, 44 * s);
    cairo_fill_preserve(cr);
    setColour(cr, gridInk);
    cairo_set_line_width(cr, 1 * s);
    cairo_stroke(cr);
    const Colour inks[2] = {curveInk, labInk};
    const std::string* names[2] = {&computed, &lab};
    for (int k = 0; k < 2; ++k) {
        const double baseline = top + (18 + 19 * k) * s;
        setColour(cr, inks[k]);
        cairo_set_line_width(cr, 2 * s);
        cairo_move_to(cr, left + 8 * s, baseline - 4.5 * s);
        cairo_line_to(cr, left + 32 * s, baseline - 4.5 * s);
        cairo_stroke(cr);
        setColour(cr, ink);
        showText(cr, *names[k], left + 38 * s, baseline, 0);
    }
}

// One panel; with `lab` the measured spectrum is drawn over its curve.
void drawPanel(cairo_t* cr, const Box& box, const Axis& x, const Bands& bands, double fwhm,
               const std::string& yTitle, bool lab, double s) {
    sampleCurve(bands, fwhm, x, std::max(fwhm / 8, std::fabs(x.from - x.to) / (4 * box.width)),
                curve);
    const Axis y = intensityAxis(curve.highest);
    drawGrid(cr, box, x, y, bands.measured, s);
    drawSticksAndCurve(cr, box, x, y, bands, s);
    if (lab) drawMeasured(cr, box, x, y, measuredFactor(x, curve.highest), s);
    drawFrameAndTicks(cr, box, x, y, bands.measured, s);
    drawBandLabels(cr, box, x, y, onAxis(bands, x), s);
    drawVerticalTitle(cr, box, yTitle, s);
}

// The title at the left over the first panel, the broadening at the right when both fit. A
// scale of the frequencies is always said: the title gives way to it.
void drawTitle(cairo_t* cr, const Layout& layout, const std::string& title, double fwhm,
               double scale) {
    const double s = layout.scale;
    const Box& box = layout.plot[0];
    char caption[120];
    if (scale != 1)
        std::snprintf(caption, sizeof caption,
                      "Frequencies scaled by %g; Lorentzian broadening, FWHM %g cm-1", scale, fwhm);
    else
        std::snprintf(caption, sizeof caption, "Lorentzian broadening, FWHM %g cm-1", fwhm);
    setFont(cr, 13 * s);
    const double captionWidth = textWidth(cr, caption);
    setFont(cr, 20 * s, true);
    double titleWidth = textWidth(cr, title);
    const double room = scale != 1 ? box.width - captionWidth - 24 * s : box.width;
    if (titleWidth > room) {
        setFont(cr, 20 * s * room / titleWidth, true);
        titleWidth = room;
    }
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
    const Axis x = pictureAxis(irBands, picture);

    drawTitle(cr, layout, (raman ? "IR and Raman spectra of " : "IR spectrum of ") + name,
              picture.fwhm, picture.scale);
    const bool lab = picture.experiment != nullptr;
    drawPanel(cr, layout.plot[0], x, irBands, picture.fwhm,
              irBands.measured || irBands.count == 0 ? "IR intensity / km/mol"
                                                     : "IR bands (equal heights)",
              lab, s);
    if (lab)
        drawLegend(cr, layout.plot[0], "computed: " + name,
                   "measured: " + baseName(picture.experiment), s);
    if (raman)
        drawPanel(cr, layout.plot[1], x, ramanBands, picture.fwhm,
                  "Raman activity / \u00c5\u2074/amu", false, s);

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
