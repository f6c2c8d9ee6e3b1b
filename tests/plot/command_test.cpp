// `molvane --spectrum` as a user runs it: the file named by FILE or by filename.dat read
// through the reader, its picture checked against the values in the file's text; the options;
// refusals (status 2) and failures (status 1, or the reader's diagnostic), each one line on
// standard error that leaves the directory as it was.
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/plot/svg_lines.h"
#include "tests/support/program_dir.h"
#include "tests/support/scratch.h"

namespace {

namespace fs = std::filesystem;
using testsupport::Outcome;
using testsupport::ProgramDir;

class SpectrumCommand : public ::testing::Test {
  protected:
    ProgramDir dir;
    Outcome run(const std::string& arguments) const {
        return dir.runWithArguments(MOLVANE_BINARY, arguments, "");
    }
    svgtest::Picture svg(const std::string& name) const {
        svgtest::Picture picture;
        std::string why;
        EXPECT_TRUE(svgtest::parse(dir.read(name), picture, why)) << why;
        return picture;
    }
    void pngSize(const std::string& name, int& width, int& height) const {
        cairo_surface_t* png = cairo_image_surface_create_from_png(dir.file(name).c_str());
        EXPECT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS) << name;
        width = cairo_image_surface_get_width(png);
        height = cairo_image_surface_get_height(png);
        cairo_surface_destroy(png);
    }
};

bool oneLine(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n') == 1 && text.back() == '\n';
}

} // namespace

