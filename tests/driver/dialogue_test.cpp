// Whole console runs, compared byte for byte: the dialogue alone through the test runner,
// and the real molvane binary on the paths that end before any window opens.
#include "tests/driver/transcript.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

const std::string runner = DIALOGUE_RUNNER;
const std::string molvane = MOLVANE_BINARY;
const std::string missingBlock = "\"Atom AN\" line of normal-mode block 1";

class Dialogue : public testing::Test {
  protected:
    void settings(const std::string& name) {
        dir.write("filename.dat", "Filename:" + name + "\r\n");
    }
    void example(const std::string& name) {
        dir.copyIn(exampleFile(name), name);
        settings(name);
    }
    // The transcript up to the first summary when the amplitude keeps its default.
    static std::string opening(int mode, const std::string& name) {
        return banner() + notes() + questions() + lines({empty}) + summary(mode, name, "0.50");
    }
    ProgramDir dir;
};

void expectClean(const Outcome& outcome, int status) {
    EXPECT_EQ(outcome.status, status);
    EXPECT_EQ(outcome.err, "");
}

} // namespace

TEST_F(Dialogue, WholeRunOnFormaldehyde) {
    example("formaldehyde-freq.out");
    const Outcome run = dir.run(runner, "\n4\n\n");
    expectClean(run, 0);
    EXPECT_EQ(run.out, opening(4, "formaldehyde-freq.out"));
    EXPECT_FALSE(dir.exists("newcoordinates.xyz"));
}

TEST_F(Dialogue, MissingSettingsFileIsCreatedWithOutputDat) {
    const Outcome missing = dir.run(molvane, "\n\n");
    expectClean(missing, 1);
    EXPECT_EQ(missing.out, banner() + notes() + invalidFilename());
    EXPECT_EQ(dir.read("filename.dat"), "Filename:Output.dat\r\n");

    dir.copyIn(exampleFile("formaldehyde-freq.out"), "Output.dat");
    const Outcome found = dir.run(runner, "\n1\n\n");
    expectClean(found, 0);
    EXPECT_EQ(found.out, opening(1, "Output.dat"));
}

TEST_F(Dialogue, LicenceIsShownForAnswersBeginningWithLowerCaseYes) {
    for (const char* answer : {"yes", "yes please", "yesterday"}) {
        ProgramDir run;
        const Outcome shown = run.run(runner, std::string(answer) + "\n\n\n");
        expectClean(shown, 1);
        const std::string head = banner(), tail = notes() + invalidFilename();
        ASSERT_EQ(shown.out.substr(0, head.size()), head) << answer;
        ASSERT_GT(shown.out.size(), head.size() + tail.size());
        ASSERT_EQ(shown.out.substr(shown.out.size() - tail.size()), tail) << answer;
        // Page one: the rule, the title and sections 1 to 4, 21 lines, then the pause line;
        // page two: 12 lines closed by the rule.
        std::vector<std::string> licence;
        const std::string text =
            shown.out.substr(head.size(), shown.out.size() - head.size() - tail.size());
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = text.find("\r\n", at);
            ASSERT_NE(end, std::string::npos);
            licence.push_back(text.substr(at, end - at));
            at = end + 2;
        }
        ASSERT_EQ(licence.size(), 21u + 1u + 12u + 1u) << answer;
        EXPECT_EQ(licence[0], rule);
        EXPECT_NE(licence[1].find("Software License"), std::string::npos);
        EXPECT_NE(licence[1].find("Molvane"), std::string::npos);
        EXPECT_NE(licence[1].find(MOLVANE_VERSION), std::string::npos);
        EXPECT_EQ(licence[3].substr(0, 2), "1.");
        EXPECT_EQ(licence[21], "press Enter to see the next page");
        EXPECT_EQ(licence[22].substr(0, 2), "5.");
        EXPECT_EQ(licence.back(), rule);
        for (const std::string& line : licence) EXPECT_LE(line.size(), 80u);
    }
    for (const char* answer : {"YES", "y", ""}) {
        ProgramDir run;
        const Outcome skipped = run.run(runner, std::string(answer) + "\n\n");
        expectClean(skipped, 1);
        EXPECT_EQ(skipped.out, banner() + notes() + invalidFilename()) << answer;
    }
}

