// Damaged output files read in-process by the whole reading pipeline: every bundled example
// cut after each of its lines, foreign line ends, NUL and Ctrl-Z bytes, very long lines,
// numbers that are no numbers or too large, too many atom rows, tables and mode blocks
// that stop short, a directory, an empty file. Each case ends with the diagnostic it must
// give, naming the file, the line and what was being read, or gives the exact reading.
#include "tests/hostile/pipeline.h"
#include "tests/hostile/reference_lines.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

using namespace hostile;
using testsupport::exampleFile;
using testsupport::readFile;
using testsupport::ScratchDir;

namespace {

const char* const bundled[] = {"formaldehyde-freq.out", "water-optfreq.out", "ammonia-ts-freq.out"};

const std::string noTable = "\"Standard orientation:\" table (it has none)";
const std::string noRules = "its rule lines are missing";
const std::string unclosed = "no rule line closes it";

bool holds(const std::string& line, const char* keyword) {
    return line.substr(0, 100).find(keyword) != std::string::npos;
}

// What reading the first `k` lines of an example must give, worked out from where its
// keywords stand: either the end of file at line k while reading the part that is missing,
// or a reading. Only the standard-orientation tables of the examples' own shape are met
// (keyword, rule, two header lines, rule, rows, rule).
struct Expectation {
    bool ends = false;
    std::string context; // what the end-of-file diagnostic says was being read
    bool modeRejected = false;
    int atoms = -1;
    bool lastTable = false; // the reading takes the whole file's last table
};

Expectation expectFor(const std::vector<std::string>& all, int k) {
    const std::vector<std::string> lines(all.begin(), all.begin() + k);
    Expectation e;
    // The last table of the first keyword the cut file holds, as countAtoms chooses it.
    int table = -1, wholeLast = -1;
    bool standard = false;
    for (const char* keyword :
         {"Standard orientation:", "Input orientation:", "Z-Matrix orientation:"}) {
        for (int i = 0; i < k; ++i)
            if (holds(all[std::size_t(i)], keyword)) table = i;
        standard = table >= 0 && std::string(keyword) == "Standard orientation:";
        if (table >= 0) break;
    }
    for (int i = 0; i < int(all.size()); ++i)
        if (holds(all[std::size_t(i)], "Standard orientation:")) wholeLast = i;
    auto fail = [&](std::string context) {
        e.ends = true;
        e.context = std::move(context);
        return e;
    };
    std::vector<int> rules;
    for (int i = table < 0 ? 1 : table + 1; i < k && rules.size() < 3; ++i)
        if (holds(lines[std::size_t(i)], "---")) rules.push_back(i);
    if (rules.size() < 2) return fail(table < 0 ? noTable : noRules);
    if (rules.size() < 3) return fail(table < 0 ? noTable : unclosed);
    e.atoms = rules[2] - rules[1] - 1;
    const int mode = 3 * e.atoms - 6;
    if (mode < 1) {
        e.modeRejected = true;
        return e;
    }
    if (table < 0) return fail(noTable);
    EXPECT_EQ(rules[1], table + 4) << "an example table of another shape";
    e.lastTable = standard && table == wholeLast;

    const int block = (mode - 1) / 3 + 1;
    int header = -1;
    for (int i = 0, seen = 0; i < k && header < 0; ++i)
        if (holds(lines[std::size_t(i)], "Atom AN") && ++seen == block) header = i;
    if (header < 0) return fail("\"Atom AN\" line of normal-mode block " + std::to_string(block));
    if (header + e.atoms >= k) return fail("rows of normal-mode block " + std::to_string(block));

    int heading = -1, frequency = -1;
    for (int i = 0; i < k && frequency < 0; ++i) {
        const std::string& line = lines[std::size_t(i)];
        if (heading < 0) {
            if (holds(line, "Harmonic frequencies")) heading = i;
        } else if (holds(line, "Frequencies --") && !holds(line, "Frequencies ---")) {
            frequency = i;
        }
    }
    if (heading < 0) return fail("\"Harmonic frequencies\" heading");
    if (frequency < 0) return fail("\"Frequencies --\" line");
    return e;
}

// The first k lines of `text`, each with its line feed, or the last one without.
std::string firstLines(const std::string& text, int k, bool lastLineFeed) {
    std::size_t at = 0;
    for (int i = 0; i < k; ++i) at = text.find('\n', at) + 1;
    return text.substr(0, lastLineFeed || k == 0 ? at : at - 1);
}

std::string replaced(std::string text, const std::string& from, const std::string& to,
                     bool last = true) {
    const std::size_t at = last ? text.rfind(from) : text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

// The 1-based line of text on which `what` stands (its last occurrence, or its first).
int lineOf(const std::string& text, const std::string& what, bool last = true) {
    const std::size_t at = last ? text.rfind(what) : text.find(what);
    if (at == std::string::npos) {
        ADD_FAILURE() << "no " << what;
        return 0;
    }
    return 1 + int(std::count(text.begin(), text.begin() + std::ptrdiff_t(at), '\n'));
}

class Damaged : public testing::Test {
  protected:
    std::string write(const std::string& name, const std::string& bytes) {
        return dir.write(name, bytes);
    }
    const Reading& whole(const char* example) {
        Reading& r = wholeReadings[example];
        if (r.atoms < 0) readPipeline(exampleFile(example), r);
        return r;
    }
    ScratchDir dir;
    std::map<std::string, Reading> wholeReadings;
};

} // namespace

TEST_F(Damaged, EveryExampleCutAfterEachLineEndsAtTheCutOrReadsAsTheWhole) {
    for (const char* example : bundled) {
        const std::string text = readFile(exampleFile(example));
        const std::vector<std::string> all = referenceLines(text);
        const Reading& full = whole(example);
        ASSERT_FALSE(full.end.ended) << example;
        for (int k = 0; k <= int(all.size()); ++k) {
            const Expectation e = expectFor(all, k);
            for (const bool lineFeed : {true, false}) {
                if (!lineFeed && (k == 0 || all[std::size_t(k - 1)].empty()))
                    continue; // no line left
                const std::string file = write("cut.out", firstLines(text, k, lineFeed));
                Reading r;
                readPipeline(file, r);
                SCOPED_TRACE(std::string(example) + " cut after line " + std::to_string(k) +
                             (lineFeed ? "" : " without its line feed"));
                if (k == 0) {
                    // Nothing left of it: no format's marker, no Gaussian keyword.
                    ASSERT_TRUE(endedWith(r.end, 109, {file + " fits no format"}));
                } else if (e.ends) {
                    ASSERT_TRUE(endedWith(r.end, 104,
                                          {"end of file in " + file + " after line " +
                                               std::to_string(k) + " while reading",
                                           e.context}));
                } else if (e.modeRejected) {
                    ASSERT_FALSE(r.end.ended) << r.end.diagnostic();
                    ASSERT_TRUE(r.modeRejected);
                    ASSERT_EQ(r.atoms, e.atoms);
                } else {
                    ASSERT_FALSE(r.end.ended) << r.end.diagnostic();
                    ASSERT_EQ(r.atoms, e.atoms);
                    if (e.lastTable) {
                        ASSERT_TRUE(sameReading(r, full));
                    }
                }
            }
        }
    }
}

TEST_F(Damaged, CarriageReturnsAloneDoNotEndLines) {
    // Old Mac line ends: the whole file is one line whose first 100 columns hold no keyword.
    std::string text = readFile(exampleFile("formaldehyde-freq.out"));
    std::replace(text.begin(), text.end(), '\n', '\r');
    const std::string file = write("cr.out", text);
    Reading r;
    readPipeline(file, r);
    EXPECT_TRUE(endedWith(r.end, 104, {"end of file in " + file + " after line 1 ", noTable}));
}

TEST_F(Damaged, NulAndCtrlZBytesInTheMiddle) {
    const std::string text = readFile(exampleFile("formaldehyde-freq.out"));
    const std::string row2 =
        "    2          8             0        0.000000    0.000000    0.603102";
    const int line2 = lineOf(text, row2);

    // A NUL in a number is a foreign character: the conversion diagnostic names the field.
    const std::string inNumber =
        write("nul-number.out", replaced(text, row2, std::string(row2).replace(64, 1, 1, '\0')));
    Reading number;
    readPipeline(inNumber, number);
    EXPECT_TRUE(
        endedWith(number.end, 101,
                  {inNumber + ", line " + std::to_string(line2) + ", columns 60-72", "\\x00"}));
    // A NUL in a column no layout reads changes nothing.
    const std::string aside =
        write("nul-aside.out", replaced(text, row2, std::string(row2).replace(1, 1, 1, '\0')));
    Reading asideReading;
    readPipeline(aside, asideReading);
    EXPECT_TRUE(sameReading(asideReading, whole("formaldehyde-freq.out")));
    // A NUL inside the keyword hides the standard table: the Z-matrix table before it is
    // read; with both hidden there is no table.
    const std::string standardHidden =
        replaced(text, "Standard orientation:", std::string("Standard\0orientation:", 21));
    Reading zMatrix;
    readPipeline(write("nul-standard.out", standardHidden), zMatrix);
    ASSERT_FALSE(zMatrix.end.ended) << zMatrix.end.diagnostic();
    EXPECT_EQ(zMatrix.tables, 1);
    EXPECT_EQ(zMatrix.atoms, 4);
    EXPECT_EQ(zMatrix.geometry[2][2], 0.939359);
    const std::string keyword =
        write("nul-keyword.out", replaced(standardHidden, "Z-Matrix orientation:",
                                          std::string("Z-Matrix\0orientation:", 21)));
    Reading hidden;
    readPipeline(keyword, hidden);
    EXPECT_TRUE(endedWith(hidden.end, 104, {keyword, noTable}));

    // Ctrl-Z ends the data in the middle of a row: that row is the last line.
    const std::string stopped =
        write("ctrlz-row.out", replaced(text, row2, std::string(row2).replace(40, 1, 1, '\x1a')));
    Reading cut;
    readPipeline(stopped, cut);
    EXPECT_TRUE(endedWith(cut.end, 104,
                          {stopped + " after line " + std::to_string(line2) + " ", unclosed}));
    // Ctrl-Z after everything the run reads leaves the reading whole.
    const std::string lastRow = "   4   1     0.00   0.00  -0.34";
    const std::string tail =
        write("ctrlz-tail.out", text.substr(0, text.rfind(lastRow)) + lastRow +
                                    text.substr(text.rfind(lastRow) + lastRow.size(), 50) + "\x1a" +
                                    text.substr(text.rfind(lastRow) + lastRow.size() + 50));
    Reading tailReading;
    readPipeline(tail, tailReading);
    EXPECT_TRUE(sameReading(tailReading, whole("formaldehyde-freq.out")));
}

TEST_F(Damaged, HundredThousandColumnLines) {
    const std::string text = readFile(exampleFile("formaldehyde-freq.out"));
    const Reading& full = whole("formaldehyde-freq.out");
    const std::string wide(100000, 'w');
    const std::string row1 =
        "    1          6             0        0.000000    0.000000   -0.603198";

    // A long line before the table, a row with 100 000 trailing blanks, a CR LF long line:
    // each counts as one line and the reading stays the same.
    std::string widened =
        replaced(text, " Rotational constants", wide + "\n Rotational constants", false);
    widened = replaced(widened, row1, row1 + std::string(100000, ' '));
    widened = replaced(widened, " Harmonic frequencies", wide + "\r\n Harmonic frequencies");
    Reading r;
    readPipeline(write("wide.out", widened), r);
    EXPECT_TRUE(sameReading(r, full));

    // Line numbers still count the long lines once: a bad field after them is placed right.
    const std::string garbled = replaced(widened, "   -0.939359", "   -0.93x359");
    const std::string file = write("wide-garbled.out", garbled);
    Reading bad;
    readPipeline(file, bad);
    EXPECT_TRUE(endedWith(
        bad.end, 101,
        {file + ", line " + std::to_string(lineOf(garbled, "-0.93x359")) + ", columns 47-59"}));

    // A keyword that does not lie wholly within the first 100 columns is not found.
    std::string shifted = replaced(text, "                         Standard orientation:",
                                   std::string(85, ' ') + "Standard orientation:", false);
    shifted = replaced(shifted, "                         Z-Matrix orientation:",
                       std::string(85, ' ') + "Z-Matrix orientation:", false);
    const std::string beyond = write("beyond.out", shifted);
    Reading none;
    readPipeline(beyond, none);
    EXPECT_TRUE(endedWith(none.end, 104, {beyond, noTable}));
}

TEST_F(Damaged, NumbersThatAreNoNumbersOrTooLarge) {
    const std::string text = readFile(exampleFile("formaldehyde-freq.out"));
    const std::string x = "        0.000000    0.000000   -0.603198"; // row 1: x in 35-46
    const int rowLine = lineOf(text, x);
    const std::string dx = "   1   6     0.00   0.00   0.21"; // mode 4 row 1: dx in 13-18
    const int modeLine = lineOf(text, dx);
    const std::string frequency = " Frequencies --  1209.5589";
    const int frequencyLine = lineOf(text, frequency, false);
    struct Case {
        const char* what;
        std::string from, to;
        int code; // 0: reads
        int line;
        const char* columns;
    };
    const Case cases[] = {
        {"x 1e999", x, "       1e999    0.000000   -0.603198", 103, rowLine, "35-46"},
        {"x NaN", x, "         NaN    0.000000   -0.603198", 101, rowLine, "35-46"},
        {"x Inf", x, "         Inf    0.000000   -0.603198", 101, rowLine, "35-46"},
        {"x lone minus", x, "           -    0.000000   -0.603198", 101, rowLine, "35-46"},
        {"x lone plus", x, "           +    0.000000   -0.603198", 101, rowLine, "35-46"},
        {"x 1,5", x, "         1,5    0.000000   -0.603198", 101, rowLine, "35-46"},
        {"dx 1e99 in single precision", dx, "   1   6     1e99   0.00   0.21", 103, modeLine,
         "13-18"},
        {"dx NaN", dx, "   1   6      NaN   0.00   0.21", 101, modeLine, "13-18"},
        {"frequency -1e999", frequency, " Frequencies --     -1e999", 103, frequencyLine, "16-27"},
        {"frequency Inf", frequency, " Frequencies --       -Inf", 101, frequencyLine, "16-27"},
    };
    for (const Case& c : cases) {
        const std::string file =
            write("numbers.out", replaced(text, c.from, c.to, c.from != frequency));
        Reading r;
        readPipeline(file, r, 4);
        EXPECT_TRUE(endedWith(
            r.end, c.code, {file + ", line " + std::to_string(c.line) + ", columns " + c.columns}))
            << c.what;
    }
    // Below the range a value goes to 0; a negative zero frequency is not negative.
    std::string tiny = replaced(text, x, "      1e-999    0.000000   -0.603198");
    tiny = replaced(tiny, dx, "   1   6    1e-99   0.00   0.21");
    tiny = replaced(tiny, frequency, " Frequencies --     -0.0000", false);
    Reading r;
    readPipeline(write("tiny.out", tiny), r, 4);
    ASSERT_FALSE(r.end.ended) << r.end.diagnostic();
    EXPECT_EQ(r.geometry[0][1], 0.0);
    EXPECT_EQ(r.modes[0][1], 0.0f);
    EXPECT_EQ(r.frequency, 0.0);
    EXPECT_FALSE(r.frequency < 0.0);
}

TEST_F(Damaged, AtomRowsUpToAndBeyondTheTables) {
    using testsupport::Atom;
    for (const int rows : {1000, 1001, 5000}) {
        std::vector<Atom> atoms(std::size_t(rows), Atom{6, 0.0, 0.0, 0.0});
        atoms.back() = Atom{8, -1000.5, -99.25, -10.413637};
        const std::string file = write("rows.out", testsupport::orientationTable(atoms));
        Reading r;
        readPipeline(file, r, 1);
        if (rows == 1000) {
            // Every row is read; the file then has no mode block.
            EXPECT_EQ(r.atoms, 1000);
            EXPECT_TRUE(endedWith(r.end, 104, {file, "\"Atom AN\" line of normal-mode block 1"}));
            EXPECT_EQ(r.geometry[999][0], 8.0);
            EXPECT_EQ(r.geometry[999][1], -1000.5);
            EXPECT_EQ(r.geometry[999][2], -99.25);
            EXPECT_EQ(r.geometry[999][3], -10.413637);
        } else {
            EXPECT_TRUE(endedWith(r.end, 109, {file, "more than 1000 atom rows"})) << rows;
            EXPECT_EQ(r.atoms, -1) << "no count is handed out";
        }
    }
}

TEST_F(Damaged, TablesAndModeBlocksThatStopShort) {
    using testsupport::orientationTable;
    const std::string keywordOnly = write("keyword.out", " Standard orientation:\n");
    Reading a;
    readPipeline(keywordOnly, a);
    EXPECT_TRUE(endedWith(a.end, 104, {keywordOnly + " after line 1 ", noRules}));
    const std::string oneRule =
        write("one-rule.out", " Standard orientation:\n ---------\n Center\n");
    Reading b;
    readPipeline(oneRule, b);
    EXPECT_TRUE(endedWith(b.end, 104, {oneRule + " after line 3 ", noRules}));
    std::string table = orientationTable({{8, 0, 0, 0.1}, {1, 0, 0.7, -0.5}, {1, 0, -0.7, -0.5}});
    const std::string open = write("open.out", table.substr(0, table.rfind(" ---")));
    Reading c;
    readPipeline(open, c);
    EXPECT_TRUE(endedWith(c.end, 104, {open + " after line 8 ", unclosed}));

    // Fewer mode rows than atoms at the end of the file.
    const std::string text = readFile(exampleFile("formaldehyde-freq.out"));
    const std::string lastRow = "   4   1     0.70   0.00   0.00";
    const std::string shortBlock = write("short-block.out", text.substr(0, text.find(lastRow)));
    Reading d;
    readPipeline(shortBlock, d, 1);
    EXPECT_TRUE(endedWith(d.end, 104,
                          {shortBlock + " after line " + std::to_string(lineOf(text, lastRow) - 1),
                           "rows of normal-mode block 1"}));
    // Fewer rows followed by the rest of the listing: the lines after the block are read as
    // rows, as Gaussian's row order is taken on trust: the modes' number line reads as a row
    // of numbers; the symmetry line after it is no row and fails.
    const std::string dropped =
        replaced(text, lastRow + "     0.00  -0.23   0.66     0.00  -0.24   0.63\n", "", false);
    const std::string one = write("dropped-row.out", dropped);
    Reading e;
    readPipeline(one, e, 1);
    ASSERT_FALSE(e.end.ended) << e.end.diagnostic();
    // "                     4" puts the mode number 4 in column 22, inside the dy field
    // 20-25: without a point its last two digits are decimals, so dy reads as 0.04.
    EXPECT_EQ(e.modes[3][0], 0.0f);
    EXPECT_EQ(e.modes[3][1], 0.0f);
    EXPECT_EQ(e.modes[3][2], 0.04f);
    EXPECT_EQ(e.modes[3][3], 0.0f);
    const std::string twoDropped = replaced(
        dropped, "   3   1     0.70   0.00   0.00     0.00  -0.23  -0.66     0.00   0.24   0.63\n",
        "", false);
    const std::string two = write("dropped-rows.out", twoDropped);
    Reading f;
    readPipeline(two, f, 1);
    EXPECT_TRUE(endedWith(
        f.end, 101,
        {two + ", line " + std::to_string(lineOf(twoDropped, " A1 ", false)) + ", columns 20-25",
         "\"A1\" is not a number"}));
}

TEST_F(Damaged, ADirectoryAndAnEmptyFile) {
    const std::string directory = dir.file("listing.out");
    std::filesystem::create_directory(directory);
    Reading d;
    readPipeline(directory, d);
    EXPECT_TRUE(endedWith(d.end, 105, {"cannot read " + directory + ": Is a directory"}));
    EXPECT_TRUE(std::filesystem::is_empty(directory));

    // An empty file is no Gaussian output, nor any other format's.
    const std::string empty = write("empty.out", "");
    Reading e;
    readPipeline(empty, e);
    EXPECT_TRUE(endedWith(e.end, 109, {empty + " fits no format Molvane reads; looked for"}));
    EXPECT_EQ(std::filesystem::file_size(empty), 0u);
}
