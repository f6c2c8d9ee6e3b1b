// The path of each format's real files against the values printed in them: the count of
// steps, the first and last energies, the coordinate, one step's geometry read back by its
// offset; a Gaussian IRC joined through its transition state in the summary's order; a last
// step cut short and a damaged step in the middle.
#include "path/path_file.h"
#include "tests/support/files.h"
#include "tests/support/guarded_run.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::ScratchDir;

std::string data(const char* name) { return std::string(MOLVANE_PATH_DATA_DIR) + "/" + name; }

struct Atom {
    int step; // from 1
    int atom; // from 1
    int element;
    double x, y, z;
};

struct PathFile {
    const char* name;
    path::Kind kind;
    int count, atoms;
    double firstEnergy, lastEnergy; // hartree; 0 and 0 when the file gives none
    double lastCoordinate;
    Atom atom;
};

const PathFile files[] = {
    // Gaussian 16: five steps (each "SCF Done"), then "Optimization completed".
    {"g16-dvb-opt.out",
     path::Kind::optimisation,
     5,
     20,
     -382.294279146,
     -382.308266602,
     5,
     {1, 1, 6, 1.205666, 0.676891, 0.0}},
    // A relaxed scan of D25 in 13 points, 180 to 180 by 30 degrees; point 2's geometry is its
    // optimisation's last Standard orientation.
    {"g16-dvb-scan-relaxed.log",
     path::Kind::scan,
     13,
     20,
     -382.308266559,
     -382.308266289,
     180.0,
     {2, 1, 6, 1.410220, 0.239316, 0.013581}},
    // ORCA 5: three cycles; the final evaluation at the stationary point is not a step.
    {"orca5-dvb-opt.out",
     path::Kind::optimisation,
     3,
     20,
     -382.055108639488,
     -382.055133003097,
     3,
     {2, 1, 6, -1.416511, 0.229309, 0.0}},
    {"xtb6.6.1-dvb-xtbopt.log",
     path::Kind::frames,
     6,
     20,
     -26.425939359008,
     -26.438242468,
     6,
     {3, 1, 6, 0.24767392059844, -1.38999395256289, 0.0}},
    {"orca-mep_trj.xyz",
     path::Kind::frames,
     10,
     14,
     -344.387777144914,
     -344.378604518,
     10,
     {2, 1, 1, 2.424452, -0.892267, 0.413277}},
    {"crest-propane-conformers.xyz",
     path::Kind::frames,
     2,
     10,
     -4.75562947,
     -4.75548723,
     2,
     {2, 10, 1, -1.4349276305, 0.7965928465, -1.0051840165}},
};

TEST(PathFiles, StepsEnergiesAndGeometriesAsPrinted) {
    for (const PathFile& f : files) {
        SCOPED_TRACE(f.name);
        bool found = false;
        static reader::GeometryTable geometry;
        const auto end = testsupport::guarded([&] {
            found = path::readPath(data(f.name));
            if (found) path::readStep(data(f.name), f.atom.step - 1, geometry);
        });
        ASSERT_FALSE(end.ended) << end.diagnostic();
        ASSERT_TRUE(found);
        EXPECT_EQ(path::index.kind, f.kind);
        EXPECT_EQ(path::index.count, f.count);
        EXPECT_EQ(path::index.atomCount, f.atoms);
        EXPECT_FALSE(path::index.cutShort);
        EXPECT_TRUE(path::index.hasEnergies);
        EXPECT_NEAR(path::steps[0].energy, f.firstEnergy, 1e-9);
        EXPECT_NEAR(path::steps[f.count - 1].energy, f.lastEnergy, 1e-9);
        EXPECT_NEAR(path::steps[f.count - 1].coordinate, f.lastCoordinate, 1e-9);
        const double* a = geometry[f.atom.atom - 1];
        EXPECT_EQ(int(a[0]), f.atom.element);
        EXPECT_NEAR(a[1], f.atom.x, 1e-9);
        EXPECT_NEAR(a[2], f.atom.y, 1e-9);
        EXPECT_NEAR(a[3], f.atom.z, 1e-9);
    }
}

TEST(PathFiles, ScanValuesAndLowestStep) {
    ASSERT_TRUE(path::readPath(data("g16-dvb-scan-relaxed.log")));
    const double values[] = {180.0,   -150.0001, -119.9999, -90.0,    -59.9999, -29.9999, 0.0,
                             30.0001, 60.0001,   90.0,      120.0001, 150.0001, 180.0};
    for (int i = 0; i < 13; ++i) EXPECT_DOUBLE_EQ(path::steps[i].coordinate, values[i]) << i;
    EXPECT_EQ(path::index.lowest, 6); // -382.308272580 at 0 degrees
    EXPECT_NEAR(path::relativeEnergy(3), (-382.299551677 + 382.308272580) * 627.509474, 1e-6);
}