TEST_F(Dialogue, AmplitudeAnswersAndRangeCheck) {
    example("formaldehyde-freq.out");
    const Outcome checked = dir.run(runner, "\n1\nn\n0\n2.5\n2\n");
    expectClean(checked, 0);
    EXPECT_EQ(checked.out, banner() + notes() + questions() + lines({"Enter Your Value", empty}) +
                               invalidAmplitude() + lines({empty}) + invalidAmplitude() +
                               lines({empty}) + summary(1, "formaldehyde-freq.out", "2.00"));

    struct Case {
        const char* answers;
        bool asksValue;
        const char* shown;
    };
    for (const Case& c :
         {Case{"no\n0.01\n", true, "0.01"}, Case{"N\n", false, "0.50"}, Case{"y\n", false, "0.50"},
          Case{"n\n,\n", true, "0.50"}, Case{"n\n\n   \n1.5 9\n", true, "1.50"},
          Case{"n\n0.125\n", true, "0.13"}}) {
        const Outcome run = dir.run(runner, std::string("\n1\n") + c.answers);
        expectClean(run, 0);
        EXPECT_EQ(run.out, banner() + notes() + questions() +
                               (c.asksValue ? lines({"Enter Your Value"}) : "") + lines({empty}) +
                               summary(1, "formaldehyde-freq.out", c.shown))
            << c.answers;
    }
}

TEST_F(Dialogue, ModeNumberIsCheckedAgainstThreeNMinusSix) {
    example("water-optfreq.out");
    const std::string name = "water-optfreq.out";
    const Outcome corrected = dir.run(runner, "\n4\n\n-1\n3\n");
    expectClean(corrected, 0);
    EXPECT_EQ(corrected.out, opening(4, name) + wrongMode() + summary(-1, name, "0.50") +
                                 wrongMode() + summary(3, name, "0.50"));

    // A 0 at the first prompt is a wrong number like any other; blank lines are skipped.
    const Outcome zero = dir.run(runner, "\n0\n\n\n  \n2\n");
    expectClean(zero, 0);
    EXPECT_EQ(zero.out, opening(0, name) + wrongMode() + summary(2, name, "0.50"));

    // "5 7" gives 5; a comma leaves the number as it was.
    const Outcome freeForm = dir.run(runner, "\n5 7\n\n,\n1\n");
    expectClean(freeForm, 0);
    EXPECT_EQ(freeForm.out, opening(5, name) + wrongMode() + summary(5, name, "0.50") +
                                wrongMode() + summary(1, name, "0.50"));
}

TEST_F(Dialogue, ZeroAtTheCorrectionPromptEndsTheRunBeforeAnyWindow) {
    example("formaldehyde-freq.out");
    const Outcome run = dir.run(molvane, "\n7\n\n0\n");
    expectClean(run, 0);
    EXPECT_EQ(run.out, opening(7, "formaldehyde-freq.out") + wrongMode());
}

TEST_F(Dialogue, NegativeFirstFrequencyWritesTheGeometryDisplacedAlongTheChosenMode) {
    example("ammonia-ts-freq.out");
    const Outcome run = dir.run(runner, "\n2\nn\n2\n");
    expectClean(run, 0);
    EXPECT_EQ(run.out, banner() + notes() + questions() + lines({"Enter Your Value", empty}) +
                           summary(2, "ammonia-ts-freq.out", "2.00") + negativeWarning());
    // Mode 2, as read and not scaled by the amplitude, subtracted from the geometry.
    const std::string rule54(54, '-');
    EXPECT_EQ(dir.read("newcoordinates.xyz"),
              lines({rule54, "Center     Atomic          Coordinates (Angstroms)    ",
                     "Number     Number           X          Y          Z   ", rule54,
                     "    1         7.       -0.080000   0.000000   0.000000",
                     "    2         1.        0.810000   0.995300   0.000000",
                     "    3         1.       -0.731955  -0.887650   0.000000",
                     "    4         1.        0.991955  -0.107650   0.000000", rule54}));
}

