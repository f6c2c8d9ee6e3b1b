// JCAMP-DX, the text format of spectral libraries and instrument software: labelled header
// lines "##LABEL= value", then the spectrum as ##XYDATA=(X++(Y..Y)) lines in the ASDF forms
// (AFFN and PAC numbers; SQZ, DIF and DUP letters standing for digits) or as (XY..XY) pairs.
#include "measured/lines.h"
#include "measured/measured.h"
#include "textio/textio.h"

#include <cmath>
#include <cstring>

namespace measured {

namespace {

struct Header {
    double xFactor = 1, yFactor = 1;
    double firstX = 0, lastX = 0, deltaX = 0;
    bool hasFirstX = false, hasLastX = false, hasDeltaX = false;
    long long points = -1; // ##NPOINTS; -1 when not given
};

// One value of a data line: an absolute value (AFFN, PAC or SQZ), a difference from the value
// before (DIF) or a count of repeats of the token before (DUP).
enum class Kind { absolute, difference, duplicate };
struct Token {
    Kind kind;
    double value;
};
constexpr int tokenCapacity = textio::recordLength;

// "##DATA TYPE= INFRARED $$ note": the label in upper case without blanks, dashes, slashes
// and underscores ("DATATYPE"), and the value without its comment; false for other lines.
bool splitLabel(std::string_view line, char (&label)[40], std::string_view& value) {
    line = detail::trimmed(line);
    if (line.substr(0, 2) != "##") return false;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    int n = 0;
    for (const char c : line.substr(2, equals - 2)) {
        if (c == ' ' || c == '-' || c == '/' || c == '_' || c == '\t' || n == 39) continue;
        label[n++] = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
    }
    label[n] = '\0';
    value = line.substr(equals + 1);
    value = detail::trimmed(value.substr(0, value.find("$$")));
    return true;
}

void copyUpper(std::string_view value, char (&out)[40]) {
    int n = 0;
    for (const char c : value)
        if (n < 39) out[n++] = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
    out[n] = '\0';
}

// The value without blanks, for the data forms "(X++(Y..Y))" and "(XY..XY)".
bool formIs(std::string_view value, std::string_view form) {
    char packed[40];
    int n = 0;
    for (const char c : value)
        if (c != ' ' && c != '\t' && n < 39) packed[n++] = c;
    return std::string_view(packed, std::size_t(n)) == form;
}

// The digit a letter stands for in SQZ, DIF or DUP form: '@'/'%' 0, A-I/J-R 1..9 and a-i/j-r
// -1..-9, S-Z 1..8 and s 9; false for a character of none.
bool letterDigit(char c, Kind& kind, int& digit) {
    if (c == '@' || (c >= 'A' && c <= 'I'))
        kind = Kind::absolute, digit = c == '@' ? 0 : c - '@';
    else if (c >= 'a' && c <= 'i')
        kind = Kind::absolute, digit = -(c - 'a' + 1);
    else if (c == '%' || (c >= 'J' && c <= 'R'))
        kind = Kind::difference, digit = c == '%' ? 0 : c - 'I';
    else if (c >= 'j' && c <= 'r')
        kind = Kind::difference, digit = -(c - 'j' + 1);
    else if (c >= 'S' && c <= 'Z')
        kind = Kind::duplicate, digit = c - 'R';
    else if (c == 's')
        kind = Kind::duplicate, digit = 9;
    else
        return false;
    return true;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// One AFFN or PAC number from line[i]: sign, digits with a point, an exponent by E and a sign.
std::size_t plainNumberEnd(std::string_view line, std::size_t i) {
    if (line[i] == '+' || line[i] == '-') ++i;
    while (i < line.size() && (isDigit(line[i]) || line[i] == '.')) ++i;
    if (i + 2 < line.size() && (line[i] == 'E' || line[i] == 'e') &&
        (line[i + 1] == '+' || line[i + 1] == '-') && isDigit(line[i + 2])) {
        i += 2;
        while (i < line.size() && isDigit(line[i])) ++i;
    }
    return i;
}

// Cuts a data line into its tokens; -1 with the reason for a character of no ASDF form.
int tokenize(std::string_view line, Token* tokens, const char*& why) {
    int count = 0;
    for (std::size_t i = 0; i < line.size();) {
        const char c = line[i];
        if (c == ' ' || c == ',' || c == '\t' || c == ';') {
            ++i;
            continue;
        }
        Token t{Kind::absolute, 0};
        char text[64];
        std::size_t n = 0, end;
        int digit = 0;
        if (c == '+' || c == '-' || c == '.' || isDigit(c)) {
            end = plainNumberEnd(line, i);
            for (std::size_t k = i; k < end && n < sizeof text - 1; ++k) text[n++] = line[k];
        } else if (letterDigit(c, t.kind, digit)) {
            if (digit < 0) text[n++] = '-';
            text[n++] = char('0' + (digit < 0 ? -digit : digit));
            for (end = i + 1; end < line.size() && (isDigit(line[end]) || line[end] == '.'); ++end)
                if (n < sizeof text - 1) text[n++] = line[end];
        } else {
            why = c == '?' ? "a missing value (?) in the data" : "a character of no ASDF form";
            return -1;
        }
        if (!detail::toNumber(std::string_view(text, n), t.value) || count == tokenCapacity) {
            why = "a value that is not a number";
            return -1;
        }
        tokens[count++] = t;
        i = end;
    }
    return count;
}

} // namespace

namespace {

// The values decoded so far and what the next line must repeat.
struct Decoder {
    Data* data = nullptr;
    const Header* header = nullptr;
    double last = 0;           // the last Y decoded
    bool have = false;         // a Y has been decoded
    bool lastDif = false;      // the last token was a difference (or repeated one)
    double lastDiff = 0;       // that difference
    bool checkPending = false; // the line before ended in DIF form: this one repeats its last Y
};

double spacing(const Header& h) {
    if (h.hasDeltaX) return h.deltaX;
    return h.points > 1 ? (h.lastX - h.firstX) / double(h.points - 1) : 0;
}

// The X check: the line's X, whose Y stands at index `index`, within one spacing of
// FIRSTX + index x DELTAX.
bool xInPlace(const Header& h, double x, int index) {
    const double step = spacing(h);
    const double expected = h.firstX + index * step;
    return std::fabs(x * h.xFactor - expected) <=
           std::fabs(step) * (1 + 1e-9) + 1e-9 * std::fabs(expected);
}

// Adds one Y; the first Y of a line after one that ended in DIF form is the Y check instead.
bool addY(Decoder& d, double y, bool& firstY, const char*& why) {
    const bool check = firstY && d.checkPending;
    firstY = false;
    if (check) {
        if (std::fabs(y - d.last) > 1e-9 * std::fmax(1, std::fabs(y))) {
            why = "the line's first Y does not repeat the last Y of the line before (Y check)";
            return false;
        }
        return true;
    }
    if (d.data->count == pointCapacity) {
        why = "more points than Molvane holds (262144)";
        return false;
    }
    d.data->y[d.data->count++] = y;
    d.last = y;
    d.have = true;
    return true;
}

// The Y values of one token (a repeat count adds the token before again, a difference again
// onto the last value).
bool addToken(Decoder& d, const Token& t, bool& firstY, bool afterY, const char*& why) {
    if (t.kind == Kind::absolute) {
        d.lastDif = false;
        return addY(d, t.value, firstY, why);
    }
    if (t.kind == Kind::difference) {
        if (!d.have) {
            why = "a DIF value with no value before it";
            return false;
        }
        d.lastDif = true;
        d.lastDiff = t.value;
        return addY(d, d.last + t.value, firstY, why);
    }
    if (!afterY || t.value < 1 || t.value != std::floor(t.value)) {
        why = afterY ? "a DUP count that is not a whole number from 1"
                     : "a DUP count with no value before it";
        return false;
    }
    for (long long k = 1; k < (long long)t.value; ++k)
        if (!addY(d, d.lastDif ? d.last + d.lastDiff : d.last, firstY, why)) return false;
    return true;
}

// One line of ##XYDATA=(X++(Y..Y)): its X, then its Y values.
bool decodeLine(Decoder& d, std::string_view line, const char*& why) {
    static Token tokens[tokenCapacity];
    const int count = tokenize(line, tokens, why);
    if (count < 0) return false;
    if (count == 0) return true;
    if (tokens[0].kind != Kind::absolute) {
        why = "the line does not start with its X value";
        return false;
    }
    const int index = d.data->count - (d.checkPending ? 1 : 0);
    if (!xInPlace(*d.header, tokens[0].value, index)) {
        why = "the line's X is more than one spacing from FIRSTX + i x DELTAX (X check)";
        return false;
    }
    bool firstY = true;
    for (int k = 1; k < count; ++k)
        if (!addToken(d, tokens[k], firstY, k > 1, why)) return false;
    d.checkPending = count > 1 && d.lastDif;
    return true;
}

// One line of (XY..XY) pairs.
bool pairLine(Data& data, const Header& h, std::string_view line, const char*& why) {
    static Token tokens[tokenCapacity];
    const int count = tokenize(line, tokens, why);
    if (count < 0) return false;
    if (count % 2 != 0) {
        why = "an X without its Y";
        return false;
    }
    for (int k = 0; k < count; k += 2) {
        if (tokens[k].kind != Kind::absolute || tokens[k + 1].kind != Kind::absolute) {
            why = "a compressed value in an (XY..XY) table";
            return false;
        }
        if (data.count == pointCapacity) {
            why = "more points than Molvane holds (262144)";
            return false;
        }
        data.x[data.count] = tokens[k].value * h.xFactor;
        data.y[data.count++] = tokens[k + 1].value * h.yFactor;
    }
    return true;
}

} // namespace

namespace {

enum class Section { header, xyData, pairs, done };

struct Reading {
    Data* data = nullptr;
    Header header;
    Decoder decoder;
    Section section = Section::header;
};

// A header value as a number.
bool headerNumber(std::string_view value, double& number, const char*& why) {
    if (detail::toNumber(value, number)) return true;
    why = "a header value that is not a number";
    return false;
}

// What a labelled line says; the start of the data switches the section.
bool takeLabel(Reading& r, const char (&label)[40], std::string_view value, const char*& why) {
    Header& h = r.header;
    const std::string_view l(label);
    double n = 0;
    if (l == "TITLE") h = Header{};
    if (l == "XUNITS") copyUpper(value, r.data->xUnits);
    if (l == "YUNITS") copyUpper(value, r.data->yUnits);
    if (l == "XFACTOR") return headerNumber(value, h.xFactor, why);
    if (l == "YFACTOR") return headerNumber(value, h.yFactor, why);
    if (l == "FIRSTX") return h.hasFirstX = headerNumber(value, h.firstX, why);
    if (l == "LASTX") return h.hasLastX = headerNumber(value, h.lastX, why);
    if (l == "DELTAX") return h.hasDeltaX = headerNumber(value, h.deltaX, why);
    if (l == "NPOINTS") {
        if (!headerNumber(value, n, why)) return false;
        h.points = (long long)n;
        return true;
    }
    if (l == "NTUPLES") {
        why = "a spectrum as NTUPLES, which Molvane does not read";
        return false;
    }
    if (l == "XYDATA") {
        if (!formIs(value, "(X++(Y..Y))")) {
            why = "##XYDATA in a form other than (X++(Y..Y))";
            return false;
        }
        if (!h.hasFirstX || !h.hasLastX || h.points < 1) {
            why = "##XYDATA without ##FIRSTX, ##LASTX and ##NPOINTS before it";
            return false;
        }
        r.decoder = Decoder{};
        r.decoder.data = r.data;
        r.decoder.header = &r.header;
        r.section = Section::xyData;
    }
    if (l == "PEAKTABLE" || l == "XYPOINTS") {
        if (!formIs(value, "(XY..XY)")) {
            why = "a table in a form other than (XY..XY)";
            return false;
        }
        r.data->peaks = l == "PEAKTABLE";
        r.section = Section::pairs;
    }
    return true;
}

// The end of the data: the count of points checked and the X of each point placed.
bool finishData(Reading& r, const char*& why) {
    Data& data = *r.data;
    const Header& h = r.header;
    if (h.points >= 0 && data.count != h.points) {
        why = "the count of points is not ##NPOINTS";
        return false;
    }
    if (r.section == Section::xyData) {
        const double step = data.count > 1 ? (h.lastX - h.firstX) / (data.count - 1) : 0;
        for (int i = 0; i < data.count; ++i) {
            data.x[i] = h.firstX + i * step;
            data.y[i] *= h.yFactor;
        }
    }
    r.section = Section::done;
    return true;
}

bool readLines(Reading& r, long long& line, const char*& why) {
    std::string_view text;
    while (r.section != Section::done && textio::readFileLine(text)) {
        line = textio::fileLineNumber();
        char label[40];
        std::string_view value;
        if (splitLabel(text, label, value)) {
            if (r.section != Section::header) {
                if (!finishData(r, why)) return false;
                break;
            }
            if (!takeLabel(r, label, value, why)) return false;
            continue;
        }
        text = detail::trimmed(text.substr(0, text.find("$$")));
        if (r.section == Section::xyData && !decodeLine(r.decoder, text, why)) return false;
        if (r.section == Section::pairs && !pairLine(*r.data, r.header, text, why)) return false;
    }
    if (r.section == Section::header) {
        line = 0;
        why = "it holds no ##XYDATA, ##XYPOINTS or ##PEAK TABLE";
        return false;
    }
    return r.section == Section::done || finishData(r, why);
}

} // namespace

bool readJcamp(std::string_view path, Data& data, long long& line, const char*& why) {
    if (!detail::startReading(path, data, line, why)) return false;
    Reading reading;
    reading.data = &data;
    const bool read = readLines(reading, line, why);
    textio::closeUnit();
    return read;
}

} // namespace measured
