// The energy profile drawn with cairo: title, frame with ticks and their numbers, the line
// through the points, a dot at every point, the transition state ringed, the lowest labelled.
#include "plot/energy_profile.h"
#include "plot/spectrum_draw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace plot {
namespace {

using spectrum::Axis;
using spectrum::Box;

void showText(cairo_t* cr, const std::string& text, double x, double y, double align) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_move_to(cr, x - align * extents.x_advance, y);
    cairo_show_text(cr, text.c_str());
}

std::string number(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, std::fabs(value) < 1e-12 ? 0.0 : value);
    return text;
}

// Ticks at every multiple of the axis's step within it, with their numbers.
void drawTicks(cairo_t* cr, const Box& box, const Axis& axis, bool vertical, double s) {
    const int first = int(std::ceil(std::min(axis.from, axis.to) / axis.step - 1e-9));
    const int last = int(std::floor(std::max(axis.from, axis.to) / axis.step + 1e-9));
    for (int k = first; k <= last; ++k) {
        const double v = k * axis.step;
        if (vertical) {
            const double py = spectrum::yOf(axis, box, v);
            cairo_move_to(cr, box.left, py);
            cairo_line_to(cr, box.left - 6 * s, py);
            showText(cr, number(v, axis.decimals), box.left - 9 * s, py + 4.5 * s, 1);
        } else {
            const double px = spectrum::xOf(axis, box, v);
            cairo_move_to(cr, px, box.top + box.height);
            cairo_line_to(cr, px, box.top + box.height + 6 * s);
            showText(cr, number(v, axis.decimals), px, box.top + box.height + 22 * s, 0.5);
        }
    }
    cairo_stroke(cr);
}

void drawFrame(cairo_t* cr, const Profile& p, const Box& box, const Axis& x, const Axis& y,
               double s) {
    cairo_set_source_rgb(cr, 0.12, 0.12, 0.12);
    cairo_set_line_width(cr, std::max(1.0, std::round(s)));
    cairo_rectangle(cr, box.left, box.top, box.width, box.height);
    cairo_stroke(cr);
    cairo_set_font_size(cr, 13 * s);
    drawTicks(cr, box, x, false, s);
    drawTicks(cr, box, y, true, s);
    showText(cr, std::string(p.xTitle), box.left + box.width / 2, box.top + box.height + 46 * s,
             0.5);
    cairo_save(cr);
    cairo_move_to(cr, 0, 0);
    cairo_translate(cr, 24 * s, box.top + box.height / 2);
    cairo_rotate(cr, -M_PI / 2);
    showText(cr, "Relative energy / kcal mol-1", 0, 0, 0.5);
    cairo_restore(cr);
    const std::size_t slash = p.fileName.find_last_of("/\\");
    const std::string name(slash == std::string_view::npos ? p.fileName
                                                           : p.fileName.substr(slash + 1));
    cairo_set_font_size(cr, 16 * s);
    showText(cr, "Energy profile of " + name, box.left + box.width / 2, 36 * s, 0.5);
}

void drawPoints(cairo_t* cr, const Profile& p, const Box& box, const Axis& x, const Axis& y,
                double s) {
    cairo_set_source_rgb(cr, 0.05, 0.36, 0.72);
    cairo_set_line_width(cr, 1.6 * s);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_new_path(cr);
    for (int i = 0; i < p.count; ++i)
        cairo_line_to(cr, spectrum::xOf(x, box, p.x[i]), spectrum::yOf(y, box, p.y[i]));
    cairo_stroke(cr);
    for (int i = 0; i < p.count; ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, spectrum::xOf(x, box, p.x[i]), spectrum::yOf(y, box, p.y[i]), 3.5 * s, 0,
                  2 * M_PI);
    }
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.78, 0.10, 0.10);
    if (p.marked >= 0) {
        const double px = spectrum::xOf(x, box, p.x[p.marked]);
        const double py = spectrum::yOf(y, box, p.y[p.marked]);
        cairo_new_sub_path(cr);
        cairo_arc(cr, px, py, 7 * s, 0, 2 * M_PI);
        cairo_stroke(cr);
        cairo_set_font_size(cr, 13 * s);
        showText(cr, "TS", px, py - 11 * s, 0.5);
    }
    const double lx = spectrum::xOf(x, box, p.x[p.lowest]);
    const double ly = spectrum::yOf(y, box, p.y[p.lowest]);
    cairo_set_font_size(cr, 13 * s);
    const double align = lx > box.left + box.width * 0.8   ? 1
                         : lx < box.left + box.width * 0.2 ? 0
                                                           : 0.5;
    showText(cr, "lowest at " + number(p.x[p.lowest], x.decimals + (x.step < 5 ? 1 : 0)), lx,
             ly - 12 * s, align);
}

struct Drawing {
    const Profile& profile;
    int width, height;
};

void drawProfile(cairo_t* cr, const void* context) {
    const Drawing& d = *static_cast<const Drawing*>(context);
    const Profile& p = d.profile;
    const int width = d.width, height = d.height;
    const double s = std::clamp(std::min(width / 1200.0, height / 600.0), 0.75, 3.0);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    Axis x, y;
    profileAxes(p, x, y);
    const Box box = profileBox(width, height);
    drawFrame(cr, p, box, x, y, s);
    drawPoints(cr, p, box, x, y, s);
}

} // namespace

bool writeEnergyProfile(const char* path, const Profile& profile, int width, int height,
                        const char*& why) {
    const Drawing context{profile, width, height};
    return spectrum::writeCairoPicture(path, width, height, drawProfile, &context, why);
}

} // namespace plot
