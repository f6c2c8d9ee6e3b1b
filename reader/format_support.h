// What the readers of the blank-separated formats (ORCA, Molden, fchk, Q-Chem, Psi4, NWChem,
// GAMESS) share: the file read line by line through the text layer with its line count, fields
// cut at blanks, numbers converted strictly, one diagnostic naming the file and the line, and
// the rules that turn what a file lists into the run data (vibrations.h).
//
// Each format is one file (orca_output.cpp, molden.cpp, ...) with one entry point of the
// shape `void readXxx(std::string_view fileName, int mode, FormatResult& result)`, declared in
// format_readers.h and called by vibrations.cpp.
#pragma once

#include "reader/run_data.h"
#include "reader/vibrations.h"

#include <initializer_list>
#include <string_view>

namespace reader::scan {

// --- The file, line by line -------------------------------------------------------------

// Connects fileName for reading through the text layer; `format` names the kind of file in
// diagnostics ("ORCA output").
void open(std::string_view fileName, std::string_view format);
void close();
// The next line (without its line end; at most 1024 columns), or false at the end of the file.
bool nextLine(std::string_view& line);
// Passes lines up to and including the next one that holds any of `keywords` (plain,
// case-sensitive substring search, as fast as the text layer's keyword skip); `which` is the
// index of the first keyword that line holds. False at the end of the file.
bool skipToLineHolding(std::initializer_list<std::string_view> keywords, std::string_view& line,
                       int& which);
// The number of the line nextLine or skipToLineHolding handed out last, counted from 1.
long long lineNumber();

// Ends the run (*ERR* 109, status 255) with one line naming the file and the current line:
//   "<file>, line <n>: expected <expected>, found \"<line text, cut to 60 columns>\""
// `expected` says what should have stood there ("6 numbers of a NORMAL MODES row").
[[noreturn]] void failExpected(std::string_view expected, std::string_view found);
// The same for a file that ends too early: "<file> ends at line <n> while <what> was read".
[[noreturn]] void failEnded(std::string_view what);
// A failure that is not about one line: "<file>: <message>".
[[noreturn]] void failFile(std::string_view message);

// --- Fields and numbers ----------------------------------------------------------------

// Cuts line at blanks and tabs into at most `capacity` fields; returns how many there are (the
// count goes on past capacity, so a line with too many fields is told apart).
int splitFields(std::string_view line, std::string_view* fields, int capacity);
// The whole field as a number; false when any character does not belong to it. Reals take an
// optional sign, digits with one point, and an exponent by E, e, D or d; nothing else (no
// "nan", "inf", hexadecimal or blanks).
bool toReal(std::string_view field, double& value);
bool toInteger(std::string_view field, int& value);
// A wave number in cm**-1, negative when imaginary, as written either way: negative, or with an
// i before or after it ("i123.45", "123.45i").
bool toWavenumber(std::string_view field, double& value);
// The count of fields of a line that numbers the columns of a block of vectors "first first+1
// ...", all within 1..last; 0 when the line is not such a line.
int blockColumns(std::string_view line, int first, int last);
// Case-insensitive comparison, for section names such as "[FR-COORD]".
bool equalsIgnoringCase(std::string_view a, std::string_view b);
// The atomic number of an element symbol ("C", "cl", "CL"; a trailing digit or label after the
// symbol, as in "C1" or "H12", is not part of it); 0 when it names no element.
int atomicNumberOfSymbol(std::string_view symbol);
// Standard atomic weight of an element (1..118), for undoing mass weighting.
double standardAtomicWeight(int atomicNumber);

inline constexpr double angstromsPerBohr = 0.529177210903;

// --- From what a file lists to the run data ----------------------------------------------

// What a format reader found in the section it keeps (the last complete one).
struct FormatResult {
    int atomCount = 0;
    GeometryTable geometry = {}; // atomic number and x, y, z in Angstroms
    int listed = 0;              // vibrations as the file lists them, translations included
    bool hasIntensities = false;
    bool hasRaman = false;
    bool activeAtomsOnly = false; // a partial Hessian: every entry is a vibration of the atoms
                                  // not held fixed, none a translation or rotation
    double frequency[modeCapacity] = {}; // in the file's order, imaginary negative
    double intensity[modeCapacity] = {};
    double ramanActivity[modeCapacity] = {};
};

// Which of the `listed` entries are vibrations: all but the 6 (5 when the atoms lie on one
// line; 0 for a single atom) of smallest absolute frequency, when more than 3N-6 (3N-5) are
// listed; all of them for a partial Hessian. kept[i] is the listed index of vibration i+1, in file
// order; returns the count.
int selectVibrations(const FormatResult& result, int* kept);
// Whether the atoms of a geometry lie on one line (within 1e-4 Angstrom).
bool isLinear(const GeometryTable& geometry, int atomCount);
// Scales a vector of atomCount atoms (records: atomic number, dx, dy, dz) to unit length over
// its 3N components; a zero vector stays zero.
void normalise(AtomTable& vector, int atomCount);

} // namespace reader::scan
