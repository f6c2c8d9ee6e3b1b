// The spectrum's SVG read back as XML (expat): the picture's size and the straight pieces of
// every stroked path outside the definitions (which hold the glyphs of the text).
#pragma once

#include <string>
#include <vector>

namespace svgtest {

struct Segment {
    double x1, y1, x2, y2;
};

struct Picture {
    std::string width, height, viewBox; // of the <svg> element
    std::vector<Segment> segments;      // one per straight piece, in drawing order
};

// Parses the text of an SVG file; false with the parser's message in `why` when it is not
// well-formed XML or has no <svg> element.
bool parse(const std::string& text, Picture& picture, std::string& why);

// Whether a segment runs from (x1, y1) to (x2, y2), within `tolerance` (either direction).
bool hasSegment(const Picture& picture, double x1, double y1, double x2, double y2,
                double tolerance = 0.01);

// Whether a straight piece of some stroked path ends at (x, y).
bool hasPoint(const Picture& picture, double x, double y, double tolerance = 0.01);

// The vertical segments that start or end at the baseline y (sticks and ticks), their x.
std::vector<double> verticalsFrom(const Picture& picture, double y, double tolerance = 0.01);

} // namespace svgtest
