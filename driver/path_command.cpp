// The path on the command line: reading, listing, one step as an xyz file, and the step line.
//          1         2         3         4         5         6
// 123456789012345678901234567890123456789012345678901234567890123
//     3      -382.308239279      0.68 kcal/mol                     (optimisation, frames)
//     3    -2.61800      -382.306823025      0.91 kcal/mol         (scan, IRC)
#include "driver/path_command.h"

#include "driver/command_line.h"
#include "driver/dialogue.h"
#include "driver/files.h"
#include "path/path_file.h"
#include "reader/format_support.h"
#include "textio/safe_write.h"
#include "textio/textio.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace driver {
namespace {

char fileName[textio::recordLength + 1] = {};

bool hasCoordinate() {
    return path::index.kind == path::Kind::irc || path::index.kind == path::Kind::scan;
}

void keepName(std::string_view name) {
    const std::size_t n = name.size() < textio::recordLength ? name.size() : textio::recordLength;
    name.copy(fileName, n);
    fileName[n] = '\0';
}

} // namespace

int openPath(const char* file, int step) {
    keepName(file ? std::string_view(file) : namedOutputFile());
    if (!fileExists(fileName)) return refuseUnreadableFile(fileName);
    if (!path::readPath(fileName)) {
        textio::writeFailureLine({fileName, " holds no path: its job never moved the geometry"});
        return 1;
    }
    const int count = path::index.count;
    if (step > count) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "--step %d is not a step of the path, whose steps are 1 to %d", step, count);
        textio::writeFailureLine({text, " (", fileName, ")"});
        return 2;
    }
    if (path::index.cutShort) {
        char text[120];
        std::snprintf(text, sizeof text,
                      " ends inside a step: the path ends at step %d, the last complete one",
                      count);
        textio::writeFailureLine({fileName, text});
    }
    return -1;
}

const char* pathFileName() { return fileName; }

int listPath() {
    using textio::out;
    static const textio::Layout withCoordinate = textio::parseLayout("(I6,F12.5,F20.9,F10.2,A)");
    static const textio::Layout plain = textio::parseLayout("(I6,F20.9,F10.2,A)");
    static const textio::Layout coordinateOnly = textio::parseLayout("(I6,F12.5)");
    static const textio::Layout numberOnly = textio::parseLayout("(I6)");
    const bool energies = path::index.hasEnergies;
    for (int i = 0; i < path::index.count; ++i) {
        const path::Step& s = path::steps[i];
        const double relative = energies ? path::relativeEnergy(i) : 0;
        if (hasCoordinate() && energies)
            textio::writeRecord(
                textio::Unit::consoleOut, withCoordinate,
                {out(i + 1), out(s.coordinate), out(s.energy), out(relative), out(" kcal/mol")});
        else if (energies)
            textio::writeRecord(textio::Unit::consoleOut, plain,
                                {out(i + 1), out(s.energy), out(relative), out(" kcal/mol")});
        else if (hasCoordinate())
            textio::writeRecord(textio::Unit::consoleOut, coordinateOnly,
                                {out(i + 1), out(s.coordinate)});
        else
            textio::writeRecord(textio::Unit::consoleOut, numberOnly, {out(i + 1)});
    }
    return 0;
}

void describeStep(int i, char* text, int capacity) {
    int n = std::snprintf(text, std::size_t(capacity), "Step %d of %d", i + 1, path::index.count);
    if (n < 0 || n >= capacity) return;
    if (path::index.hasEnergies)
        n += std::snprintf(text + n, std::size_t(capacity - n), ": %.9f Eh, %+.2f kcal/mol",
                           path::steps[i].energy, path::relativeEnergy(i));
    if (n < 0 || n >= capacity) return;
    if (path::index.kind == path::Kind::irc)
        std::snprintf(text + n, std::size_t(capacity - n), ", reaction coordinate %.5f",
                      path::steps[i].coordinate);
    else if (path::index.kind == path::Kind::scan)
        std::snprintf(text + n, std::size_t(capacity - n), ", scanned value %.4f",
                      path::steps[i].coordinate);
}

int writeStepXyz(const char* target, int step) {
    const int i = step > 0 ? step - 1 : 0;
    path::readStep(fileName, i, reader::geometry);
    std::string text = std::to_string(path::index.atomCount) + "\n";
    char line[200];
    describeStep(i, line, sizeof line);
    text += line;
    text += ", from ";
    text += fileName;
    text += "\n";
    for (int a = 0; a < path::index.atomCount; ++a) {
        const double* g = reader::geometry[a];
        const std::string_view symbol = reader::scan::elementSymbol(int(g[0])).empty()
                                            ? std::string_view("X")
                                            : reader::scan::elementSymbol(int(g[0]));
        std::snprintf(line, sizeof line, "%-2.*s %14.8f %14.8f %14.8f\n", int(symbol.size()),
                      symbol.data(), g[1], g[2], g[3]);
        text += line;
    }
    textio::SafeWrite out;
    const char* why = "";
    bool written = textio::beginSafeWrite(target, out, why);
    if (written && std::fwrite(text.data(), 1, text.size(), out.file) != text.size()) {
        out.error = errno;
        why = std::strerror(errno);
    }
    written = written && textio::finishSafeWrite(out, true, why);
    if (!written) {
        textio::writeFailureLine({"cannot write \"", target, "\": ", why});
        return 1;
    }
    textio::writeListLine({textio::out("Wrote "), textio::out(target)});
    return 0;
}

void loadStep(int i, int& atomCount, reader::AtomTable& atoms, reader::AtomTable& motion,
              reader::ViewVolume& view) {
    path::readStep(fileName, i, reader::geometry);
    reader::atomCount = path::index.atomCount;
    std::memset(reader::modeVector, 0, sizeof reader::modeVector);
    reader::prepareViewData(atomCount, atoms, motion, view);
}

} // namespace driver
