// The shared layer of the blank-separated readers: the file through the text layer with its
// line numbers, the diagnostics that name the file and the line, fields and strict numbers,
// the element table, and the rules that pick the vibrations out of what a file lists.
#include "reader/format_support.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace reader::scan {
namespace {

// The file being read and what kind of file it is, for the diagnostics.
char fileNameText[textio::recordLength + 1] = {};
char formatText[64] = {};

std::string_view fileName() { return fileNameText; }

void keep(char* to, std::size_t capacity, std::string_view text) {
    const std::size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
    if (n > 0) std::memcpy(to, text.data(), n);
    to[n] = '\0';
}

// A diagnostic line is cut at this many characters (a file name may be 1024 long).
constexpr std::size_t messageLimit = 700;

// The name the file is known by in a diagnostic: the format's, when the file name is empty.
textio::Message& addFile(textio::Message& text) {
    return text.add(fileNameText[0] != '\0' ? fileName() : std::string_view(formatText));
}

[[noreturn]] void fail(const textio::Message& text) {
    textio::failRun(text.view().substr(0, messageLimit));
}

bool isBlankByte(char c) { return c == ' ' || c == '\t'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Element symbols, 1..118.
constexpr std::string_view symbols[] = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si", "P",
    "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn",
    "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru", "Rh",
    "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd",
    "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",  "Re",
    "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac", "Th",
    "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md", "No", "Lr", "Rf", "Db",
    "Sg", "Bh", "Hs", "Mt", "Ds", "Rg", "Cn", "Nh", "Fl", "Mc", "Lv", "Ts", "Og",
};
constexpr int elementCount = int(sizeof symbols / sizeof symbols[0]);
static_assert(elementCount == 118);

// Standard atomic weights (IUPAC, conventional values where IUPAC gives an interval); for an
// element without stable isotopes, the mass number of its longest-lived isotope.
constexpr double atomicWeights[] = {
    1.008,        4.002602, 6.94,        9.0121831, 10.81,      12.011,  14.007,       15.999,
    18.998403163, 20.1797,  22.98976928, 24.305,    26.9815385, 28.085,  30.973761998, 32.06,
    35.45,        39.948,   39.0983,     40.078,    44.955908,  47.867,  50.9415,      51.9961,
    54.938044,    55.845,   58.933194,   58.6934,   63.546,     65.38,   69.723,       72.630,
    74.921595,    78.971,   79.904,      83.798,    85.4678,    87.62,   88.90584,     91.224,
    92.90637,     95.95,    98.0,        101.07,    102.90550,  106.42,  107.8682,     112.414,
    114.818,      118.710,  121.760,     127.60,    126.90447,  131.293, 132.90545196, 137.327,
    138.90547,    140.116,  140.90766,   144.242,   145.0,      150.36,  151.964,      157.25,
    158.92535,    162.500,  164.93033,   167.259,   168.93422,  173.045, 174.9668,     178.49,
    180.94788,    183.84,   186.207,     190.23,    192.217,    195.084, 196.966569,   200.592,
    204.38,       207.2,    208.98040,   209.0,     210.0,      222.0,   223.0,        226.0,
    227.0,        232.0377, 231.03588,   238.02891, 237.0,      244.0,   243.0,        247.0,
    247.0,        251.0,    252.0,       257.0,     258.0,      259.0,   266.0,        267.0,
    268.0,        269.0,    270.0,       269.0,     278.0,      281.0,   282.0,        285.0,
    286.0,        289.0,    290.0,       293.0,     294.0,      294.0,
};
static_assert(sizeof atomicWeights / sizeof atomicWeights[0] == elementCount);

// The element whose symbol is `letters` (one or two letters, any case); 0 for none.
int elementOf(std::string_view letters) {
    for (int z = 1; z <= elementCount; ++z) {
        const std::string_view symbol = symbols[z - 1];
        if (symbol.size() != letters.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < symbol.size() && same; ++i)
            same = upper(symbol[i]) == upper(letters[i]);
        if (same) return z;
    }
    return 0;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

} // namespace

void open(std::string_view name, std::string_view format) {
    keep(formatText, sizeof formatText, format);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    keep(fileNameText, sizeof fileNameText, name);
    textio::openUnitForReading(name);
}

void close() { textio::closeUnit(); }

bool nextLine(std::string_view& line) { return textio::readFileLine(line); }

bool skipToLineHolding(std::initializer_list<std::string_view> keywords, std::string_view& line,
                       int& which) {
    return textio::skipToFileLineHolding(keywords, textio::recordLength, line, which);
}

long long lineNumber() { return textio::fileLineNumber(); }

void readLine(std::string_view& line, std::string_view what) {
    if (!nextLine(line)) failEnded(what);
}

void failExpected(std::string_view expected, std::string_view found) {
    textio::Message text;
    addFile(text).add(", line ").add(lineNumber()).add(": expected ").add(expected);
    text.add(", found ").addQuoted(trimmed(found));
    fail(text);
}

void failExpectedNumbered(std::string_view found, const char* format, ...) {
    char expected[240];
    std::va_list numbers;
    va_start(numbers, format);
    std::vsnprintf(expected, sizeof expected, format, numbers);
    va_end(numbers);
    failExpected(expected, found);
}

void failEnded(std::string_view what) {
    textio::Message text;
    addFile(text).add(" ends at line ").add(lineNumber()).add(" while ").add(what);
    text.add(" was read");
    fail(text);
}

void failFile(std::string_view message) {
    textio::Message text;
    addFile(text).add(": ").add(message);
    fail(text);
}

void failCounts(const char* format, ...) {
    char message[240];
    std::va_list numbers;
    va_start(numbers, format);
    std::vsnprintf(message, sizeof message, format, numbers);
    va_end(numbers);
    failFile(message);
}

int blockColumns(std::string_view line, int first, int last) {
    constexpr int capacity = 32;
    std::string_view fields[capacity];
    const int count = splitFields(line, fields, capacity);
    if (count < 1 || count >= capacity || first + count > last) return 0;
    for (int k = 0; k < count; ++k) {
        int number = -1;
        if (!toInteger(fields[k], number) || number != first + k) return 0;
    }
    return count;
}

int splitFields(std::string_view line, std::string_view* fields, int capacity) {
    int count = 0;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && isBlankByte(line[at])) ++at;
        if (at == line.size()) break;
        const std::size_t start = at;
        while (at < line.size() && !isBlankByte(line[at])) ++at;
        if (count < capacity) fields[count] = line.substr(start, at - start);
        ++count;
    }
    return count;
}

