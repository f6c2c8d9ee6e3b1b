// The list of vibrations, written through the text layer's fixed columns:
//          1         2         3         4         5
// 12345678901234567890123456789012345678901234567890
//     1    -1234.5678 cm**-1     12.3456 km/mol  imaginary
#include "driver/mode_list.h"

#include "driver/command_line.h"
#include "driver/dialogue.h"
#include "driver/files.h"
#include "reader/vibrations.h"
#include "textio/textio.h"

namespace driver {

int listModes(const char* inputFile) {
    const std::string_view name = inputFile ? inputFile : namedOutputFile();
    if (!fileExists(name)) return refuseUnreadableFile(name);
    const reader::Format format = reader::recogniseFormat(name);
    reader::readVibrations(name, format, 0);

    using textio::out;
    static const textio::Layout withIntensity = textio::parseLayout("(I5,F14.4,A,F12.4,A,A)");
    static const textio::Layout frequencyOnly = textio::parseLayout("(I5,F14.4,A,A)");
    const reader::ModeList& list = reader::modeList;
    for (int i = 0; i < list.count; ++i) {
        const double frequency = list.frequency[i];
        const char* note = frequency < 0.0 ? "  imaginary" : "";
        if (list.hasIntensities)
            textio::writeRecord(textio::Unit::consoleOut, withIntensity,
                                {out(i + 1), out(frequency), out(" cm**-1"), out(list.intensity[i]),
                                 out(" km/mol"), out(note)});
        else
            textio::writeRecord(textio::Unit::consoleOut, frequencyOnly,
                                {out(i + 1), out(frequency), out(" cm**-1"), out(note)});
    }
    return 0;
}

} // namespace driver
