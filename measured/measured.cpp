// Either kind of measured spectrum, turned into wavenumbers rising and absorbance.
#include "measured/measured.h"

#include "measured/lines.h"
#include "textio/textio.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace measured {

namespace detail {

bool startReading(std::string_view path, Data& data, long long& line, const char*& why) {
    data.count = 0;
    data.peaks = false;
    data.xUnits[0] = data.yUnits[0] = '\0';
    line = 0;
    const std::string name(path);
    struct stat status;
    if (stat(name.c_str(), &status) != 0) {
        why = std::strerror(errno);
        return false;
    }
    if (S_ISDIR(status.st_mode)) {
        why = "it is a directory";
        return false;
    }
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (!file) {
        why = std::strerror(errno);
        return false;
    }
    std::fclose(file);
    textio::openUnitForReading(path);
    return true;
}

bool toNumber(std::string_view text, double& value) {
    char copy[64];
    if (text.empty() || text.size() >= sizeof copy) return false;
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-') ++i;
    int digits = 0, points = 0;
    for (; i < text.size() && ((text[i] >= '0' && text[i] <= '9') || text[i] == '.'); ++i)
        (text[i] == '.' ? points : digits) += 1;
    if (digits == 0 || points > 1) return false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (i == text.size() || text[i] < '0' || text[i] > '9') return false;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    }
    if (i != text.size()) return false;
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    value = std::strtod(copy, nullptr);
    return std::isfinite(value);
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

} // namespace detail

namespace {

bool isJcamp(std::string_view path) {
    std::FILE* file = std::fopen(std::string(path).c_str(), "rb");
    if (!file) return false;
    int c = std::fgetc(file);
    while (c == ' ' || c == '\t' || c == '\r' || c == '\n') c = std::fgetc(file);
    const bool jcamp = c == '#' && std::fgetc(file) == '#';
    std::fclose(file);
    return jcamp;
}

bool holds(const char* text, const char* part) { return std::strstr(text, part) != nullptr; }

// The abscissa in cm**-1: from 1/CM (or no unit named, as a two-column file) or MICROMETERS.
bool toWavenumbers(Data& data, const char*& why) {
    const char* u = data.xUnits;
    if (!*u || holds(u, "1/CM") || holds(u, "CM-1") || holds(u, "CM^-1") || holds(u, "WAVENUMBER"))
        return true;
    if (holds(u, "MICROMETER") || holds(u, "MICRON") || std::strcmp(u, "UM") == 0) {
        for (int i = 0; i < data.count; ++i) {
            if (!(data.x[i] > 0)) {
                why = "a wavelength of 0 or less";
                return false;
            }
            data.x[i] = 1e4 / data.x[i];
        }
        return true;
    }
    why = "its X unit is neither 1/CM nor MICROMETERS";
    return false;
}

// The ordinate as absorbance: from ABSORBANCE (or no unit named) or TRANSMITTANCE.
bool toAbsorbance(Data& data, const char*& why) {
    const char* u = data.yUnits;
    if (!*u || holds(u, "ABSORBANCE")) return true;
    if (!holds(u, "TRANSMITTANCE") && std::strcmp(u, "%T") != 0) {
        why = "its Y unit is neither ABSORBANCE nor TRANSMITTANCE";
        return false;
    }
    double highest = 0;
    for (int i = 0; i < data.count; ++i) highest = std::max(highest, data.y[i]);
    const double unit = highest > 1.5 ? 100 : 1; // percent
    for (int i = 0; i < data.count; ++i) data.y[i] = -std::log10(std::max(data.y[i] / unit, 1e-4));
    return true;
}

// Puts the points in rising wavenumber: reversed when falling, sorted when neither.
void sortRising(Data& data) {
    bool rising = true, falling = true;
    for (int i = 1; i < data.count; ++i) {
        rising = rising && data.x[i] >= data.x[i - 1];
        falling = falling && data.x[i] <= data.x[i - 1];
    }
    if (rising) return;
    if (falling) {
        std::reverse(data.x, data.x + data.count);
        std::reverse(data.y, data.y + data.count);
        return;
    }
    static int order[pointCapacity];
    static double scratch[pointCapacity];
    for (int i = 0; i < data.count; ++i) order[i] = i;
    std::stable_sort(order, order + data.count,
                     [&](int a, int b) { return data.x[a] < data.x[b]; });
    for (double* values : {data.x, data.y}) {
        for (int i = 0; i < data.count; ++i) scratch[i] = values[order[i]];
        std::copy(scratch, scratch + data.count, values);
    }
}

} // namespace

bool readSpectrum(std::string_view path, Data& data, long long& line, const char*& why) {
    line = 0;
    const bool read =
        isJcamp(path) ? readJcamp(path, data, line, why) : readTwoColumn(path, data, line, why);
    if (!read) return false;
    line = 0;
    if (data.count < (data.peaks ? 1 : 2)) {
        why = data.peaks ? "it holds no peak" : "it holds fewer than two points";
        return false;
    }
    if (!toWavenumbers(data, why) || !toAbsorbance(data, why)) return false;
    sortRising(data);
    return true;
}

bool absorbanceAt(const Data& data, double x, double& absorbance) {
    if (data.peaks || data.count < 2 || x < data.x[0] || x > data.x[data.count - 1]) return false;
    const int k = int(std::upper_bound(data.x, data.x + data.count, x) - data.x);
    if (k >= data.count) {
        absorbance = data.y[data.count - 1];
        return true;
    }
    const double x0 = data.x[k - 1], x1 = data.x[k];
    const double t = x1 > x0 ? (x - x0) / (x1 - x0) : 0;
    absorbance = data.y[k - 1] + t * (data.y[k] - data.y[k - 1]);
    return true;
}

} // namespace measured