void split(std::string_view line, Fields& fields) {
    fields.count = splitFields(line, fields.field, Fields::capacity);
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlankByte(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlankByte(s.back())) s.remove_suffix(1);
    return s;
}

bool isBlank(std::string_view line) { return line.find_first_not_of(" \t\r") == line.npos; }

bool holds(std::string_view line, std::string_view text) { return line.find(text) != line.npos; }

bool isRule(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    if (first == line.npos || line[first] != '-') return false;
    return line.find_first_not_of("- \r", first) == line.npos;
}

bool toReal(std::string_view field, double& value) {
    // Checked here character by character; the conversion itself is strtod's, on a copy
    // with the exponent letter made an E.
    char text[80];
    if (field.empty() || field.size() >= sizeof text) return false;
    std::size_t at = 0, n = 0;
    auto take = [&] { text[n++] = field[at++]; };
    if (field[at] == '+' || field[at] == '-') take();
    int digits = 0;
    while (at < field.size() && isDigit(field[at])) take(), ++digits;
    if (at < field.size() && field[at] == '.') {
        take();
        while (at < field.size() && isDigit(field[at])) take(), ++digits;
    }
    if (digits == 0) return false;
    if (at < field.size()) {
        const char e = field[at];
        if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return false;
        ++at;
        text[n++] = 'E';
        if (at < field.size() && (field[at] == '+' || field[at] == '-')) take();
        int exponentDigits = 0;
        while (at < field.size() && isDigit(field[at])) take(), ++exponentDigits;
        if (exponentDigits == 0 || at != field.size()) return false;
    }
    text[n] = '\0';
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    if (end != text + n || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool toInteger(std::string_view field, int& value) {
    std::size_t at = 0;
    const bool negative = !field.empty() && field[0] == '-';
    if (!field.empty() && (field[0] == '+' || field[0] == '-')) ++at;
    if (at == field.size()) return false;
    long long v = 0;
    for (; at < field.size(); ++at) {
        if (!isDigit(field[at])) return false;
        v = v * 10 + (field[at] - '0');
        if (v > 2147483648LL) return false;
    }
    if (negative) v = -v;
    if (v > 2147483647LL || v < -2147483648LL) return false;
    value = int(v);
    return true;
}

bool toWavenumber(std::string_view field, double& value) {
    const bool before = !field.empty() && field.front() == 'i';
    const bool after = !before && !field.empty() && field.back() == 'i';
    if (before) field.remove_prefix(1);
    if (after) field.remove_suffix(1);
    if (!toReal(field, value)) return false;
    if (before || after) value = -value;
    return true;
}

bool isNumber(std::string_view field) {
    std::size_t at = 0;
    const std::size_t n = field.size();
    if (at < n && (field[at] == '+' || field[at] == '-')) ++at;
    int digits = 0;
    while (at < n && isDigit(field[at])) ++at, ++digits;
    if (at < n && field[at] == '.')
        for (++at; at < n && isDigit(field[at]); ++at) ++digits;
    if (digits == 0) return false;
    if (at == n) return true;
    const char e = field[at];
    if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return false;
    ++at;
    if (at < n && (field[at] == '+' || field[at] == '-')) ++at;
    const std::size_t exponent = at;
    while (at < n && isDigit(field[at])) ++at;
    return at > exponent && at == n;
}

bool toReals(const Fields& fields, int first, int count, double* values) {
    if (first + count > fields.count || first + count > Fields::capacity) return false;
    for (int i = 0; i < count; ++i)
        if (!toReal(fields.field[first + i], values[i])) return false;
    return true;
}

void readTableHead(std::string_view what, std::string_view header, std::string_view headerExpected,
                   std::string_view ruleExpected) {
    std::string_view line;
    readLine(line, what);
    if (!holds(line, header)) failExpected(headerExpected, line);
    readLine(line, what);
    if (!isRule(line)) failExpected(ruleExpected, line);
}

int readAtomRows(const AtomRows& rows, AtomRowReader readRow, GeometryTable* geometry) {
    std::string_view line;
    Fields fields;
    int n = 0;
    for (;;) {
        readLine(line, rows.what);
        if (rows.blanksFirst && n == 0 && isBlank(line)) continue;
        if (rows.endsAtRule ? isRule(line) : isBlank(line)) break;
        if (n == atomCapacity)
            failExpectedNumbered(line,
                                 rows.endsAtRule ? "a rule after at most %d atom rows (Molvane"
                                                   " holds at most that many atoms)"
                                                 : "a blank line after at most %d atom rows"
                                                   " (Molvane holds at most that many atoms)",
                                 atomCapacity);
        split(line, fields);
        double atom[4];
        if (!readRow(fields, n, atom)) failExpectedNumbered(line, rows.row, n + 1);
        if (geometry != nullptr) {
            (*geometry)[n][0] = atom[0];
            for (int k = 1; k <= 3; ++k) (*geometry)[n][k] = atom[k] * rows.scale;
        }
        ++n;
    }
    if (n == 0) {
        textio::Message expected;
        expected.add("at least one atom row in the ").add(rows.table);
        failExpected(expected.view(), line);
    }
    return n;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

int atomicNumberOfSymbol(std::string_view symbol) {
    if (symbol.empty() || !isLetter(symbol[0])) return 0;
    // Two letters when they name an element ("Cl", "CL"), else the first alone ("C1", "Hx").
    if (symbol.size() >= 2 && isLetter(symbol[1]))
        if (const int z = elementOf(symbol.substr(0, 2))) return z;
    return elementOf(symbol.substr(0, 1));
}

std::string_view elementSymbol(int atomicNumber) {
    if (atomicNumber < 1 || atomicNumber > elementCount) return {};
    return symbols[atomicNumber - 1];
}

double standardAtomicWeight(int atomicNumber) {
    if (atomicNumber < 1 || atomicNumber > elementCount) return 0.0;
    return atomicWeights[atomicNumber - 1];
}

int selectVibrations(const FormatResult& result, int* kept) {
    const int n = result.atomCount;
    const int listed = result.listed < modeCapacity ? result.listed : modeCapacity;
    int vibrations = 0;
    if (result.activeAtomsOnly)
        vibrations = listed;
    else if (n >= 2)
        vibrations = isLinear(result.geometry, n) ? 3 * n - 5 : 3 * n - 6;
    if (listed <= vibrations) {
        for (int i = 0; i < listed; ++i) kept[i] = i;
        return listed < 0 ? 0 : listed;
    }
    // Leave out the entries of smallest absolute frequency, the earlier one first on a tie.
    bool left[modeCapacity] = {};
    for (int dropped = 0; dropped < listed - vibrations; ++dropped) {
        int smallest = -1;
        for (int i = 0; i < listed; ++i)
            if (!left[i] && (smallest < 0 || std::fabs(result.frequency[i]) <
                                                 std::fabs(result.frequency[smallest])))
                smallest = i;
        left[smallest] = true;
    }
    int count = 0;
    for (int i = 0; i < listed; ++i)
        if (!left[i]) kept[count++] = i;
    return count;
}

bool isLinear(const GeometryTable& geometry, int atomCount) {
    if (atomCount <= 2) return true;
    // The line through the first atom and the atom farthest from it.
    int far = 0;
    double farthest = 0.0;
    for (int i = 1; i < atomCount; ++i) {
        double d = 0.0;
        for (int k = 1; k <= 3; ++k) d += std::pow(geometry[i][k] - geometry[0][k], 2);
        if (d > farthest) {
            farthest = d;
            far = i;
        }
    }
    if (far == 0) return true; // every atom in one place
    const double length = std::sqrt(farthest);
    double axis[3];
    for (int k = 0; k < 3; ++k) axis[k] = (geometry[far][k + 1] - geometry[0][k + 1]) / length;
    for (int i = 1; i < atomCount; ++i) {
        double v[3], along = 0.0;
        for (int k = 0; k < 3; ++k) {
            v[k] = geometry[i][k + 1] - geometry[0][k + 1];
            along += v[k] * axis[k];
        }
        double off = 0.0;
        for (int k = 0; k < 3; ++k) off += std::pow(v[k] - along * axis[k], 2);
        if (std::sqrt(off) > 1e-4) return false;
    }
    return true;
}

void normalise(AtomTable& vector, int atomCount) {
    double sum = 0.0;
    for (int i = 0; i < atomCount; ++i)
        for (int k = 1; k <= 3; ++k) sum += double(vector[i][k]) * double(vector[i][k]);
    if (sum == 0.0 || !std::isfinite(sum)) return;
    const double scale = 1.0 / std::sqrt(sum);
    for (int i = 0; i < atomCount; ++i)
        for (int k = 1; k <= 3; ++k) vector[i][k] = float(double(vector[i][k]) * scale);
}

} // namespace reader::scan
