// The shared layer of the blank-separated readers: strict numbers and fields, element
// symbols and weights, the diagnostics naming the file and the line, and the rules that pick
// the vibrations out of what a file lists and bring vectors to unit length.
#include "reader/format_support.h"

#include "tests/support/guarded_run.h"
#include "tests/support/scratch.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace reader::scan;
using testsupport::ScratchDir;

namespace {

TEST(Numbers, RealsTakeSignPointAndExponentLettersAndNothingElse) {
    struct Case {
        const char* text;
        double value;
    };
    for (const Case& c : {Case{"1.5", 1.5}, Case{"-0.5E+02", -50.0}, Case{"1.0D-3", 0.001},
                          Case{"2d2", 200.0}, Case{".5", 0.5}, Case{"5.", 5.0}, Case{"+7", 7.0},
                          Case{"-0.0", 0.0}, Case{"1e-400", 0.0}}) {
        double v = -99.0;
        EXPECT_TRUE(toReal(c.text, v)) << c.text;
        EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
    for (const char* bad : {"", "+", "-", ".", "e5", "1e", "1e+", "1.2.3", "nan", "inf", "-Inf",
                            "0x1p3", "1,5", " 1", "1 ", "1.5i", "12-3", "1e999", "--1"}) {
        double v = -99.0;
        EXPECT_FALSE(toReal(bad, v)) << bad;
        EXPECT_EQ(v, -99.0) << "changed by " << bad;
    }
    int n = 0;
    EXPECT_TRUE(toInteger("-2147483648", n));
    EXPECT_EQ(n, -2147483647 - 1);
    EXPECT_TRUE(toInteger("+42", n));
    EXPECT_EQ(n, 42);
    for (const char* bad : {"", "-", "2147483648", "1.0", "1e3", "9999999999999999999999", "4a"})
        EXPECT_FALSE(toInteger(bad, n)) << bad;
}

TEST(Numbers, WavenumbersImaginaryByAnIBeforeOrAfter) {
    double v = 0.0;
    for (const char* imaginary : {"i123.45", "123.45i", "-123.45"}) {
        EXPECT_TRUE(toWavenumber(imaginary, v)) << imaginary;
        EXPECT_DOUBLE_EQ(v, -123.45) << imaginary;
    }
    EXPECT_TRUE(toWavenumber("2016.19", v));
    EXPECT_DOUBLE_EQ(v, 2016.19);
    for (const char* bad : {"i", "ii1.0", "i1.0i", "1.0 i", "i-", "1.0j"})
        EXPECT_FALSE(toWavenumber(bad, v)) << bad;
}

TEST(Fields, BlanksAndTabsCutAndTheCountGoesOnPastCapacity) {
    std::string_view fields[3];
    EXPECT_EQ(splitFields("  C \t 12.011   -1.5e-3\t", fields, 3), 3);
    EXPECT_EQ(fields[0], "C");
    EXPECT_EQ(fields[1], "12.011");
    EXPECT_EQ(fields[2], "-1.5e-3");
    EXPECT_EQ(splitFields("a b c d e", fields, 3), 5);
    EXPECT_EQ(fields[2], "c");
    EXPECT_EQ(splitFields("   ", fields, 3), 0);
    EXPECT_TRUE(equalsIgnoringCase("[FR-NORM-COORD]", "[fr-norm-coord]"));
    EXPECT_FALSE(equalsIgnoringCase("[FREQ]", "[FREQ] "));
}

TEST(Elements, SymbolsInAnyCaseWithLabelsAndStandardWeights) {
    struct Case {
        const char* symbol;
        int number;
    };
    for (const Case& c : {Case{"H", 1}, Case{"C", 6}, Case{"cl", 17}, Case{"CL", 17}, Case{"C1", 6},
                          Case{"H12", 1}, Case{"Fe_a", 26}, Case{"Og", 118}, Case{"Co", 27},
                          Case{"X", 0}, Case{"Q", 0}, Case{"1C", 0}, Case{"", 0}})
        EXPECT_EQ(atomicNumberOfSymbol(c.symbol), c.number) << c.symbol;
    EXPECT_DOUBLE_EQ(standardAtomicWeight(1), 1.008);
    EXPECT_DOUBLE_EQ(standardAtomicWeight(6), 12.011);
    EXPECT_DOUBLE_EQ(standardAtomicWeight(8), 15.999);
    EXPECT_DOUBLE_EQ(standardAtomicWeight(17), 35.45);
    EXPECT_DOUBLE_EQ(standardAtomicWeight(92), 238.02891);
    EXPECT_DOUBLE_EQ(standardAtomicWeight(118), 294.0);
    EXPECT_EQ(standardAtomicWeight(0), 0.0);
    EXPECT_EQ(standardAtomicWeight(119), 0.0);
    // Weights grow with the atomic number but for the four known inversions (Ar-K, Co-Ni,
    // Te-I, Th-Pa) up to uranium.
    int inversions = 0;
    for (int z = 2; z <= 92; ++z)
        if (standardAtomicWeight(z) < standardAtomicWeight(z - 1)) ++inversions;
    EXPECT_EQ(inversions, 4);
}

// Reads `text` as the file `name` line by line to line `upTo`, then calls fail.
template <class F>
testsupport::RunEnd failAt(ScratchDir& dir, const std::string& text, int upTo, F fail) {
    const std::string file = dir.write("x.out", text);
    return testsupport::guarded([&] {
        open(file, "test");
        std::string_view line;
        for (int i = 0; i < upTo; ++i) nextLine(line);
        fail(line);
    });
}

TEST(Diagnostics, NameTheFileTheLineAndWhatWasExpected) {
    ScratchDir dir;
    const std::string file = dir.file("x.out");
    testsupport::RunEnd end =
        failAt(dir, "one\n\t 2\t0.5 x7 \nthree\n", 2,
               [](std::string_view line) { failExpected("3 numbers of a coordinate row", line); });
    EXPECT_EQ(end.status, -1);
    EXPECT_EQ(end.diagnostic(), "*ERR* 109 " + file +
                                    ", line 2: expected 3 numbers of a coordinate row, found "
                                    "\"2\\x090.5 x7\"\r\n");
    const std::string longLine(100, 'w');
    end = failAt(dir, longLine + "\n", 1,
                 [](std::string_view line) { failExpected("a section name", line); });
    EXPECT_EQ(end.diagnostic(), "*ERR* 109 " + file +
                                    ", line 1: expected a section name, found \"" +
                                    std::string(60, 'w') + "...\"\r\n");
    end = failAt(dir, "a\nb\n", 3, [](std::string_view) { failEnded("the [FREQ] section"); });
    EXPECT_EQ(end.diagnostic(),
              "*ERR* 109 " + file + " ends at line 2 while the [FREQ] section was read\r\n");
    end = failAt(dir, "a\n", 0, [](std::string_view) { failFile("holds no Vib-E2 record"); });
    EXPECT_EQ(end.diagnostic(), "*ERR* 109 " + file + ": holds no Vib-E2 record\r\n");

    // Lines passed over by a skip are counted; the keyword found tells which one it was.
    std::string text;
    for (int i = 1; i <= 3000; ++i) text += " row " + std::to_string(i) + "\n";
    text += " $normal_modes\n";
    end = failAt(dir, text, 1, [](std::string_view) {
        std::string_view line;
        int which = -1;
        EXPECT_TRUE(skipToLineHolding({"[FREQ]", "$normal_modes"}, line, which));
        EXPECT_EQ(which, 1);
        EXPECT_EQ(lineNumber(), 3001);
        EXPECT_FALSE(skipToLineHolding({"[FREQ]"}, line, which));
        failEnded("the normal modes");
    });
    EXPECT_EQ(end.diagnostic(),
              "*ERR* 109 " + file + " ends at line 3001 while the normal modes was read\r\n");
}

// A geometry of `n` atoms along x, bent by `offset` Angstrom at the middle atom.
FormatResult chain(int n, double offset) {
    FormatResult r;
    r.atomCount = n;
    for (int i = 0; i < n; ++i) {
        r.geometry[i][0] = 6;
        r.geometry[i][1] = 1.2 * i;
        r.geometry[i][2] = i == n / 2 ? offset : 0.0;
        r.geometry[i][3] = 0.0;
    }
    return r;
}

std::vector<int> selected(const FormatResult& r) {
    static int kept[reader::modeCapacity];
    const int count = selectVibrations(r, kept);
    return std::vector<int>(kept, kept + count);
}

void list(FormatResult& r, std::vector<double> frequencies) {
    r.listed = int(frequencies.size());
    for (std::size_t i = 0; i < frequencies.size(); ++i) r.frequency[i] = frequencies[i];
}

TEST(SelectVibrations, TranslationsAndRotationsAreTheSmallestAbsoluteFrequencies) {
    // Water as ORCA lists it: six zeros first.
    FormatResult water = chain(3, 0.8);
    list(water, {0, 0, 0, 0, 0, 0, 1600, 3800, 3900});
    EXPECT_EQ(selected(water), (std::vector<int>{6, 7, 8}));
    // Small non-zero values among them, and an imaginary mode larger than they are.
    list(water, {-12.5, 3.1, -900.0, 0.4, -0.2, 7.9, 1600, 0.0, 3900});
    EXPECT_EQ(selected(water), (std::vector<int>{2, 6, 8}));
    // A file that lists only the vibrations keeps them all, zeros included.
    list(water, {0.0, 1600, 3900});
    EXPECT_EQ(selected(water), (std::vector<int>{0, 1, 2}));
    list(water, {1600, 3900});
    EXPECT_EQ(selected(water), (std::vector<int>{0, 1}));
    // Equal absolute frequencies: the earlier entries go first.
    list(water, {5, -5, 5, -5, 5, -5, 5, 1600, 3900});
    EXPECT_EQ(selected(water), (std::vector<int>{6, 7, 8}));
}

TEST(SelectVibrations, APartialHessianKeepsEveryEntry) {
    // Four atoms, one held fixed: nine modes of the other three, none a translation.
    FormatResult fixed = chain(4, 0.8);
    list(fixed, {0.5, 1.5, 3, 100, 200, 300, 400, 500, 600});
    fixed.activeAtomsOnly = true;
    EXPECT_EQ(selected(fixed).size(), 9u);
    fixed.activeAtomsOnly = false;
    EXPECT_EQ(selected(fixed), (std::vector<int>{3, 4, 5, 6, 7, 8}));
}

TEST(SelectVibrations, LinearMoleculesDiatomicsAndSingleAtoms) {
    FormatResult co2 = chain(3, 0.0);
    list(co2, {0, 0, 0, 0, 0, 667, 667, 1388, 2349});
    EXPECT_EQ(selected(co2), (std::vector<int>{5, 6, 7, 8}));
    // Within 1e-4 Angstrom of the line still counts as linear; 2e-4 does not.
    FormatResult almost = chain(3, 0.5e-4);
    list(almost, {0, 0, 0, 0, 0, 667, 667, 1388, 2349});
    EXPECT_EQ(selected(almost).size(), 4u);
    FormatResult bent = chain(3, 2e-4);
    list(bent, {0, 0, 0, 0, 0, 667, 667, 1388, 2349});
    EXPECT_EQ(selected(bent), (std::vector<int>{6, 7, 8}));
    FormatResult hcl = chain(2, 0.0);
    list(hcl, {0, 0, 0, 0, 0, 2990});
    EXPECT_EQ(selected(hcl), (std::vector<int>{5}));
    FormatResult atom = chain(1, 0.0);
    list(atom, {0, 0, 0});
    EXPECT_TRUE(selected(atom).empty());
    EXPECT_TRUE(isLinear(atom.geometry, 1));
    // Every atom in one place is no plane either.
    FormatResult pile = chain(4, 0.0);
    for (int i = 0; i < 4; ++i) pile.geometry[i][1] = 0.0;
    EXPECT_TRUE(isLinear(pile.geometry, 4));
    // A line off the axes.
    FormatResult slanted = chain(4, 0.0);
    for (int i = 0; i < 4; ++i) {
        slanted.geometry[i][2] = -0.7 * i + 3.0;
        slanted.geometry[i][3] = 0.3 * i;
    }
    EXPECT_TRUE(isLinear(slanted.geometry, 4));
    slanted.geometry[3][3] += 1e-3;
    EXPECT_FALSE(isLinear(slanted.geometry, 4));
}

TEST(Normalise, UnitLengthOverEveryComponentAtomicNumbersKept) {
    reader::AtomTable v = {{8, 0.0f, 0.0f, 3.0f}, {1, 0.0f, 4.0f, 0.0f}, {1, 0.0f, 0.0f, 0.0f}};
    normalise(v, 3);
    EXPECT_EQ(v[0][0], 8.0f);
    EXPECT_FLOAT_EQ(v[0][3], 0.6f);
    EXPECT_FLOAT_EQ(v[1][2], 0.8f);
    EXPECT_EQ(v[2][1], 0.0f);
    reader::AtomTable zero = {{6, 0.0f, 0.0f, 0.0f}};
    normalise(zero, 1);
    EXPECT_EQ(zero[0][0], 6.0f);
    EXPECT_EQ(zero[0][3], 0.0f);
    // Large and tiny values alike.
    reader::AtomTable large = {{6, 3e30f, 4e30f, 0.0f}, {6, 1e-30f, 0.0f, 0.0f}};
    normalise(large, 2);
    EXPECT_FLOAT_EQ(large[0][1], 0.6f);
    EXPECT_FLOAT_EQ(large[0][2], 0.8f);
}

} // namespace