TEST_F(SpectrumCommand, FileFromTheCommandLineThroughTheReader) {
    const std::string water = testsupport::exampleFile("water-optfreq.out");
    const Outcome r = run("--spectrum ir.svg '" + water + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Wrote ir.svg (IR spectrum, 3 vibrations, 1200 x 600)\r\n");
    EXPECT_EQ(r.err, "");
    // The file's lines (at 352 and 355):
    //  Frequencies --  1688.7652              3852.0432              3904.9564
    //  IR Inten    --    75.4513                 4.7617                20.9906
    // on the axis from 4000 (3904.9564 + 78.10) to 0 over x = 92..1172, and from 0 to 100
    // (75.45 x 1.12 = 84.5) over y = 544..50.
    const svgtest::Picture picture = svg("ir.svg");
    const double frequency[] = {1688.7652, 3852.0432, 3904.9564};
    const double intensity[] = {75.4513, 4.7617, 20.9906};
    for (int i = 0; i < 3; ++i) {
        const double x = 92 + 1080 * (4000 - frequency[i]) / 4000;
        EXPECT_TRUE(svgtest::hasSegment(picture, x, 544, x, 544 - intensity[i] * 494 / 100)) << i;
    }
    EXPECT_EQ(dir.snapshot().size(), 1u); // ir.svg alone: no filename.dat was made
}

TEST_F(SpectrumCommand, AnotherProgramsOutputThroughTheSameReader) {
    const std::string orca = testsupport::programSampleFile("orca5-dvb-ir.out");
    const Outcome r = run("--spectrum o.svg '" + orca + "'");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Wrote o.svg (IR spectrum, 54 vibrations, 1200 x 600)\r\n");
    // ORCA numbers its 54 vibrations 6 to 59 (line 1977 on, "IR SPECTRUM"); the tallest,
    //  50:   3393.77   0.019172   96.88  0.001763  (-0.040830 -0.009786  0.000000)
    // is vibration 45 here. The last, 3546.00, puts the axis from 3700 (3546.00 + 70.92); the
    // tallest peak, 96.98 with its neighbours, the intensity axis up to 120.
    const double x = 92 + 1080 * (3700 - 3393.77) / 3700;
    EXPECT_TRUE(svgtest::hasSegment(svg("o.svg"), x, 544, x, 544 - 96.88 * 494 / 120));
}

TEST_F(SpectrumCommand, FileThatFilenameDatNamesAndTheImaginaryLine) {
    dir.copyIn(MOLVANE_EXAMPLES_DIR "/formaldehyde-freq.out", "formaldehyde-freq.out");
    dir.copyIn(MOLVANE_EXAMPLES_DIR "/ammonia-ts-freq.out", "ammonia-ts-freq.out");
    dir.write("filename.dat", "Filename:formaldehyde-freq.out\r\n");
    Outcome r = run("--spectrum f.svg");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Wrote f.svg (IR spectrum, 6 vibrations, 1200 x 600)\r\n");
    // formaldehyde-freq.out, lines 105 and 108, 118 and 121: 2954.5134 + 59.09 puts the axis
    // from 3100; the tallest peak 134.3421 x 1.12 = 150.46 the intensity axis up to 160.
    const double frequency[] = {1209.5589, 1243.8042, 1465.0897, 1885.6271, 2874.0862, 2954.5134};
    const double intensity[] = {6.2713, 11.0390, 11.5261, 134.3355, 66.7342, 102.9451};
    svgtest::Picture picture = svg("f.svg");
    for (int i = 0; i < 6; ++i) {
        const double x = 92 + 1080 * (3100 - frequency[i]) / 3100;
        EXPECT_TRUE(svgtest::hasSegment(picture, x, 544, x, 544 - intensity[i] * 494 / 160)) << i;
    }

    // FILE is read instead; ammonia-ts-freq.out begins with -905.0292 (lines 103, 106):
    //  Frequencies --  -905.0292              1670.7672              1670.7672
    //  IR Inten    --   352.6105                23.1184                23.1184
    //  Frequencies --  3482.1464              3669.9091              3669.9091
    //  IR Inten    --     0.0000                14.8713                14.8713
    // The imaginary one gets no stick but a line under the plot: the frame ends at y = 519,
    // 469 high. Axis: 3669.9091 + 73.40 up to 3800; 2 x 23.1184 x 1.12 = 51.79 up to 60.
    r = run("--spectrum a.svg ammonia-ts-freq.out");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Wrote a.svg (IR spectrum, 6 vibrations, 1200 x 600)\r\n");
    picture = svg("a.svg");
    const double x = 92 + 1080 * (3800 - 1670.7672) / 3800;
    EXPECT_TRUE(svgtest::hasSegment(picture, x, 519, x, 519 - 23.1184 * 469 / 60));
    const double y = 519 - 14.8713 * 469 / 60;
    EXPECT_TRUE(svgtest::hasSegment(picture, 92 + 1080 * (3800 - 3669.9091) / 3800, 519,
                                    92 + 1080 * (3800 - 3669.9091) / 3800, y));
    const std::vector<double> baseline = svgtest::verticalsFrom(picture, 519);
    EXPECT_EQ(std::count_if(baseline.begin(), baseline.end(), [](double v) { return v > 1172; }),
              0);
}

TEST_F(SpectrumCommand, SizeAndWidthOptions) {
    dir.copyIn(MOLVANE_EXAMPLES_DIR "/formaldehyde-freq.out", "f.out");
    Outcome r = run("--spectrum=small.png --size=800x400 --fwhm=25 f.out");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Wrote small.png (IR spectrum, 6 vibrations, 800 x 400)\r\n");
    int width = 0, height = 0;
    pngSize("small.png", width, height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 400);
    r = run("f.out --size 4096x200 --spectrum wide.PNG");
    ASSERT_EQ(r.status, 0) << r.err;
    pngSize("wide.PNG", width, height);
    EXPECT_EQ(width, 4096);
    EXPECT_EQ(height, 200);

    // The width reaches the curve: at the tallest band (1885.6271, 134.3355), with g^2 = 225,
    // the other five add the sum of 225 h / (d^2 + 225): 0.0594 (with 10 cm**-1, 0.0066).
    // The axes stay: 2954.5134 + 60 up to 3100, 134.3949 x 1.12 up to 160.
    r = run("--spectrum c.svg --fwhm 30 f.out");
    ASSERT_EQ(r.status, 0) << r.err;
    const double x = 92 + 1080 * (3100 - 1885.6271) / 3100;
    EXPECT_TRUE(svgtest::hasPoint(svg("c.svg"), x, 544 - 134.3949 * 494 / 160, 0.02));
}

TEST_F(SpectrumCommand, RefusalsEndWithStatus2AndWriteNothing) {
    dir.copyIn(MOLVANE_EXAMPLES_DIR "/formaldehyde-freq.out", "f.out");
    const testsupport::Snapshot before = dir.snapshot();
    for (const char* bad : {"--spectrum",
                            "--spectrum ''",
                            "--spectrum a.png --spectrum b.png",
                            "--spectrum a.png --gif b.gif f.out",
                            "--fwhm 10 f.out",
                            "--spectrum a.png --fwhm 0 f.out",
                            "--spectrum a.png --fwhm 0.09",
                            "--spectrum a.png --fwhm 1000.5",
                            "--spectrum a.png --fwhm 1e1",
                            "--spectrum a.png --fwhm -5",
                            "--spectrum a.png --fwhm .",
                            "--spectrum a.png --fwhm 1.2.3",
                            "--size 1200x600 f.out",
                            "--spectrum a.png --size 1200",
                            "--spectrum a.png --size 299x600",
                            "--spectrum a.png --size 1200x199",
                            "--spectrum a.png --size 4097x600",
                            "--spectrum a.png --size 1200x600x",
                            "--spectrum a.png --size x600",
                            "--spectrum a.png --size 1200X600",
                            "--spectrum a.png f.out f.out",
                            "--spectrum a.png --mode 1 f.out",
                            "--spectrum a.png --list f.out",
                            "--gif g.gif --list f.out"}) {
        const Outcome r = run(bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_EQ(r.out, "") << bad;
        EXPECT_TRUE(oneLine(r.err)) << bad << ": " << r.err;
        EXPECT_EQ(r.err.rfind("molvane: ", 0), 0u) << r.err;
        EXPECT_EQ(dir.snapshot(), before) << bad;
    }
    const Outcome help = run("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* part : {"--spectrum OUT", "--fwhm W", "--size WxH", ".svg, .png or .pdf"})
        EXPECT_NE(help.out.find(part), std::string::npos) << part;
}

TEST_F(SpectrumCommand, FailuresNameTheFileAndLeaveNothing) {
    dir.copyIn(MOLVANE_EXAMPLES_DIR "/formaldehyde-freq.out", "f.out");
    fs::create_directory(dir.file("adir"));
    fs::create_directory(dir.file("taken.png"));
    const testsupport::Snapshot before = dir.snapshot();
    struct Case {
        std::string arguments, line;
    } cases[] = {
        {"--spectrum ir.jpg f.out",
         "cannot write \"ir.jpg\": the name must end in .svg, .png, .pdf or .csv"},
        {"--spectrum ir.png missing.out", "cannot read \"missing.out\": No such file or directory"},
        {"--spectrum ir.png adir", "cannot read \"adir\": it is a directory"},
        {"--spectrum none/ir.png f.out", "cannot write \"none/ir.png\": No such file or directory"},
        {"--spectrum taken.png f.out", "cannot write \"taken.png\": Is a directory"},
        // No FILE and no filename.dat: the dialogue's default name, and no filename.dat made.
        {"--spectrum ir.svg", "cannot read \"Output.dat\": No such file or directory"},
    };
    for (const Case& c : cases) {
        const Outcome r = run(c.arguments);
        EXPECT_EQ(r.status, 1) << c.arguments;
        EXPECT_EQ(r.err, "molvane: " + c.line + "\n");
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(dir.snapshot(), before) << c.arguments;
    }

    // A directory the user cannot write to (as an unprivileged user when run as root).
    std::string prefix;
    if (testsupport::unprivilegedPrefix(prefix)) {
        fs::create_directory(dir.file("locked"));
        fs::permissions(dir.file("locked"), fs::perms(0555));
        const Outcome r = dir.runWithArguments(dir.reachableCopy(MOLVANE_BINARY),
                                               "--spectrum locked/ir.png f.out", "", prefix);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "molvane: cannot write \"locked/ir.png\": Permission denied\n");
        EXPECT_TRUE(fs::is_empty(dir.file("locked")));
    }

    // A file without frequencies: the reader's diagnostic, naming the file.
    const std::string example = dir.read("f.out");
    dir.write("nofreq.out", example.substr(0, example.find(" Harmonic frequencies")));
    {
        const Outcome r = run("--spectrum ir.png nofreq.out");
        EXPECT_EQ(r.status, 255);
        EXPECT_TRUE(oneLine(r.err)) << r.err;
        EXPECT_EQ(r.err.rfind("*ERR* ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("nofreq.out"), std::string::npos) << r.err;
        EXPECT_FALSE(dir.exists("ir.png"));
    }
}

// A disk that fills up while the picture is written: a 64 kB file system of its own, which
// needs the right to mount one (skipped without it).
TEST_F(SpectrumCommand, FullDiskLeavesNoFile) {
    dir.copyIn(MOLVANE_EXAMPLES_DIR "/formaldehyde-freq.out", "f.out");
    const fs::path small = dir.file("small");
    fs::create_directory(small);
    const std::string mount =
        "mount -t tmpfs -o size=64k tmpfs '" + small.string() + "' 2>/dev/null";
    if (std::system(mount.c_str()) != 0) GTEST_SKIP() << "cannot mount a small file system";
    // The SVG holds the outlines of its letters: about 100 kB.
    const Outcome r = run("--spectrum small/ir.svg f.out");
    const bool empty = fs::is_empty(small);
    EXPECT_EQ(std::system(("umount '" + small.string() + "'").c_str()), 0) << "umount";
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "molvane: cannot write \"small/ir.svg\": No space left on device\n");
    EXPECT_TRUE(empty);
}

// Every real output that holds frequencies gives its picture: each Gaussian version, and each
// other program's file (a format whose reader is still a stand-in says so, and is passed over).
TEST_F(SpectrumCommand, EveryRealSampleGivesAPicture) {
    int count = 0;
    for (const fs::path& folder : {fs::path(testsupport::sampleFile("")).parent_path(),
                                   fs::path(testsupport::programSampleFile("")).parent_path()}) {
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            const Outcome r = run("--spectrum s.png '" + entry.path().string() + "'");
            if (r.err.find("files is not built yet") != std::string::npos) {
                std::printf("passed over: %s", r.err.c_str());
                continue;
            }
            EXPECT_EQ(r.status, 0) << name << ": " << r.err;
            EXPECT_EQ(r.out.rfind("Wrote s.png (IR spectrum, ", 0), 0u) << name << ": " << r.out;
            int width = 0, height = 0;
            pngSize("s.png", width, height);
            EXPECT_EQ(width, 1200) << name;
            EXPECT_EQ(height, 600) << name;
            ++count;
        }
    }
    EXPECT_GE(count, 8);
}
