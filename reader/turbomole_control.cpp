// Turbomole's control file: data groups opened by a line "$name", three of them read. Each may
// stand in the control file itself or in the file its "file=" names, looked up beside the
// control file (the group's line is then repeated there, its rows under it):
//   $coord                     x, y, z in bohr and the element in lower case, one atom a row;
//   $vibrational spectrum      mode, symmetry (blank for the translations and rotations),
//                              wave number (cm**-1, imaginary ones negative) and IR intensity;
//   $vibrational normal modes  one row per Cartesian component i over all 3N modes, cut into
//                              lines "i j v1..v5" (j counting the lines of row i).
// The modes are listed all 3N, the translations and rotations at zero among them. Which column
// is vibration `mode` is known once the spectrum and the atoms are read, which may come after
// the modes, so the columns that can be it (mode-1 and the six after it) are kept.
#include "reader/format_readers.h"
#include "reader/mode_columns.h"

#include <cstdio>
#include <cstring>

namespace reader {
namespace {

using scan::FormatResult;

constexpr std::string_view formatLabel = "Turbomole control";
constexpr int slots = 7;
constexpr int pathCapacity = 1024;
#ifdef _WIN32
constexpr const char* separators = "/\\:";
#else
constexpr const char* separators = "/";
#endif

enum Group { coordGroup, spectrumGroup, modesGroup, groupCount, otherGroup = groupCount };
constexpr std::string_view groupNames[groupCount] = {"$coord", "$vibrational spectrum",
                                                     "$vibrational normal modes"};

struct Groups {
    bool found[groupCount] = {};
    char file[groupCount][pathCapacity] = {}; // the file= of a group, empty when inline
    int modeColumns = 0;                      // values in each row of the normal modes
    int modeRows = 0;
};

Groups groups;
int wantedMode = 0;
double candidates[slots][3 * atomCapacity];

bool isGroupLine(std::string_view line) { return !line.empty() && line[0] == '$'; }

// The group a "$name ..." line opens.
Group groupOf(std::string_view line) {
    for (int g = 0; g < groupCount; ++g) {
        const std::string_view name = groupNames[g];
        if (line.substr(0, name.size()) == name &&
            (line.size() == name.size() || line[name.size()] == ' ' || line[name.size()] == '\t'))
            return Group(g);
    }
    return otherGroup;
}

// The rows of a group that hold something, up to the next group's line (in `line`, false at the
// end of the file).
bool nextRow(std::string_view& line) {
    while (scan::nextLine(line)) {
        if (isGroupLine(line)) return false;
        const std::string_view text = scan::trimmed(line);
        if (!text.empty() && text[0] != '#') return true;
    }
    line = {};
    return false;
}

//          1         2         3         4         5         6         7
// 1234567890123456789012345678901234567890123456789012345678901234567890123
//     0.00000000000000     -0.00000000000001      0.33082208695090      o
//     0.00000000000000      1.45589282870709     -0.95353549684997      h    f
void readCoordinates(std::string_view& line, FormatResult& result) {
    int n = 0;
    while (nextRow(line)) {
        if (n == atomCapacity)
            scan::failExpectedNumbered(
                line,
                "the end of $coord after at most %d atoms (Molvane holds at most that"
                " many)",
                atomCapacity);
        std::string_view f[6];
        const int count = scan::splitFields(line, f, 6);
        double* atom = result.geometry[n];
        atom[0] = count == 4 || count == 5 ? scan::atomicNumberOfSymbol(f[3]) : 0;
        if (atom[0] == 0.0 || !scan::toReal(f[0], atom[1]) || !scan::toReal(f[1], atom[2]) ||
            !scan::toReal(f[2], atom[3]))
            scan::failExpectedNumbered(line, "atom %d of $coord: x, y, z in bohr and the element",
                                       n + 1);
        for (int k = 1; k <= 3; ++k) atom[k] *= scan::angstromsPerBohr;
        ++n;
    }
    result.atomCount = n;
}

//          1         2         3         4         5         6         7
// 1234567890123456789012345678901234567890123456789012345678901234567890123
// #  mode     symmetry     wave number   IR intensity    selection rules
//      1                       -0.00         0.00000        -       -
//      7        a            2016.19         2.69164       YES     YES
void readSpectrum(std::string_view& line, FormatResult& result) {
    int n = 0;
    while (nextRow(line)) {
        std::string_view f[8];
        const int count = scan::splitFields(line, f, 8);
        double value = 0.0;
        // The symmetry is left blank for the translations and rotations.
        const int at = count >= 3 && scan::toReal(f[1], value) ? 1 : 2;
        int number = 0;
        if (n == modeCapacity || count < at + 2 || count > 8 || !scan::toInteger(f[0], number) ||
            number != n + 1 || !scan::toWavenumber(f[at], result.frequency[n]) ||
            !scan::toReal(f[at + 1], result.intensity[n]))
            scan::failExpectedNumbered(
                line,
                "mode %d of $vibrational spectrum: its number, symmetry, wave number and"
                " IR intensity",
                n + 1);
        ++n;
    }
    result.listed = n;
    result.hasIntensities = n > 0;
}

// Whether the fields before a line's values are "i j" (two fields, or one where the columns
// Turbomole writes them in run together, as "1100" for row 1, line 100).
bool opensLine(const scan::Fields& f, int prefix, int i, int j) {
    int a = 0, b = 0;
    if (prefix == 2)
        return scan::toInteger(f.field[0], a) && scan::toInteger(f.field[1], b) && a == i && b == j;
    std::size_t digits = 1; // of j
    for (int rest = j / 10; rest > 0; rest /= 10) ++digits;
    const std::string_view joined = f.field[0];
    return joined.size() > digits && scan::toInteger(joined.substr(0, joined.size() - digits), a) &&
           scan::toInteger(joined.substr(joined.size() - digits), b) && a == i && b == j;
}

// The values of a normal-mode line after "i j"; the columns of a row continue over its lines.
//          1         2         3         4         5         6         7
// 123456789012345678901234567890123456789012345678901234567890123456789012345678901
//  3  1   0.1034743084   0.0000000000   0.0000000000  -0.0643929404   0.2875296466
//  3  2   0.1053253416   0.0679423257   0.0533460381   0.0000000000
void readModes(std::string_view& line) {
    constexpr const char* lineOfRow =
        "a line of row %d of $vibrational normal modes: \"i j\" and up to five values";
    constexpr const char* fullRow =
        "the values of row %d of $vibrational normal modes, as many as in row 1";
    int row = 0, part = 0, column = 0; // the row being read, its lines and values so far
    int columns = 0;                   // of row 1, which every row must have
    scan::Fields f;
    double values[5];
    while (nextRow(line)) {
        scan::split(line, f);
        const int prefix = f.count > 1 && f.field[1].find('.') == f.field[1].npos ? 2 : 1;
        const int count = f.count - prefix;
        if (count < 1 || count > 5) scan::failExpectedNumbered(line, lineOfRow, row > 0 ? row : 1);
        if (opensLine(f, prefix, row + 1, 1)) { // the next row begins
            if (row > 0 && column != columns) scan::failExpectedNumbered(line, fullRow, row);
            if (row == 3 * atomCapacity)
                scan::failExpectedNumbered(line, "at most %d rows of $vibrational normal modes",
                                           3 * atomCapacity);
            ++row;
            part = column = 0;
        } else if (row == 0 || !opensLine(f, prefix, row, part + 1)) {
            scan::failExpectedNumbered(line, lineOfRow, row > 0 ? row : 1);
        }
        if (column + count > modeCapacity ||
            !columns::toDisplacements(f, prefix, column, count, 1, values))
            scan::failExpectedNumbered(line, lineOfRow, row);
        for (int c = 0; c < count; ++c) {
            const int slot = column + c - (wantedMode - 1);
            if (slot >= 0 && slot < slots) candidates[slot][row - 1] = values[c];
        }
        column += count;
        ++part;
        if (row == 1) columns = column;
    }
    if (row > 0 && column != columns) scan::failExpectedNumbered(line, fullRow, row);
    groups.modeRows = row;
    groups.modeColumns = columns;
}

// Reads the rows of group g, whose line was just read; the next group's line is left in `line`.
void readGroup(Group g, std::string_view& line, FormatResult& result) {
    groups.found[g] = true;
    if (g == coordGroup)
        readCoordinates(line, result);
    else if (g == spectrumGroup)
        readSpectrum(line, result);
    else
        readModes(line);
}

// The file a group's "file=name" names, beside the control file (a name alone, as Turbomole
// writes it: a folder in it is refused).
void keepFileName(std::string_view control, Group g, std::string_view line) {
    std::string_view name = line.substr(line.find("file=") + 5);
    name = name.substr(0, name.find_first_of(" \t\r"));
    const std::size_t slash = control.find_last_of(separators);
    const std::string_view folder = slash == control.npos ? "" : control.substr(0, slash + 1);
    if (name.empty() || name.find_first_of(separators) != name.npos || name == "." ||
        name == ".." || folder.size() + name.size() >= pathCapacity)
        scan::failExpected("the name of a file beside the control file after \"file=\"", line);
    std::memcpy(groups.file[g], folder.data(), folder.size());
    std::memcpy(groups.file[g] + folder.size(), name.data(), name.size());
    groups.file[g][folder.size() + name.size()] = '\0';
    groups.found[g] = true;
}

// The control file: each group read where it stands, or its file's name kept.
void readControl(std::string_view fileName, FormatResult& result) {
    scan::open(fileName, formatLabel);
    std::string_view line;
    int which = 0;
    bool more = scan::skipToLineHolding({"$"}, line, which);
    while (more) {
        const Group g = isGroupLine(line) ? groupOf(line) : otherGroup;
        if (g == otherGroup) {
            more = scan::skipToLineHolding({"$"}, line, which);
        } else if (line.find("file=") != line.npos) {
            keepFileName(fileName, g, line);
            more = scan::skipToLineHolding({"$"}, line, which);
        } else {
            readGroup(g, line, result);
            more = !line.empty();
        }
    }
    scan::close();
}

// A group kept in a file of its own: its line, then its rows.
void readGroupFile(Group g, FormatResult& result) {
    const std::string_view file = groups.file[g];
    scan::open(file, formatLabel);
    std::string_view line;
    int which = 0;
    bool found = false;
    while (!found && scan::skipToLineHolding({groupNames[g]}, line, which))
        found = isGroupLine(line) && groupOf(line) == g;
    if (!found) {
        char message[120];
        std::snprintf(message, sizeof message,
                      "has no %.*s group, which the control file puts"
                      " there",
                      int(groupNames[g].size()), groupNames[g].data());
        scan::failFile(message);
    }
    readGroup(g, line, result);
    scan::close();
}

void requireGroups(const FormatResult& result) {
    if (!groups.found[modesGroup])
        scan::failFile(groups.found[spectrumGroup] && !groups.found[coordGroup]
                           ? "holds no normal modes, only the frequencies and intensities of a"
                             " vibspectrum (as Turbomole and xtb write it): read Turbomole's"
                             " control file, or xtb's g98.out"
                           : "has no $vibrational normal modes group");
    if (!groups.found[spectrumGroup]) scan::failFile("has no $vibrational spectrum group");
    if (!groups.found[coordGroup] || result.atomCount == 0) scan::failFile("has no $coord group");
    char message[200];
    if (groups.modeRows != 3 * result.atomCount || groups.modeColumns != result.listed) {
        std::snprintf(message, sizeof message,
                      "holds %d rows of %d values in $vibrational normal modes for %d atoms and %d"
                      " modes in $vibrational spectrum",
                      groups.modeRows, groups.modeColumns, result.atomCount, result.listed);
        scan::failFile(message);
    }
    if (result.listed > 3 * result.atomCount) {
        std::snprintf(message, sizeof message, "lists %d modes for %d atoms (at most 3 per atom)",
                      result.listed, result.atomCount);
        scan::failFile(message);
    }
}

} // namespace

void readTurbomole(std::string_view fileName, int mode, scan::FormatResult& result,
                   AtomTable& modeVector) {
    result = FormatResult{};
    groups = Groups{};
    wantedMode = mode;
    columns::start(mode); // its window of wanted columns is the one kept here
    std::memset(candidates, 0, sizeof candidates);
    readControl(fileName, result);
    for (int g = 0; g < groupCount; ++g)
        if (groups.file[g][0] != '\0') readGroupFile(Group(g), result);
    scan::open(fileName, formatLabel); // the diagnostics below name the control file
    requireGroups(result);
    scan::close();
    static int kept[modeCapacity];
    const int vibrations = scan::selectVibrations(result, kept);
    if (mode < 1 || mode > vibrations) return;
    const double* column = candidates[kept[mode - 1] - (mode - 1)];
    for (int i = 0; i < result.atomCount; ++i) {
        modeVector[i][0] = float(result.geometry[i][0]);
        for (int k = 0; k < 3; ++k) modeVector[i][1 + k] = float(column[3 * i + k]);
    }
}

} // namespace reader
