// molvane --list on the bundled examples and on real outputs (tests/data), checked against the
// numbers as the files print them; and where the file
// comes from and what happens when there is none.
#include "tests/driver/transcript.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace testsupport;

namespace {

const std::string molvane = MOLVANE_BINARY;

Outcome list(const ProgramDir& dir, const std::string& arguments) {
    return dir.run(molvane, "", "--list " + arguments + " <&-");
}

// The fields of each line of --list: number, frequency, "cm**-1", [intensity, "km/mol"],
// ["imaginary"].
std::vector<std::vector<std::string>> fieldsOf(const std::string& out) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.back(), '\r') << line;
        std::istringstream words(line);
        std::vector<std::string> row;
        for (std::string word; words >> word;) row.push_back(word);
        rows.push_back(row);
    }
    return rows;
}

// The tokens after "--" on the lines of a Gaussian output that start with `label` (as
// " Frequencies --" or " IR Inten    --"), in the first section of ordinary normal-mode blocks.
std::vector<std::string> gaussianValues(const std::string& text, const std::string& label) {
    std::vector<std::string> values;
    std::istringstream lines(text);
    bool inSection = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.find("Harmonic frequencies") != std::string::npos) {
            if (!values.empty()) break;
            inSection = true;
        }
        if (line.find("- Thermochemistry -") != std::string::npos && !values.empty()) break;
        if (!inSection || line.rfind(label, 0) != 0) continue;
        std::istringstream words(line.substr(label.size()));
        for (std::string word; words >> word;) values.push_back(word);
    }
    return values;
}

TEST(ModeList, BundledExamplesAsTheirFilesPrintThem) {
    ProgramDir dir;
    dir.copyIn(exampleFile("ammonia-ts-freq.out"), "ammonia-ts-freq.out");
    const Outcome run = list(dir, "ammonia-ts-freq.out");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    // Frequencies --  -905.0292  1670.7672  1670.7672 / 3482.1464  3669.9091  3669.9091
    // IR Inten    --   352.6105    23.1184    23.1184 /    0.0000    14.8713    14.8713
    const std::string text = readFile(exampleFile("ammonia-ts-freq.out"));
    const std::vector<std::string> frequencies = gaussianValues(text, " Frequencies --");
    const std::vector<std::string> intensities = gaussianValues(text, " IR Inten    --");
    ASSERT_EQ(frequencies.size(), 6u);
    EXPECT_EQ(run.out.substr(0, 58),
              "    1     -905.0292 cm**-1    352.6105 km/mol  imaginary\r\n");
    const auto rows = fieldsOf(run.out);
    ASSERT_EQ(rows.size(), 6u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), i == 0 ? 6u : 5u) << i;
        EXPECT_EQ(rows[i][0], std::to_string(i + 1));
        EXPECT_EQ(rows[i][1], frequencies[i]);
        EXPECT_EQ(rows[i][2], "cm**-1");
        EXPECT_EQ(rows[i][3], intensities[i]);
        EXPECT_EQ(rows[i][4], "km/mol");
    }
    EXPECT_EQ(dir.snapshot().size(), 1u) << "--list wrote a file";
}

TEST(ModeList, TheFileComesFromFilenameDatWhichIsNotCreated) {
    ProgramDir dir;
    dir.copyIn(exampleFile("water-optfreq.out"), "water.log");
    dir.write("filename.dat", "Filename:water.log\r\n");
    const Outcome named = list(dir, "");
    EXPECT_EQ(named.status, 0);
    EXPECT_EQ(named.out, "    1     1688.7652 cm**-1     75.4513 km/mol\r\n"
                         "    2     3852.0432 cm**-1      4.7617 km/mol\r\n"
                         "    3     3904.9564 cm**-1     20.9906 km/mol\r\n");

    ProgramDir empty;
    const Outcome none = list(empty, "");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "molvane: cannot read the output file \"Output.dat\"\n");
    EXPECT_TRUE(empty.snapshot().empty()) << "filename.dat created";
    const Outcome missing = list(empty, "water.log");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "molvane: cannot read the output file \"water.log\"\n");
    for (const char* bad : {"--gif x.gif", "--mode 1", "--amplitude 1"}) {
        const Outcome refused = list(dir, std::string(bad) + " water.log");
        EXPECT_EQ(refused.status, 2) << bad;
        EXPECT_EQ(refused.out, "") << bad;
    }
}

