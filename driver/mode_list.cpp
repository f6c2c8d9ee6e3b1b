// The list of vibrations, written through the text layer's fixed columns:
//          1         2         3         4         5
// 12345678901234567890123456789012345678901234567890
//     1    -1234.5678 cm**-1     12.3456 km/mol  imaginary
// or as a CSV or JSON table (export/table.h).
#include "driver/mode_list.h"

#include "driver/command_line.h"
#include "driver/dialogue.h"
#include "driver/files.h"
#include "export/table.h"
#include "reader/vibrations.h"
#include "textio/textio.h"

namespace driver {

namespace {

void writeLines(const reader::ModeList& list, double scale) {
    using textio::out;
    static const textio::Layout withIntensity = textio::parseLayout("(I5,F14.4,A,F12.4,A,A)");
    static const textio::Layout frequencyOnly = textio::parseLayout("(I5,F14.4,A,A)");
    static const textio::Layout scaledIntensity =
        textio::parseLayout("(I5,F14.4,A,F14.4,A,F12.4,A,A)");
    static const textio::Layout scaledOnly = textio::parseLayout("(I5,F14.4,A,F14.4,A,A)");
    const textio::Unit unit = textio::Unit::consoleOut;
    for (int i = 0; i < list.count; ++i) {
        const double frequency = list.frequency[i];
        const char* note = frequency < 0.0 ? "  imaginary" : "";
        if (scale != 1 && list.hasIntensities)
            textio::writeRecord(unit, scaledIntensity,
                                {out(i + 1), out(frequency), out(" cm**-1"), out(frequency * scale),
                                 out(" scaled"), out(list.intensity[i]), out(" km/mol"),
                                 out(note)});
        else if (scale != 1)
            textio::writeRecord(unit, scaledOnly,
                                {out(i + 1), out(frequency), out(" cm**-1"), out(frequency * scale),
                                 out(" scaled"), out(note)});
        else if (list.hasIntensities)
            textio::writeRecord(unit, withIntensity,
                                {out(i + 1), out(frequency), out(" cm**-1"), out(list.intensity[i]),
                                 out(" km/mol"), out(note)});
        else
            textio::writeRecord(unit, frequencyOnly,
                                {out(i + 1), out(frequency), out(" cm**-1"), out(note)});
    }
}

// The scaled frequency with as many decimals as the file printed the frequency with.
std::string_view scaledText(double frequency, double scale, char* text) {
    return {text, std::size_t(table::fixedNumber(frequency * scale,
                                                 table::printedDecimals(frequency), text))};
}

void writeCsv(const reader::ModeList& list, double scale, bool noHeader) {
    static table::Row row;
    if (!noHeader) {
        table::clear(row);
        table::csvText(row, "mode");
        table::csvText(row, "frequency_cm-1");
        if (scale != 1) table::csvText(row, "scaled_frequency_cm-1");
        if (list.hasIntensities) table::csvText(row, "ir_intensity_km/mol");
        if (list.hasRaman) table::csvText(row, "raman_activity_A^4/amu");
        table::csvEnd(row);
        table::writeRow(row);
    }
    for (int i = 0; i < list.count; ++i) {
        table::clear(row);
        table::csvNumber(row, i + 1);
        table::csvNumber(row, list.frequency[i]);
        char text[48];
        if (scale != 1) table::csvText(row, scaledText(list.frequency[i], scale, text));
        if (list.hasIntensities) table::csvNumber(row, list.intensity[i]);
        if (list.hasRaman) table::csvNumber(row, list.ramanActivity[i]);
        table::csvEnd(row);
        table::writeRow(row);
    }
}

void writeJson(const reader::ModeList& list, std::string_view name, reader::Format format,
               double scale) {
    static table::Row row;
    table::clear(row);
    table::append(row, "{\"file\": ");
    table::jsonString(row, name);
    table::append(row, ", \"format\": ");
    table::jsonString(row, reader::formatName(format));
    if (scale != 1) {
        table::append(row, ", \"scale\": ");
        table::jsonNumber(row, scale);
    }
    table::append(row, ",\n \"units\": {\"frequency\": \"cm-1\", \"ir_intensity\": \"km/mol\", "
                       "\"raman_activity\": \"A^4/amu\"},\n \"modes\": [");
    table::writeRow(row);
    for (int i = 0; i < list.count; ++i) {
        table::clear(row);
        table::append(row, i == 0 ? "\n  {\"mode\": " : ",\n  {\"mode\": ");
        table::jsonNumber(row, i + 1);
        table::append(row, ", \"frequency\": ");
        table::jsonNumber(row, list.frequency[i]);
        char text[48];
        if (scale != 1) {
            table::append(row, ", \"scaled_frequency\": ");
            table::append(row, scaledText(list.frequency[i], scale, text));
        }
        if (list.hasIntensities) {
            table::append(row, ", \"ir_intensity\": ");
            table::jsonNumber(row, list.intensity[i]);
        }
        if (list.hasRaman) {
            table::append(row, ", \"raman_activity\": ");
            table::jsonNumber(row, list.ramanActivity[i]);
        }
        table::append(row, "}");
        table::writeRow(row);
    }
    table::clear(row);
    table::append(row, "\n ]}\n");
    table::writeRow(row);
}

} // namespace

int listModes(const char* inputFile, double scale, ListFormat format, bool noHeader) {
    const std::string_view name = inputFile ? inputFile : namedOutputFile();
    if (!fileExists(name)) return refuseUnreadableFile(name);
    const reader::Format kind = reader::recogniseFormat(name);
    reader::readVibrations(name, kind, 0);
    const reader::ModeList& list = reader::modeList;
    if (format == ListFormat::csv)
        writeCsv(list, scale, noHeader);
    else if (format == ListFormat::json)
        writeJson(list, name, kind, scale);
    else
        writeLines(list, scale);
    return 0;
}

} // namespace driver
