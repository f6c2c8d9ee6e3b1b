// `molvane --path` as a user runs it: the listing, one step written as an xyz file, the
// refusals (status 2) and failures (status 1) in one line that leaves the directory as it was,
// a path cut short told in one line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/files.h"
#include "tests/support/program_dir.h"

namespace {

using testsupport::Outcome;
using testsupport::ProgramDir;

std::string data(const char* name) { return std::string(MOLVANE_PATH_DATA_DIR) + "/" + name; }

class PathCommand : public ::testing::Test {
  protected:
    ProgramDir dir;
    Outcome run(const std::string& arguments) const {
        return dir.runWithArguments(MOLVANE_BINARY, arguments, "");
    }
};

TEST_F(PathCommand, ListsEveryStep) {
    dir.copyIn(data("orca5-dvb-opt.out"), "opt.out");
    const Outcome r = run("--path --list opt.out");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "     1      -382.055108639      0.02 kcal/mol\r\n"
                     "     2      -382.055126334      0.00 kcal/mol\r\n"
                     "     3      -382.055133003      0.00 kcal/mol\r\n");
    EXPECT_EQ(r.err, "");
    dir.copyIn(data("g16-dvb-scan-relaxed.log"), "scan.log");
    const Outcome scan = run("--list --path scan.log");
    const std::string first = "     1   180.00000      -382.308266559      0.00 kcal/mol\r\n"
                              "     2  -150.00010      -382.306950767      0.83 kcal/mol\r\n";
    EXPECT_EQ(scan.out.substr(0, first.size()), first);
}

TEST_F(PathCommand, WritesOneStepAsXyz) {
    dir.copyIn(data("crest-propane-conformers.xyz"), "crest.xyz");
    const Outcome r = run("--path --step 2 --xyz second.xyz crest.xyz");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Wrote second.xyz\r\n");
    const std::string xyz = dir.read("second.xyz");
    EXPECT_EQ(xyz.substr(0, xyz.find('\n', 3) + 1),
              "10\nStep 2 of 2: -4.755487230 Eh, +0.09 kcal/mol, from crest.xyz\n");
    EXPECT_NE(xyz.find("\nH     -1.43492763     0.79659285    -1.00518402\n"), std::string::npos)
        << xyz;
}

TEST_F(PathCommand, RefusalsAndFailuresInOneLine) {
    dir.copyIn(data("crest-propane-conformers.xyz"), "crest.xyz");
    dir.copyIn(std::string(MOLVANE_EXAMPLES_DIR) + "/ammonia-ts-freq.out", "freq.out");
    const auto before = dir.snapshot();
    struct Case {
        const char* arguments;
        int status;
        const char* err;
    } cases[] = {
        {"--path --step 3 --xyz s.xyz crest.xyz", 2,
         "molvane: --step 3 is not a step of the path, whose steps are 1 to 2 (crest.xyz)\n"},
        {"--path --xyz s.xyz crest.xyz", 2,
         "molvane: --xyz needs --step K, the step to write (molvane --help lists the options)\n"},
        {"--step 1 crest.xyz", 2,
         "molvane: --step applies only with --path (molvane --help lists the options)\n"},
        {"--path --list freq.out", 1,
         "molvane: freq.out holds no path: its job never moved the geometry\n"},
        {"--energy-plot p.gif crest.xyz", 1,
         "molvane: cannot write \"p.gif\": the name must end in .svg, .png or .pdf\n"},
        {"--path --list missing.log", 1, "molvane: cannot read the output file \"missing.log\"\n"},
    };
    for (const Case& c : cases) {
        const Outcome r = run(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments;
        EXPECT_EQ(r.err, c.err) << c.arguments;
        EXPECT_EQ(r.out, "") << c.arguments;
        EXPECT_EQ(dir.snapshot(), before) << c.arguments;
    }
}

TEST_F(PathCommand, LastStepCutShortIsToldAndTheRestListed) {
    const std::string whole = testsupport::readFile(data("xtb6.6.1-dvb-xtbopt.log"));
    dir.write("cut.log", whole.substr(0, whole.size() - 100));
    const Outcome r = run("--path --list cut.log");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 5);
    EXPECT_EQ(r.err, "molvane: cut.log ends inside a step: the path ends at step 5, the last "
                     "complete one\n");
}

} // namespace
