// Two columns of text: wavenumber and absorbance on each line, as spreadsheets and instrument
// software export them (CSV, tab or blank separated), one header line allowed.
#include "measured/lines.h"
#include "measured/measured.h"
#include "textio/textio.h"

namespace measured {

namespace {

bool isSeparator(char c) { return c == ',' || c == ';' || c == '\t' || c == ' '; }

// The first two fields of the line as numbers; false when there are not two, or either is
// not a number.
bool twoNumbers(std::string_view line, double& x, double& y) {
    std::string_view fields[2];
    int count = 0;
    std::size_t i = 0;
    while (i < line.size() && count < 2) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        std::size_t end = i;
        while (end < line.size() && !isSeparator(line[end])) ++end;
        fields[count++] = line.substr(i, end - i);
        i = end;
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i < line.size() && (line[i] == ',' || line[i] == ';')) ++i;
    }
    return count == 2 && detail::toNumber(fields[0], x) && detail::toNumber(fields[1], y);
}

} // namespace

bool readTwoColumn(std::string_view path, Data& data, long long& line, const char*& why) {
    if (!detail::startReading(path, data, line, why)) return false;
    bool headerSeen = false;
    std::string_view text;
    while (textio::readFileLine(text)) {
        line = textio::fileLineNumber();
        text = detail::trimmed(text);
        if (text.empty() || text.front() == '#') continue;
        double x, y;
        if (!twoNumbers(text, x, y)) {
            if (data.count == 0 && !headerSeen) {
                headerSeen = true;
                continue;
            }
            why = "expected two numbers (wavenumber and absorbance)";
            textio::closeUnit();
            return false;
        }
        if (data.count == pointCapacity) {
            why = "more points than Molvane holds (262144)";
            textio::closeUnit();
            return false;
        }
        data.x[data.count] = x;
        data.y[data.count++] = y;
    }
    textio::closeUnit();
    line = 0;
    return true;
}

} // namespace measured