// The post-SCF total where the route asks for one and the step prints it, as an MP2
// optimisation prints it ("EUMP2 =" after each "SCF Done"), for every step alike.
TEST(PathFiles, PostScfTotalOfEveryStep) {
    const std::string log = testsupport::readFile(data("g16-dvb-opt.out"));
    std::string mp2;
    std::size_t from = 0;
    for (int step = 0;; ++step) {
        const std::size_t at = log.find(" SCF Done:", from);
        if (at == std::string::npos) break;
        const std::size_t next = log.find('\n', at) + 1;
        char line[120];
        std::snprintf(line, sizeof line,
                      " E2 =    -0.8677506641D+00 EUMP2 =    -0.38312345%02dD+03\n", step);
        mp2 += log.substr(from, next - from) + line;
        from = next;
    }
    mp2 += log.substr(from);
    ScratchDir dir;
    ASSERT_TRUE(path::readPath(dir.write("mp2.out", mp2)));
    ASSERT_EQ(path::index.count, 5);
    EXPECT_NEAR(path::steps[0].energy, -383.1234500, 1e-9);
    EXPECT_NEAR(path::steps[4].energy, -383.1234504, 1e-9);
}

// A Gaussian IRC in the layout of Gaussian 09 and 16, forward path first: the points of path 2
// come first in the joined path, reversed, with negative coordinates as in the summary.
std::string ircLog(bool withSummary, const char* rx2) {
    auto table = [](double x) {
        char text[800];
        std::snprintf(text, sizeof text,
                      "                          Input orientation:\n"
                      " ------------------------------------------------------------\n"
                      " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
                      " Number     Number       Type             X           Y           Z\n"
                      " ------------------------------------------------------------\n"
                      "      1          1           0        %.6f    0.000000    0.000000\n"
                      "      2          1           0        1.000000    0.000000    0.000000\n"
                      " ------------------------------------------------------------\n",
                      x);
        return std::string(text);
    };
    auto point = [&](int n, int path, double x, double e, const char* rx) {
        return table(x + 0.5) + " SCF Done:  E(RHF) =  -9.0     A.U. after 3 cycles\n" + table(x) +
               " SCF Done:  E(RHF) =  " + std::to_string(e) +
               "     A.U. after 3 cycles\n Point Number:   " + std::to_string(n) +
               "          Path Number:   " + std::to_string(path) +
               "\n   NET REACTION COORDINATE UP TO THIS POINT =    " + rx + "\n";
    };
    std::string log = " #p hf/sto-3g irc=(calcfc)\n IRC-IRC-IRC-IRC-IRC-IRC-IRC-IRC-IRC\n" +
                      table(0.0) + " SCF Done:  E(RHF) =  -1.000000     A.U. after 3 cycles\n";
    log += point(1, 1, 0.1, -1.1, "0.10000") + point(2, 1, 0.2, -1.2, "0.20000");
    log += " Beginning calculation of the REVERSE path.\n";
    log += point(1, 2, -0.1, -1.3, "0.10000") + point(2, 2, -0.2, -1.4, rx2);
    if (withSummary)
        log +=
            " Summary of reaction path following\n ----------------\n"
            "                        Energy   RxCoord\n"
            "   1                  -0.40000  -0.20000\n   2                  -0.30000  -0.10000\n"
            "   3                   0.00000   0.00000\n   4                  -0.10000   0.10000\n"
            "   5                  -0.20000   0.20000\n ----------------\n";
    return log;
}

TEST(PathFiles, IrcJoinedThroughTheTransitionState) {
    ScratchDir dir;
    const std::string file = dir.write("irc.log", ircLog(true, "0.20000"));
    static reader::GeometryTable geometry;
    ASSERT_TRUE(path::readPath(file));
    EXPECT_EQ(path::index.kind, path::Kind::irc);
    ASSERT_EQ(path::index.count, 5);
    EXPECT_EQ(path::index.transitionState, 2);
    const double energy[] = {-1.4, -1.3, -1.0, -1.1, -1.2};
    const double rx[] = {-0.2, -0.1, 0.0, 0.1, 0.2};
    for (int i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(path::steps[i].energy, energy[i]) << i;
        EXPECT_DOUBLE_EQ(path::steps[i].coordinate, rx[i]) << i;
        path::readStep(file, i, geometry); // the converged geometry, not the predictor's
        EXPECT_NEAR(geometry[0][1], rx[i], 1e-9) << i;
    }
    // Without the summary (a job still running) the halves are joined all the same.
    ASSERT_TRUE(path::readPath(dir.write("running.log", ircLog(false, "0.20000"))));
    EXPECT_DOUBLE_EQ(path::steps[0].coordinate, -0.2);
    // Points that do not fit the summary are a reading error, not a silent misreading.
    const std::string wrong = dir.write("wrong.log", ircLog(true, "0.30000"));
    const auto end = testsupport::guarded([&] { path::readPath(wrong); });
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.status, -1); // 255 as the program's status
    EXPECT_NE(end.diagnostic().find("wrong.log"), std::string_view::npos) << end.diagnostic();
}