TEST_F(Dialogue, ZeroFirstFrequencyLeavesNewcoordinatesAlone) {
    std::string text = readFile(exampleFile("water-optfreq.out"));
    text.replace(text.find("1688.7652"), 9, "   0.0000");
    dir.write("water0.out", text);
    settings("water0.out");
    dir.write("newcoordinates.xyz", "earlier\n");
    const Outcome run = dir.run(runner, "\n1\n\n");
    expectClean(run, 0);
    EXPECT_EQ(run.out, opening(1, "water0.out"));
    EXPECT_EQ(dir.read("newcoordinates.xyz"), "earlier\n");
}

TEST_F(Dialogue, SettingsFileNameKeepsItsBlanks) {
    // No line end after the name; the summary shows all 70 characters.
    dir.write("filename.dat", "Filename:water.log");
    dir.copyIn(exampleFile("water-optfreq.out"), "water.log");
    const Outcome shortName = dir.run(runner, "\n1\n\n");
    expectClean(shortName, 0);
    EXPECT_EQ(shortName.out, opening(1, "water.log"));

    // Columns 10 to 79 exactly; column 80 on is not part of the name.
    const std::string longName = std::string(66, 'w') + ".out";
    dir.write("filename.dat", "Filename:" + longName + "IGNORED\r\n");
    dir.copyIn(exampleFile("water-optfreq.out"), longName);
    const Outcome full = dir.run(runner, "\n1\n\n");
    expectClean(full, 0);
    EXPECT_EQ(full.out, opening(1, longName));

    // A blank after the colon is kept in the name and shown, but not part of the file's name.
    dir.write("filename.dat", "Filename: water.log\r\n");
    const Outcome leading = dir.run(runner, "\n1\n\n");
    expectClean(leading, 0);
    EXPECT_EQ(leading.out, opening(1, " water.log"));
}

TEST_F(Dialogue, UnusableSettingsOrOutputFile) {
    // A line shorter than 10 columns gives an empty name; a directory is no output file.
    dir.write("filename.dat", "Filename\r\n");
    const Outcome shortLine = dir.run(runner, "\n\n");
    expectClean(shortLine, 1);
    EXPECT_EQ(shortLine.out, banner() + notes() + invalidFilename());
    std::filesystem::create_directory(dir.file("results"));
    settings("results");
    const Outcome directory = dir.run(runner, "\n\n");
    expectClean(directory, 1);
    EXPECT_EQ(directory.out, banner() + notes() + invalidFilename());

    // An empty settings file ends the run before the banner.
    dir.write("filename.dat", "");
    const Outcome empty = dir.run(molvane, "\n");
    EXPECT_EQ(empty.status, 255);
    EXPECT_EQ(empty.out, "");
    EXPECT_EQ(empty.err.rfind("*ERR* 104 ", 0), 0u) << empty.err;
    EXPECT_NE(empty.err.find("filename.dat"), std::string::npos) << empty.err;

    // A settings file that cannot be created.
    std::filesystem::remove(dir.file("filename.dat"));
    std::filesystem::create_directory(dir.file("filename.dat"));
    const Outcome uncreatable = dir.run(molvane, "\n");
    EXPECT_EQ(uncreatable.status, 255);
    EXPECT_EQ(uncreatable.out, "");
    EXPECT_EQ(uncreatable.err.rfind("*ERR* 105 ", 0), 0u) << uncreatable.err;
}

TEST_F(Dialogue, BadInputEndsTheRunWithOneDiagnostic) {
    example("formaldehyde-freq.out");
    const std::string modePrompt = banner() + notes() + lines({"Enter The Normal Mode Number"});
    struct Case {
        const char* input;
        const char* code;
    };
    for (const Case& c : {Case{"\nabc\n", "*ERR* 101 "}, Case{"\n3.5\n", "*ERR* 101 "},
                          Case{"\ntwo\n", "*ERR* 107 "}, Case{"\n99999999999\n", "*ERR* 102 "},
                          Case{"\n", "*ERR* 104 "}}) {
        const Outcome run = dir.run(molvane, c.input);
        EXPECT_EQ(run.status, 255) << c.input;
        EXPECT_EQ(run.out, modePrompt) << c.input;
        EXPECT_EQ(run.err.rfind(c.code, 0), 0u) << c.input << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
    }
    const Outcome amplitude = dir.run(molvane, "\n1\nn\n0.5x\n");
    EXPECT_EQ(amplitude.status, 255);
    EXPECT_EQ(amplitude.err.rfind("*ERR* 101 ", 0), 0u) << amplitude.err;
}

