// The spectrum's numbers as a CSV file: the broadened curves every 1 cm**-1 along the axis the
// picture would have, and the measured spectrum as the picture would draw it.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include "export/table.h"
#include "plot/spectrum.h"
#include "textio/safe_write.h"

namespace spectrum {

namespace {

Bands irBands, ramanBands;
Curve curve;

void addValue(table::Row& row, double value) {
    char text[48];
    const int n = std::snprintf(text, sizeof text, "%.6g", std::fabs(value) < 1e-12 ? 0.0 : value);
    table::csvText(row, std::string_view(text, std::size_t(n)));
}

// The header and one row per whole wavenumber from the axis's low end to its high end.
bool writeRows(std::FILE* file, const Picture& picture, const Axis& axis, double factor) {
    static table::Row row;
    const bool raman = ramanBands.measured, experiment = picture.experiment != nullptr;
    table::clear(row);
    table::csvText(row, "wavenumber_cm-1");
    table::csvText(row, irBands.measured ? "ir_km/mol" : "ir_equal_band_heights");
    if (raman) table::csvText(row, "raman_A^4/amu");
    if (experiment) table::csvText(row, "measured_absorbance_scaled");
    table::csvEnd(row);
    if (std::fwrite(row.text, 1, std::size_t(row.length), file) != std::size_t(row.length))
        return false;
    const long long low = (long long)std::ceil(std::min(axis.from, axis.to));
    const long long high = (long long)std::floor(std::max(axis.from, axis.to));
    for (long long x = low; x <= high; ++x) {
        table::clear(row);
        table::csvNumber(row, double(x));
        addValue(row, lorentzianSum(irBands, picture.fwhm, double(x)));
        if (raman) addValue(row, lorentzianSum(ramanBands, picture.fwhm, double(x)));
        double absorbance = 0;
        if (experiment && measured::absorbanceAt(measuredSpectrum, double(x), absorbance))
            addValue(row, factor * absorbance);
        else if (experiment)
            table::csvEmpty(row);
        table::csvEnd(row);
        if (std::fwrite(row.text, 1, std::size_t(row.length), file) != std::size_t(row.length))
            return false;
    }
    return true;
}

} // namespace

Axis pictureAxis(const Bands& ir, const Picture& picture) {
    if (picture.rangeHigh > 0) return rangeAxis(picture.rangeLow, picture.rangeHigh);
    double highest = -1;
    for (int k = 0; k < ir.count; ++k) highest = std::max(highest, ir.position[k]);
    return wavenumberAxis(highest, picture.fwhm);
}

double measuredFactor(const Axis& axis, double highest) {
    const measured::Data& data = measuredSpectrum;
    const double low = std::min(axis.from, axis.to), high = std::max(axis.from, axis.to);
    double top = 0;
    for (int i = 0; i < data.count; ++i)
        if (data.x[i] >= low && data.x[i] <= high) top = std::max(top, data.y[i]);
    return top > 0 && highest > 0 ? highest / top : 1;
}

bool writeCurves(const reader::ModeList& modes, const Picture& picture, const char* path,
                 const char*& why) {
    collectBands(modes, modes.hasIntensities ? modes.intensity : nullptr, irBands);
    collectBands(modes, modes.hasRaman ? modes.ramanActivity : nullptr, ramanBands);
    const Axis axis = pictureAxis(irBands, picture);
    sampleCurve(irBands, picture.fwhm, axis, picture.fwhm / 8, curve);
    const double factor = picture.experiment ? measuredFactor(axis, curve.highest) : 1;
    textio::SafeWrite out;
    if (!textio::beginSafeWrite(path, out, why)) return false;
    if (!writeRows(out.file, picture, axis, factor)) out.error = errno ? errno : EIO;
    return textio::finishSafeWrite(out, true, why);
}

} // namespace spectrum