TEST(PathFiles, LastStepCutShortEndsThePath) {
    ScratchDir dir;
    const std::string whole = testsupport::readFile(data("xtb6.6.1-dvb-xtbopt.log"));
    const std::string file = dir.write("cut.log", whole.substr(0, whole.size() - 200));
    ASSERT_TRUE(path::readPath(file));
    EXPECT_EQ(path::index.count, 5);
    EXPECT_TRUE(path::index.cutShort);
    // A Gaussian optimisation cut inside its last step's table.
    const std::string log = testsupport::readFile(data("g16-dvb-opt.out"));
    ASSERT_TRUE(path::readPath(dir.write("cut.out", log.substr(0, log.find(" SCF Done", 150000)))));
    EXPECT_TRUE(path::index.cutShort);
    EXPECT_LT(path::index.count, 5);
}

TEST(PathFiles, DamagedMiddleStepNamesFileAndLine) {
    ScratchDir dir;
    std::string text = testsupport::readFile(data("xtb6.6.1-dvb-xtbopt.log"));
    text.replace(text.find("20\n", 100), 2, "2O"); // the second frame's count (line 23)
    const std::string file = dir.write("damaged.log", text);
    const auto end = testsupport::guarded([&] { path::readPath(file); });
    ASSERT_TRUE(end.ended);
    EXPECT_EQ(end.status, -1); // 255 as the program's status
    EXPECT_NE(end.diagnostic().find("damaged.log, line 23"), std::string_view::npos)
        << end.diagnostic();
    // A damaged atom row is found when its step is read.
    std::string rows = testsupport::readFile(data("crest-propane-conformers.xyz"));
    rows.replace(rows.find("-1.4349276305"), 3, "-1x");
    const std::string second = dir.write("rows.xyz", rows);
    ASSERT_TRUE(path::readPath(second));
    static reader::GeometryTable geometry;
    const auto bad = testsupport::guarded([&] { path::readStep(second, 1, geometry); });
    ASSERT_TRUE(bad.ended);
    EXPECT_NE(bad.diagnostic().find("rows.xyz, line 24"), std::string_view::npos)
        << bad.diagnostic();
}

// A step's line is found by its offset and counted only for a diagnostic: a damaged row of
// the third step's table is named by its line.
TEST(PathFiles, DamagedTableRowNamedByItsLine) {
    ScratchDir dir;
    std::string text = testsupport::readFile(data("g16-dvb-opt.out"));
    std::size_t at = 0;
    for (int line = 1; line < 1639; ++line) at = text.find('\n', at) + 1;
    text.replace(at + 40, 1, "x"); // "0.x68029": x of the first row of step 3
    const std::string file = dir.write("row.out", text);
    ASSERT_TRUE(path::readPath(file));
    static reader::GeometryTable geometry;
    const auto end = testsupport::guarded([&] { path::readStep(file, 2, geometry); });
    ASSERT_TRUE(end.ended);
    EXPECT_NE(end.diagnostic().find("row.out, line 1639"), std::string_view::npos)
        << end.diagnostic();
}

TEST(PathFiles, NoPathInASinglePointOrFrequencyJob) {
    const std::string ammonia = std::string(MOLVANE_EXAMPLES_DIR) + "/ammonia-ts-freq.out";
    EXPECT_FALSE(path::readPath(ammonia));
    ScratchDir dir;
    EXPECT_FALSE(path::readPath(dir.write("one.xyz", "1\nhydrogen\nH 0 0 0\n")));
    // Hand-written frames: no energies.
    ASSERT_TRUE(path::readPath(dir.write("two.xyz", "1\nfirst\nH 0 0 0\n1\nsecond\nH 0 0 1\n")));
    EXPECT_FALSE(path::index.hasEnergies);
    // ASE's extended xyz: energy= in eV, free_energy= passed over.
    const std::string ase =
        "Properties=species:S:1:pos:R:3 free_energy=-30.0 energy=%s pbc=\"F F F\"";
    std::string frames;
    for (const char* ev : {"-27.211386245988", "-54.422772491976"}) {
        char comment[120];
        std::snprintf(comment, sizeof comment, ase.c_str(), ev);
        frames += std::string("1\n") + comment + "\nH 0 0 0 0.1\n";
    }
    ASSERT_TRUE(path::readPath(dir.write("ase.xyz", frames)));
    ASSERT_TRUE(path::index.hasEnergies);
    EXPECT_NEAR(path::steps[0].energy, -1.0, 1e-12);
    EXPECT_NEAR(path::steps[1].energy, -2.0, 1e-12);
}

} // namespace