TEST(ModeList, RealGaussianOutputsOfEveryVersion) {
    // Every listing with frequencies: Gaussian 03 and 16 with high-precision modes, xtb's
    // Gaussian 98 columns, and the examples.
    for (const std::string& name :
         {sampleFile("g03-nosymm-ts.log"), sampleFile("g16-dvb-hpmodes.out"),
          programSampleFile("xtb6.6.1-dvb-ir-g98.out"), exampleFile("formaldehyde-freq.out"),
          exampleFile("water-optfreq.out"), exampleFile("ammonia-ts-freq.out")}) {
        ProgramDir dir;
        const Outcome run = list(dir, name);
        EXPECT_EQ(run.status, 0) << name << ": " << run.err;
        const std::string text = readFile(name);
        const std::vector<std::string> frequencies = gaussianValues(text, " Frequencies --");
        const std::vector<std::string> intensities = gaussianValues(text, " IR Inten    --");
        const auto rows = fieldsOf(run.out);
        ASSERT_EQ(rows.size(), frequencies.size()) << name;
        ASSERT_EQ(intensities.size(), frequencies.size()) << name;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const bool imaginary = frequencies[i][0] == '-';
            ASSERT_EQ(rows[i].size(), imaginary ? 6u : 5u) << name << " " << i;
            EXPECT_EQ(rows[i][1], frequencies[i]) << name << " mode " << i + 1;
            EXPECT_EQ(rows[i][3], intensities[i]) << name << " mode " << i + 1;
            if (imaginary) {
                EXPECT_EQ(rows[i][5], "imaginary") << name;
            }
        }
    }
    // A few, as read off the files: the counts and the imaginary modes.
    ProgramDir dir;
    EXPECT_EQ(fieldsOf(list(dir, sampleFile("g16-dvb-hpmodes.out")).out).size(), 54u);
    EXPECT_EQ(list(dir, sampleFile("g03-nosymm-ts.log")).out.substr(0, 58),
              "    1     -757.8102 cm**-1     13.3310 km/mol  imaginary\r\n");
}

// Another program's output: the lines of --list, or a skip while its reader is still to come.
std::vector<std::vector<std::string>> otherProgram(const std::string& name) {
    ProgramDir dir;
    const Outcome run = list(dir, programSampleFile(name));
    if (run.err.find("is not built yet") != std::string::npos) return {};
    EXPECT_EQ(run.status, 0) << name << ": " << run.err;
    return fieldsOf(run.out);
}

TEST(ModeList, RealOutputsOfOtherPrograms) {
    int read = 0;
    // xtb's g98.out: Gaussian 98 columns, 54 vibrations of divinylbenzene.
    //  Frequencies --    26.1517                39.7670               119.2054
    //  IR Inten    --     0.0024                 0.0000                 0.2011
    auto rows = otherProgram("xtb6.6.1-dvb-ir-g98.out");
    if (!rows.empty()) {
        ++read;
        ASSERT_EQ(rows.size(), 54u);
        EXPECT_EQ(rows[0][1], "26.1517");
        EXPECT_EQ(rows[0][3], "0.0024");
        EXPECT_EQ(rows[2][1], "119.2054");
    }
    // GAMESS: "FREQUENCY: 825.18 I 3.88 0.02 0.68 46.87" and six near-zero modes left out.
    rows = otherProgram("gamess2018-nh3-ts-ir.out");
    if (!rows.empty()) {
        ++read;
        ASSERT_EQ(rows.size(), 6u);
        EXPECT_EQ(rows[0][1], "-825.1800");
        EXPECT_EQ(rows[0].back(), "imaginary");
        EXPECT_EQ(rows[1][1], "1691.2400");
        EXPECT_EQ(rows[5][1], "3661.4800");
    }
    // Q-Chem: " Frequency:      1860.10                3939.13                4272.66"
    rows = otherProgram("qchem5.4-water-ir.out");
    if (!rows.empty()) {
        ++read;
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0][1], "1860.1000");
        EXPECT_EQ(rows[2][1], "4272.6600");
    }
    // ORCA 5: "6: 45.66 cm**-1" after six zeros, 54 vibrations.
    rows = otherProgram("orca5-dvb-ir.out");
    if (!rows.empty()) {
        ++read;
        ASSERT_EQ(rows.size(), 54u);
        EXPECT_EQ(rows[0][1], "45.6600");
        EXPECT_EQ(rows[1][1], "78.6300");
    }
    // A formatted checkpoint: Vib-E2 begins "  5.31980918E+01  8.47414956E+01".
    rows = otherProgram("g16-dvb-ir.fchk");
    if (!rows.empty()) {
        ++read;
        ASSERT_EQ(rows.size(), 54u);
        EXPECT_EQ(rows[0][1], "53.1981");
        EXPECT_EQ(rows[1][1], "84.7415");
    }
    EXPECT_GT(read, 0) << "no format read at all";
}

} // namespace
