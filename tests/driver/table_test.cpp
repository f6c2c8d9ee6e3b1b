// Tables for scripts, parsed back by real parsers (libcsv for CSV, nlohmann::json for JSON):
// --list --format csv|json with and without --scale, --summary over real outputs and damaged
// ones, and the rows of many runs sharing one pipe.
#include "export/table.h"
#include "tests/driver/transcript.h"
#include "tests/support/csv_rows.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

const std::string molvane = MOLVANE_BINARY;
using Rows = testsupport::CsvRows;
using testsupport::parseCsv;

std::string rowText(void (*fill)(table::Row&)) {
    static table::Row row;
    table::clear(row);
    fill(row);
    return std::string(row.text, std::size_t(row.length));
}

TEST(Table, CsvFieldsAndJsonStringsComeBackWhole) {
    const std::string odd[] = {"plain", "a,b", "say \"hi\"", "two\r\nlines", "", "tab\there"};
    static const std::string* fields = odd;
    const Rows rows = parseCsv(rowText([](table::Row& row) {
        for (int k = 0; k < 6; ++k) table::csvText(row, fields[k]);
        table::csvEnd(row);
    }));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], std::vector<std::string>(odd, odd + 6));
    // Any bytes give valid JSON: escapes for quotes, backslashes and control bytes, UTF-8 as
    // it is, a byte that is not UTF-8 as U+FFFD.
    const nlohmann::json back = nlohmann::json::parse(rowText([](table::Row& row) {
        table::append(row, "[");
        table::jsonString(row, "q\"b\\s/\x01\n\u00e9\u4e2d");
        table::append(row, ",");
        table::jsonString(row, "bad\xff\xc3(end");
        table::append(row, "]");
    }));
    EXPECT_EQ(back[0].get<std::string>(), "q\"b\\s/\x01\n\u00e9\u4e2d");
    EXPECT_EQ(back[1].get<std::string>(), "bad\ufffd\ufffd(end");
}

TEST(Table, NumbersAsTheFilePrintedThem) {
    char text[48];
    const auto printed = [&](double v) { return std::string(text, table::printedNumber(v, text)); };
    EXPECT_EQ(printed(1668.2293), "1668.2293");
    EXPECT_EQ(printed(0.1 + 0.2), "0.3");
    EXPECT_EQ(printed(-757.81), "-757.81");
    EXPECT_EQ(printed(3.0), "3");
    EXPECT_EQ(printed(1e-12), "9.9999999999999998e-13");
    EXPECT_EQ(table::printedDecimals(1668.2293), 4);
}

class Tables : public testing::Test {
  protected:
    Outcome run(const std::string& arguments) const {
        return dir.run(molvane, "", arguments + " <&-");
    }
    ProgramDir dir;
};

TEST_F(Tables, ListAsCsvAndJsonWithTheFilesNumbersAndTheScaledOnes) {
    dir.copyIn(exampleFile("water-optfreq.out"), "w\"at,er.log");
    // The file's lines: Frequencies -- 1688.7652 3852.0432 3904.9564; IR Inten -- 75.4513
    // 4.7617 20.9906; Raman Activ -- 0.0000 0.0000 0.0000.
    Outcome r = run("--list --format csv --scale 0.967 'w\"at,er.log'");
    ASSERT_EQ(r.status, 0) << r.err;
    const Rows rows = parseCsv(r.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"mode", "frequency_cm-1", "scaled_frequency_cm-1",
                                                 "ir_intensity_km/mol", "raman_activity_A^4/amu"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"1", "1688.7652", "1633.0359", "75.4513", "0"}));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"3", "3904.9564", "3776.0928", "20.9906", "0"}));
    r = run("--list --format csv --no-header 'w\"at,er.log'");
    EXPECT_EQ(parseCsv(r.out)[0], (std::vector<std::string>{"1", "1688.7652", "75.4513", "0"}));

    r = run("--list --format json --scale 0.967 'w\"at,er.log'");
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["file"], "w\"at,er.log");
    EXPECT_EQ(json["format"], "Gaussian output");
    EXPECT_EQ(json["units"]["frequency"], "cm-1");
    ASSERT_EQ(json["modes"].size(), 3u);
    EXPECT_EQ(json["modes"][1]["mode"], 2);
    EXPECT_DOUBLE_EQ(json["modes"][1]["frequency"].get<double>(), 3852.0432);
    EXPECT_DOUBLE_EQ(json["modes"][1]["scaled_frequency"].get<double>(), 3724.9258);
    EXPECT_DOUBLE_EQ(json["modes"][1]["ir_intensity"].get<double>(), 4.7617);
    EXPECT_DOUBLE_EQ(json["modes"][1]["raman_activity"].get<double>(), 0.0);

    // The text list shows the scaled frequency beside the file's.
    r = run("--list --scale 0.967 'w\"at,er.log'");
    EXPECT_EQ(r.out.substr(0, 56), "    1     1688.7652 cm**-1     1633.0359 scaled     75.4");
}

