// The cases every format's reader shares, run over each format's row (format_cases.h).
#include "tests/reader/format_cases.h"

#include "tests/support/guarded_run.h"

#include <gtest/gtest.h>

namespace formatcases {

std::string cutBefore(const std::string& text, const std::string& part, const std::string& after,
                      bool last) {
    const std::size_t at =
        last ? text.rfind(part) : text.find(part, after.empty() ? 0 : text.find(after));
    EXPECT_NE(at, std::string::npos) << part;
    return text.substr(0, at);
}

Row withGrid(Row row, std::string (*write)(const layouts::Molecule&), int mode, bool weighted) {
    row.thousand = [write, name = std::string(row.name)](const testsupport::ScratchDir& dir) {
        return dir.write("big-" + name, write(layouts::grid(1000)));
    };
    row.thousandMode = mode;
    row.read = [mode, weighted] {
        EXPECT_EQ(reader::modeList.count, 3);
        readertest::expectEntry(reader::modeVector[999], layouts::grid(1000), mode - 1, 999,
                                weighted);
    };
    row.over = write(layouts::grid(1001));
    row.overSays = {"at most 1000 atom"};
    return row;
}

namespace {

const std::vector<Row>& rows() {
    static const std::vector<Row> all = {
        orcaOutputCases(), orcaHessianCases(), moldenCases(), fchkCases(),   qchemCases(),
        psi4Cases(),       nwchemCases(),      gamessCases(), molproCases(), aoforceCases(),
        turbomoleCases(),  daltonCases(),      mopacCases(),  adfCases(),    cfourCases()};
    return all;
}

// Reads `file` for `mode` as a run does: the run must end with one "*ERR* 109" line that
// begins with the file's name and holds each of `parts`.
testing::AssertionResult endsTheRun(const Row& row, const std::string& file, int mode,
                                    const std::vector<std::string>& parts) {
    const testsupport::RunEnd end =
        testsupport::guarded([&] { reader::readVibrations(file, row.format, mode); });
    if (!end.ended) return testing::AssertionFailure() << "the run did not end";
    const std::string text(end.diagnostic());
    if (end.status != -1 || !testsupport::isOneDiagnostic(text, 109))
        return testing::AssertionFailure() << "status " << end.status << ": " << text;
    if (text.compare(10, file.size(), file) != 0)
        return testing::AssertionFailure() << "does not name " << file << ": " << text;
    for (const std::string& part : parts)
        if (text.find(part) == std::string::npos)
            return testing::AssertionFailure() << "no \"" << part << "\" in: " << text;
    return testing::AssertionSuccess();
}

TEST(EveryFormat, DamagedRowsEndTheRunNamingTheirLine) {
    testsupport::ScratchDir dir;
    for (const Row& row : rows())
        for (const Damage& d : row.damages) {
            SCOPED_TRACE(std::string(row.name) + ": " + d.what);
            const std::string& good = d.good.empty() ? row.good : d.good;
            const std::size_t at =
                d.last ? good.rfind(d.from)
                       : good.find(d.from, d.after.empty() ? 0 : good.find(d.after));
            ASSERT_NE(at, std::string::npos) << d.from;
            const std::size_t begins = d.to.find_first_not_of('\n');
            int line = 1 + d.below;
            for (std::size_t i = 0; i < at + (begins == std::string::npos ? 0 : begins); ++i)
                line += i < at ? good[i] == '\n' : d.to[i - at] == '\n';
            const std::string file =
                dir.write(row.name, std::string(good).replace(at, d.from.size(), d.to));
            EXPECT_TRUE(endsTheRun(row, file, row.mode,
                                   {file + ", line " + std::to_string(line) + ": ", d.expected}));
        }
}

TEST(EveryFormat, FilesCutShortSayHowFarTheyWereRead) {
    testsupport::ScratchDir dir;
    for (const Row& row : rows())
        for (const Cut& c : row.cuts) {
            SCOPED_TRACE(std::string(row.name) + ": " + c.what);
            const std::string file = dir.write(row.name, c.text);
            EXPECT_TRUE(endsTheRun(row, file, row.cutMode, c.says));
        }
}

TEST(EveryFormat, AThousandAtomsAreReadAndOneMoreIsRefused) {
    testsupport::ScratchDir dir;
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        if (row.thousand) {
            const std::string big = row.thousand(dir);
            const testsupport::RunEnd end = testsupport::guarded(
                [&] { reader::readVibrations(big, row.format, row.thousandMode); });
            EXPECT_FALSE(end.ended) << end.diagnostic();
            EXPECT_EQ(reader::atomCount, 1000);
            if (!end.ended && reader::atomCount == 1000) row.read();
        }
        const std::string over = dir.write(row.name, row.over);
        EXPECT_TRUE(endsTheRun(row, over, 1, row.overSays));
    }
}

} // namespace
} // namespace formatcases
