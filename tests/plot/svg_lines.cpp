// Reading the spectrum's SVG with expat: <svg> attributes and the "d" of stroked paths.
#include "tests/plot/svg_lines.h"

#include <expat.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <sstream>

namespace svgtest {

namespace {

struct State {
    Picture* picture;
    int defsDepth = 0; // inside <defs> (glyph outlines) when positive
    bool sawSvg = false;
};

const char* attribute(const XML_Char** attributes, const char* name) {
    for (int i = 0; attributes[i]; i += 2)
        if (std::strcmp(attributes[i], name) == 0) return attributes[i + 1];
    return nullptr;
}

// M, L and Z pieces of a path's data; curves (C) only move the pen.
void addPath(Picture& picture, const char* d) {
    std::istringstream in(d);
    std::string token;
    char command = 'M';
    double x = 0, y = 0, startX = 0, startY = 0;
    while (in >> token) {
        if (std::isalpha(static_cast<unsigned char>(token[0]))) {
            command = token[0];
            if (command == 'Z' || command == 'z') {
                picture.segments.push_back({x, y, startX, startY});
                x = startX, y = startY;
            }
            continue;
        }
        const double a = std::stod(token);
        double b = 0;
        in >> b;
        if (command == 'C') {
            double c[4];
            in >> c[0] >> c[1] >> c[2] >> c[3];
            x = c[2], y = c[3];
            continue;
        }
        if (command == 'L') picture.segments.push_back({x, y, a, b});
        if (command == 'M') startX = a, startY = b;
        x = a, y = b;
    }
}

void XMLCALL start(void* data, const XML_Char* name, const XML_Char** attributes) {
    State& state = *static_cast<State*>(data);
    if (std::strcmp(name, "defs") == 0) ++state.defsDepth;
    if (std::strcmp(name, "svg") == 0) {
        state.sawSvg = true;
        for (const char* key : {"width", "height", "viewBox"}) {
            const char* value = attribute(attributes, key);
            std::string& into = key[0] == 'w'   ? state.picture->width
                                : key[0] == 'h' ? state.picture->height
                                                : state.picture->viewBox;
            into = value ? value : "";
        }
    }
    if (std::strcmp(name, "path") != 0 || state.defsDepth > 0) return;
    const char* style = attribute(attributes, "style");
    const char* d = attribute(attributes, "d");
    if (!style || !d || std::strstr(style, "stroke:none") || !std::strstr(style, "stroke:")) return;
    addPath(*state.picture, d);
}

void XMLCALL end(void* data, const XML_Char* name) {
    State& state = *static_cast<State*>(data);
    if (std::strcmp(name, "defs") == 0) --state.defsDepth;
}

bool near(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

} // namespace

bool parse(const std::string& text, Picture& picture, std::string& why) {
    picture = Picture{};
    State state{&picture};
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(parser, start, end);
    const bool ok = XML_Parse(parser, text.data(), int(text.size()), 1) == XML_STATUS_OK;
    if (!ok)
        why = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
              std::to_string(XML_GetCurrentLineNumber(parser));
    XML_ParserFree(parser);
    if (ok && !state.sawSvg) why = "no <svg> element";
    return ok && state.sawSvg;
}

bool hasSegment(const Picture& picture, double x1, double y1, double x2, double y2,
                double tolerance) {
    for (const Segment& s : picture.segments) {
        if (near(s.x1, x1, tolerance) && near(s.y1, y1, tolerance) && near(s.x2, x2, tolerance) &&
            near(s.y2, y2, tolerance))
            return true;
        if (near(s.x1, x2, tolerance) && near(s.y1, y2, tolerance) && near(s.x2, x1, tolerance) &&
            near(s.y2, y1, tolerance))
            return true;
    }
    return false;
}

bool hasPoint(const Picture& picture, double x, double y, double tolerance) {
    for (const Segment& s : picture.segments)
        if ((near(s.x1, x, tolerance) && near(s.y1, y, tolerance)) ||
            (near(s.x2, x, tolerance) && near(s.y2, y, tolerance)))
            return true;
    return false;
}

std::vector<double> verticalsFrom(const Picture& picture, double y, double tolerance) {
    std::vector<double> xs;
    for (const Segment& s : picture.segments)
        if (near(s.x1, s.x2, 1e-9) && (near(s.y1, y, tolerance) || near(s.y2, y, tolerance)))
            xs.push_back(s.x1);
    return xs;
}

} // namespace svgtest