// The files of the summary: every real sample beside the checkout and the bundled examples.
std::vector<std::string> realSamples() {
    std::vector<std::string> files;
    for (const char* dir : {MOLVANE_TEST_DATA "/program-samples", MOLVANE_EXAMPLES_DIR})
        if (std::filesystem::is_directory(dir))
            for (const auto& entry : std::filesystem::directory_iterator(dir))
                if (entry.path().extension() != ".md" && entry.path().extension() != ".jdx")
                    files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

TEST_F(Tables, SummaryRowPerFileGoingOnPastDamagedOnes) {
    const std::vector<std::string> files = realSamples();
    std::string arguments = "--summary";
    for (const std::string& f : files) arguments += " '" + f + "'";
    Outcome r = run(arguments);
    EXPECT_EQ(r.status, 0) << r.err;
    Rows rows = parseCsv(r.out);
    ASSERT_EQ(rows.size(), files.size() + 1);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"file", "format", "atoms", "vibrations",
                                                 "imaginary", "lowest_frequency_cm-1", "error"}));
    for (std::size_t k = 1; k < rows.size(); ++k) {
        ASSERT_EQ(rows[k].size(), 7u);
        EXPECT_EQ(rows[k][0], files[k - 1]);
        EXPECT_EQ(rows[k][6], "") << rows[k][0];
        // The counts agree with --list of the same file.
        const Rows list = parseCsv(run("--list --format csv '" + files[k - 1] + "'").out);
        EXPECT_EQ(rows[k][3], std::to_string(list.size() - 1)) << rows[k][0];
        int imaginary = 0;
        for (std::size_t m = 1; m < list.size(); ++m) imaginary += list[m][1][0] == '-';
        EXPECT_EQ(rows[k][4], std::to_string(imaginary)) << rows[k][0];
    }

    // A damaged file, one that fits no format and a missing one between two good ones.
    const std::string ammonia = exampleFile("ammonia-ts-freq.out");
    std::string cut = readFile(ammonia);
    dir.write("cut.out", cut.substr(0, cut.find("Harmonic frequencies") + 60));
    dir.write("notes.txt", "nothing here\n");
    r = run("--summary --no-header '" + ammonia + "' cut.out notes.txt missing.log '" + ammonia +
            "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    rows = parseCsv(r.out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{ammonia, "Gaussian output", "4", "6", "1",
                                                 "-905.0292", ""}));
    EXPECT_EQ(rows[1][1], "Gaussian output");
    EXPECT_EQ(rows[1][6].substr(0, 6), "*ERR* ");
    EXPECT_NE(rows[1][6].find("cut.out"), std::string::npos);
    EXPECT_EQ(rows[2][1], "");
    EXPECT_NE(rows[2][6].find("fits no format"), std::string::npos);
    EXPECT_EQ(rows[3][6], "cannot read the output file \"missing.log\"");
    EXPECT_EQ(rows[4], rows[0]);
}

TEST_F(Tables, RowsOfRunsSharingOnePipeNeverMix) {
    const std::vector<std::string> files = realSamples();
    if (files.size() < 4) GTEST_SKIP() << "too few samples";
    std::string names;
    for (int copy = 0; copy < 20; ++copy)
        for (const std::string& f : files) names += f + "\n";
    dir.write("names", names);
    const Outcome r = dir.run("/bin/sh", "",
                              "-c \"xargs -d '\\n' -n 2 -P 8 '" + molvane +
                                  "' --summary --no-header < names\" <&-");
    ASSERT_EQ(r.status, 0) << r.err;
    const Rows rows = parseCsv(r.out);
    ASSERT_EQ(rows.size(), 20 * files.size());
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 7u);
        EXPECT_EQ(row[6], "") << row[0];
    }
}

TEST_F(Tables, RefusalsOfTheTableOptions) {
    const char* const refused[] = {"--summary",
                                   "--summary --list x.log",
                                   "--format csv x.log",
                                   "--list --format xml",
                                   "--no-header --list x.log",
                                   "--summary --scale 0.9 x.log",
                                   "--list --scale 1.6",
                                   "--list --scale abc",
                                   "--spectrum a.svg --range 2000:1000",
                                   "--spectrum a.svg --range 1000",
                                   "--spectrum a.svg --range x:2000",
                                   "--range 0:100 x.log",
                                   "--experiment e.jdx x.log",
                                   "--list --experiment e.jdx x.log"};
    for (const char* arguments : refused) {
        const Outcome r = run(arguments);
        EXPECT_EQ(r.status, 2) << arguments;
        EXPECT_EQ(r.out, "") << arguments;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << arguments << r.err;
        EXPECT_TRUE(dir.snapshot().empty()) << arguments;
    }
}

} // namespace
