// The summary's rows. A damaged file ends its reading through the text layer's run end; the
// run-end hook here jumps back instead of ending the process, the diagnostic is kept for the
// row, and the layer is put back as at program start before the next file. The reader between
// is plain procedures over module-level data, so nothing on the frames jumped over needs
// destroying, and nothing grows from one file to the next.
#include "driver/summary.h"

#include "driver/files.h"
#include "export/table.h"
#include "reader/run_data.h"
#include "reader/vibrations.h"
#include "textio/textio.h"

#include <csetjmp>
#include <cstring>

namespace driver {

namespace {

std::jmp_buf* back = nullptr;
char diagnostic[1200];
int diagnosticLength = 0;

void keepDiagnostic(std::string_view line) {
    diagnosticLength = int(line.size() < sizeof diagnostic ? line.size() : sizeof diagnostic);
    std::memcpy(diagnostic, line.data(), std::size_t(diagnosticLength));
}

[[noreturn]] void jumpBack(int) { std::longjmp(*back, 1); }

// Reads the file's format and vibrations; false when the reading ended the run (the
// diagnostic kept). `recognised` tells whether the format was known before that.
bool readGuarded(const char* name, reader::Format& format, bool& recognised) {
    std::jmp_buf here;
    back = &here;
    recognised = false;
    diagnosticLength = 0;
    textio::setRunEndHook(jumpBack);
    textio::setDiagnosticHook(keepDiagnostic);
    volatile bool read = true;
    if (setjmp(here) == 0) {
        format = reader::recogniseFormat(name);
        recognised = true;
        reader::readVibrations(name, format, 0);
    } else {
        read = false;
        textio::resetForHarness();
    }
    textio::setRunEndHook(nullptr);
    textio::setDiagnosticHook(nullptr);
    back = nullptr;
    return read;
}

void writeHeader(table::Row& row) {
    table::clear(row);
    for (const char* name :
         {"file", "format", "atoms", "vibrations", "imaginary", "lowest_frequency_cm-1", "error"})
        table::csvText(row, name);
    table::csvEnd(row);
    table::writeRow(row);
}

// The fields after the format of a file read whole.
void addCounts(table::Row& row) {
    const reader::ModeList& list = reader::modeList;
    int imaginary = 0;
    double lowest = 0;
    for (int i = 0; i < list.count; ++i) {
        imaginary += list.frequency[i] < 0;
        if (i == 0 || list.frequency[i] < lowest) lowest = list.frequency[i];
    }
    table::csvNumber(row, reader::atomCount);
    table::csvNumber(row, list.count);
    table::csvNumber(row, imaginary);
    if (list.count > 0)
        table::csvNumber(row, lowest);
    else
        table::csvEmpty(row);
    table::csvEmpty(row);
}

// One file's row; false when it could not be read.
bool summariseFile(const char* name, table::Row& row) {
    table::clear(row);
    table::csvText(row, name);
    bool read = false;
    if (!fileExists(name)) {
        table::csvEmpty(row);
        for (int k = 0; k < 4; ++k) table::csvEmpty(row);
        const std::string_view quoted[] = {"cannot read the output file \"", name, "\""};
        char text[sizeof diagnostic];
        int n = 0;
        for (const std::string_view part : quoted)
            for (const char c : part)
                if (n < int(sizeof text)) text[n++] = c;
        table::csvText(row, std::string_view(text, std::size_t(n)));
    } else {
        reader::Format format{};
        bool recognised = false;
        read = readGuarded(name, format, recognised);
        if (recognised)
            table::csvText(row, reader::formatName(format));
        else
            table::csvEmpty(row);
        if (read) {
            addCounts(row);
        } else {
            for (int k = 0; k < 4; ++k) table::csvEmpty(row);
            table::csvText(row, std::string_view(diagnostic, std::size_t(diagnosticLength)));
        }
    }
    table::csvEnd(row);
    table::writeRow(row);
    return read;
}

} // namespace

int summarise(const char* const* files, int count, bool noHeader) {
    static table::Row row;
    if (!noHeader) writeHeader(row);
    bool all = true;
    for (int i = 0; i < count; ++i) all = summariseFile(files[i], row) && all;
    return all ? 0 : 1;
}

} // namespace driver