TEST_F(Dialogue, BrokenOutputFilesEndTheRunWithOneDiagnostic) {
    std::string text = readFile(exampleFile("formaldehyde-freq.out"));
    text.replace(text.rfind("   -0.939359"), 12, "   -0.93x359");
    dir.write("garbled.out", text);
    settings("garbled.out");
    const Outcome garbled = dir.run(molvane, "\n1\n\n");
    EXPECT_EQ(garbled.status, 255);
    EXPECT_EQ(garbled.out, opening(1, "garbled.out"));
    EXPECT_EQ(garbled.err.rfind("*ERR* 101 ", 0), 0u) << garbled.err;
    EXPECT_NE(garbled.err.find("garbled.out"), std::string::npos) << garbled.err;

    dir.write("big.out", orientationTable(std::vector<Atom>(1001, Atom{6, 0.0, 0.0, 0.0})));
    settings("big.out");
    const Outcome big = dir.run(molvane, "\n1\n\n");
    EXPECT_EQ(big.status, 255);
    EXPECT_EQ(big.out, opening(1, "big.out"));
    EXPECT_EQ(big.err.rfind("*ERR* 109 ", 0), 0u) << big.err;

    text = readFile(exampleFile("formaldehyde-freq.out"));
    dir.write("cut.out", text.substr(0, text.find(" Harmonic frequencies")));
    settings("cut.out");
    const Outcome cut = dir.run(molvane, "\n1\n\n");
    EXPECT_EQ(cut.status, 255);
    EXPECT_NE(cut.err.find(missingBlock), std::string::npos) << cut.err;
}

// A Molden file of a transition state, all nine entries listed, in bohr, its vectors not of
// unit length: modes 1..3 are asked for, and the export takes the rescaled vector.
TEST_F(Dialogue, OtherFormatsOfferTheirVibrationsAndExportAsGaussian) {
    dir.write(
        "ts.molden", "[Molden Format]\n[FREQ]\n0.0\n0.0\n0.0\n0.0\n0.0\n0.0\n"
                     "-1600.0\n3700.0\n3800.0\n"
                     "[FR-COORD]\nO 0.0 0.0 0.221664\nH 0.0 1.430901 -0.886662\n"
                     "H 0.0 -1.430901 -0.886662\n[FR-NORM-COORD]\n" +
                         [] {
                             std::string modes;
                             for (int v = 1; v <= 9; ++v) {
                                 modes += "vibration " + std::to_string(v) + "\n";
                                 modes += v == 8 ? "0.0 0.0 0.1\n0.0 1.16 -0.8\n0.0 -1.16 "
                                                   "-0.8\n"
                                                 : "0.0 0.0 0.3\n0.0 0.5 0.2\n0.0 -0.5 0.2\n";
                             }
                             return modes;
                         }());
    settings("ts.molden");
    const Outcome run = dir.run(runner, "\n5\n\n2\n");
    expectClean(run, 0);
    EXPECT_EQ(run.out, opening(5, "ts.molden") + wrongMode() + summary(2, "ts.molden", "0.50") +
                           negativeWarning());
    const std::string rule54(54, '-');
    EXPECT_EQ(dir.read("newcoordinates.xyz"),
              lines({rule54, "Center     Atomic          Coordinates (Angstroms)    ",
                     "Number     Number           X          Y          Z   ", rule54,
                     "    1         8.        0.000000   0.000000   0.067182",
                     "    2         1.        0.000000   0.175832  -0.068258",
                     "    3         1.        0.000000  -0.175832  -0.068258", rule54}));

    // A file no format claims ends after the summary with one line naming the formats.
    dir.write("notes.txt", "what I computed last week\n");
    settings("notes.txt");
    const Outcome plain = dir.run(molvane, "\n1\n\n");
    EXPECT_EQ(plain.status, 255);
    EXPECT_EQ(plain.out, opening(1, "notes.txt"));
    EXPECT_EQ(plain.err.rfind("*ERR* 109 notes.txt fits no format Molvane reads; looked for "
                              "Gaussian output, xtb g98.out, ",
                              0),
              0u)
        << plain.err;
}

