// The one shared layer under the readers of the blank-separated formats (ORCA, Molden, fchk,
// Q-Chem, Psi4, NWChem, GAMESS, and every format to come): the file read line by line through
// the text layer with its line numbers, the diagnostics that name the file and the line,
// fields cut at blanks and numbers converted strictly, the tables most outputs print (an atom
// table under a header and a rule), the element table, and the rules that turn what a file
// lists into the run data (run_data.h, vibrations.h). Formats that print their vibrations as
// column blocks also use the section of mode_columns.h, built on this layer.
//
// A reader is one file (orca_output.cpp, molden.cpp, ...) with one entry point of the shape
// `void readXxx(std::string_view fileName, int mode, FormatResult& result, AtomTable& vector)`,
// declared in format_readers.h and called by vibrations.cpp. Its shape:
//   scan::open(fileName, "Xxx output");
//   while (scan::skipToLineHolding({headingA, headingB}, line, which)) { ... read a table:
//       scan::readLine(line, "the Xxx table");              // the file may not end here
//       scan::split(line, fields);                          // fields.count, fields.field[i]
//       if (!scan::toReals(fields, 1, 3, xyz))
//           scan::failExpectedNumbered(line, "row %d: a symbol and x, y, z", row);  // ends the run
//   }
//   scan::close();
// Every failure ends the run with one "*ERR* 109" line naming the file and the line; a reader
// never builds a message or searches the file itself. Where a reader keeps a table as text to
// convert later, it reads the file again to name the line of a bad row (orca_output.cpp).
#pragma once

#include "reader/run_data.h"

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

// The next line; at the end of the file the run ends: the file ended while `what` was read.
void readLine(std::string_view& line, std::string_view what);

// --- Failures: one "*ERR* 109" line (status 255) naming the file -------------------------

// "<file>, line <n>: expected <expected>, found \"<line text, cut to 60 columns>\""
// `expected` says what should have stood there ("6 numbers of a NORMAL MODES row").
[[noreturn]] void failExpected(std::string_view expected, std::string_view found);
// The same with `expected` made by printf from `format` and its numbers:
//   failExpectedNumbered(line, "row %d of vibration %d: dx, dy, dz", row, vibration);
[[noreturn]] void failExpectedNumbered(std::string_view found, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
// A file that ends too early: "<file> ends at line <n> while <what> was read".
[[noreturn]] void failEnded(std::string_view what);
// A failure that is not about one line: "<file>: <message>".
[[noreturn]] void failFile(std::string_view message);
// The same with the message made by printf: failCounts("lists %d atoms for %d", a, b).
[[noreturn]] void failCounts(const char* format, ...) __attribute__((format(printf, 1, 2)));

// --- Fields and numbers ----------------------------------------------------------------

// Cuts line at blanks and tabs into at most `capacity` fields; returns how many there are (the
// count goes on past capacity, so a line with too many fields is told apart).
int splitFields(std::string_view line, std::string_view* fields, int capacity);
// The fields of a line cut at blanks, for readers that look at most lines' fields; `count` may
// exceed `capacity` (see splitFields).
struct Fields {
    static constexpr int capacity = 24;
    std::string_view field[capacity];
    int count = 0;
};
void split(std::string_view line, Fields& fields);

// The line without the blanks and tabs around it.
std::string_view trimmed(std::string_view line);
// Nothing but blanks, tabs and a carriage return.
bool isBlank(std::string_view line);
bool holds(std::string_view line, std::string_view text);
// A line of dashes only (leading blanks allowed), as rules are printed.
bool isRule(std::string_view line);

// The whole field as a number; false when any character does not belong to it. Reals take an
// optional sign, digits with one point, and an exponent by E, e, D or d; nothing else (no
// "nan", "inf", hexadecimal or blanks).
bool toReal(std::string_view field, double& value);
bool toInteger(std::string_view field, int& value);
// A wave number in cm**-1, negative when imaginary, as written either way: negative, or with an
// i before or after it ("i123.45", "123.45i").
bool toWavenumber(std::string_view field, double& value);
// Whether the field is a real of toReal's form, without converting it (and so without its
// check that the value is finite).
bool isNumber(std::string_view field);
// Reads `count` reals from fields[first...]; false when one is not a number.
bool toReals(const Fields& fields, int first, int count, double* values);
// The count of fields of a line that numbers the columns of a block of vectors "first first+1
// ...", all within 1..last; 0 when the line is not such a line.
int blockColumns(std::string_view line, int first, int last);
// Case-insensitive comparison, for section names such as "[FR-COORD]".
bool equalsIgnoringCase(std::string_view a, std::string_view b);
// The atomic number of an element symbol ("C", "cl", "CL"; a trailing digit or label after the
// symbol, as in "C1" or "H12", is not part of it); 0 when it names no element.
int atomicNumberOfSymbol(std::string_view symbol);
// The symbol of an element (1..118) as written, "C", "Cl"; empty for any other number.
std::string_view elementSymbol(int atomicNumber);
// Standard atomic weight of an element (1..118), for undoing mass weighting.
double standardAtomicWeight(int atomicNumber);

inline constexpr double angstromsPerBohr = 0.529177210903;

// --- Tables ------------------------------------------------------------------------------

// The two lines that open most tables: a header line holding `header`, then a rule (isRule).
// Either missing ends the run with failExpected(headerExpected or ruleExpected, line).
void readTableHead(std::string_view what, std::string_view header, std::string_view headerExpected,
                   std::string_view ruleExpected);

// An atom table's rows: one atom a row, down to the rule or blank line that ends them.
struct AtomRows {
    std::string_view what;    // for a file that ends inside: "a \"Geometry (in ...)\" table"
    bool endsAtRule;          // true: a rule ends the rows; false: a blank line does
    const char* row;          // expected of a bad row, with %d for its number from 1
    std::string_view table;   // "orientation table": "at least one atom row in the <table>"
    double scale;             // to Angstroms: 1, or angstromsPerBohr
    bool blanksFirst = false; // blank lines before the first row are passed over
};
// Reads one row's fields into atom: atomic number and x, y, z in the file's unit; `row`
// counts from 0. False for a row that is not an atom row.
using AtomRowReader = bool (*)(const Fields& fields, int row, double* atom);
// Reads the rows with readRow into `geometry` (nullptr: checked, not kept), x, y, z scaled by
// rows.scale; returns their count, at least 1. A bad row, more than atomCapacity rows, or none
// ends the run, naming the line.
int readAtomRows(const AtomRows& rows, AtomRowReader readRow, GeometryTable* geometry);

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