// xtb's g98.out goes Gaussian's way, modes 1..3N-6, with its mass weighting undone before the
// export: O 0.28, H 0.40 and 0.55 as printed move O by 0.073, H by 0.415 and 0.570.
TEST_F(Dialogue, XtbVectorsAreExportedWithoutTheirMassWeighting) {
    dir.write(
        "g98.out",
        " Entering Gaussian System\n *****\n Gaussian 98:\n"
        " frequency output generated by the xtb code\n *****\n" +
            orientationTable({{8, 0, 0, 0.117}, {1, 0, 0.757, -0.469}, {1, 0, -0.757, -0.469}}) +
            harmonicHeading +
            modeBlock({-1595.0, 3700.0, 3800.0}, {8, 1, 1},
                      {{0, 0, -0.28, 0, 0, 0.2, 0, -0.2, 0},
                       {0, 0.40, 0.55, 0, 0.6, -0.4, 0, 0.5, -0.4},
                       {0, -0.40, 0.55, 0, -0.6, -0.4, 0, 0.5, 0.4}}));
    settings("g98.out");
    const Outcome run = dir.run(runner, "\n4\n\n1\n");
    expectClean(run, 0);
    EXPECT_EQ(run.out, opening(4, "g98.out") + wrongMode() + summary(1, "g98.out", "0.50") +
                           negativeWarning());
    const std::string rule54(54, '-');
    EXPECT_EQ(dir.read("newcoordinates.xyz"),
              lines({rule54, "Center     Atomic          Coordinates (Angstroms)    ",
                     "Number     Number           X          Y          Z   ", rule54,
                     "    1         8.        0.000000   0.000000   0.189881",
                     "    2         1.        0.000000   0.342206  -1.039342",
                     "    3         1.        0.000000  -0.342206  -1.039342", rule54}));
}

// Real Gaussian listings (tests/data), and small ones written here in their layouts.
class RealListingRuns : public Dialogue {
  protected:
    void sample(const std::string& name) {
        dir.copyIn(sampleFile(name), name);
        settings(name);
    }
};

TEST_F(RealListingRuns, HighPrecisionModesBeforeTheOrdinaryOnes) {
    sample("g03-nosymm-ts.log");
    const Outcome run = dir.run(runner, "\n15\n\n");
    expectClean(run, 0);
    EXPECT_EQ(run.out, opening(15, "g03-nosymm-ts.log") + negativeWarning());
}

TEST_F(RealListingRuns, TwoAtomsLeaveNoModeToChoose) {
    // A diatomic: 3N-6 = 0, so no mode number is accepted and only 0 leads out.
    const std::string name = "h2.log";
    dir.write(name, orientationTable({{1, 0, 0, 0.4}, {1, 0, 0, -0.4}}) + harmonicHeading +
                        modeBlock({-1407.9574}, {1, 1}, {{0, 0, 0.71}, {0, 0, -0.71}}));
    settings(name);
    const Outcome run = dir.run(molvane, "\n1\n\n1\n0\n");
    expectClean(run, 0);
    EXPECT_EQ(run.out, opening(1, name) + wrongMode() + summary(1, name, "0.50") + wrongMode());
}

TEST_F(RealListingRuns, FilesWithoutModeBlocksEndWithTheMissingHeader) {
    // CR LF line ends, a geometry and no frequencies.
    std::string text;
    for (char c : orientationTable({{8, 0, 0, 0.117}, {1, 0, 0.757, -0.469}, {1, 0, -0.757, 0}}))
        text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const char* name = "crlf-nofreq.out";
    dir.write(name, text + " Normal termination of Gaussian 98.\r\n");
    settings(name);
    const Outcome run = dir.run(molvane, "\n1\n\n");
    EXPECT_EQ(run.status, 255) << name;
    EXPECT_EQ(run.out, opening(1, name));
    EXPECT_EQ(run.err.rfind("*ERR* 104 ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(missingBlock), std::string::npos) << run.err;
}

TEST_F(RealListingRuns, Gaussian16JobReadsToTheEnd) {
    // Gaussian 16 heads its mode blocks "Atom  AN" and prints wider columns: read in those.
    sample("g16-dvb-hpmodes.out");
    const Outcome run = dir.run(runner, "\n54\n\n");
    expectClean(run, 0);
    EXPECT_EQ(run.out, opening(54, "g16-dvb-hpmodes.out"));
}
