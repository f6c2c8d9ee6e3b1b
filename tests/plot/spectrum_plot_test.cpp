// The numbers behind the spectrum picture, on the vibrations of two real outputs copied here by
// hand from their text, against values worked out by hand:
//   g16-water.log (Gaussian 16):          formaldehyde-freq.out (the bundled example):
//    Frequencies --   1668.2293   3866.1598   3976.5311
//    IR Inten    --     89.6988     8.4803    44.2991
// and formaldehyde: 1209.5589 1243.8042 1465.0897 1885.6271 2874.0862 2954.5134 cm**-1 with
// IR intensities 6.2713 11.0390 11.5261 134.3355 66.7342 102.9451 km/mol.
#include "plot/spectrum_plot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace {

using spectrum::Axis;
using spectrum::Bands;

reader::ModeList modes;
Bands bands;
spectrum::Curve curve;

// Fills the mode list with (frequency, intensity) pairs.
void setModes(std::initializer_list<std::pair<double, double>> list, bool intensities = true) {
    modes = reader::ModeList{};
    for (const auto& [frequency, intensity] : list) {
        modes.frequency[modes.count] = frequency;
        modes.intensity[modes.count] = intensity;
        ++modes.count;
    }
    modes.hasIntensities = intensities;
}

void water() { setModes({{1668.2293, 89.6988}, {3866.1598, 8.4803}, {3976.5311, 44.2991}}); }

void formaldehyde() {
    setModes({{1209.5589, 6.2713},
              {1243.8042, 11.0390},
              {1465.0897, 11.5261},
              {1885.6271, 134.3355},
              {2874.0862, 66.7342},
              {2954.5134, 102.9451}});
}

void expectAxis(const Axis& a, double from, double to, double step, double minor, int decimals) {
    EXPECT_DOUBLE_EQ(a.from, from);
    EXPECT_DOUBLE_EQ(a.to, to);
    EXPECT_DOUBLE_EQ(a.step, step);
    EXPECT_DOUBLE_EQ(a.minorStep, minor);
    EXPECT_EQ(a.decimals, decimals);
}

} // namespace

TEST(SpectrumNumbers, PictureKindFollowsTheExtension) {
    using spectrum::Kind;
    EXPECT_EQ(spectrum::kindOfName("ir.svg"), Kind::svg);
    EXPECT_EQ(spectrum::kindOfName("out/ir.PNG"), Kind::png);
    EXPECT_EQ(spectrum::kindOfName("../a.b/Ir.Pdf"), Kind::pdf);
    for (const char* name : {"ir.jpg", "png", "ir.svgz", "ir.pn", "ir.png/x", "ir.", ".eps", ""})
        EXPECT_EQ(spectrum::kindOfName(name), Kind::unknown) << name;
}

TEST(SpectrumNumbers, BandsAreTheRealVibrationsWithTheirHeights) {
    water();
    spectrum::collectBands(modes, modes.intensity, bands);
    ASSERT_EQ(bands.count, 3);
    EXPECT_TRUE(bands.measured);
    EXPECT_EQ(bands.mode[2], 3);
    EXPECT_DOUBLE_EQ(bands.position[2], 3976.5311);
    EXPECT_DOUBLE_EQ(bands.height[2], 44.2991);

    // An imaginary first mode is left out; the others keep their numbers.
    modes.frequency[0] = -1668.2293;
    spectrum::collectBands(modes, modes.intensity, bands);
    ASSERT_EQ(bands.count, 2);
    EXPECT_EQ(bands.mode[0], 2);
    EXPECT_DOUBLE_EQ(bands.position[0], 3866.1598);
    EXPECT_DOUBLE_EQ(bands.height[0], 8.4803);

    // No values, values all 0, or 0 on every band drawn: one height for all.
    water();
    for (const double* values : {(const double*)nullptr, (const double*)modes.ramanActivity}) {
        spectrum::collectBands(modes, values, bands);
        EXPECT_FALSE(bands.measured);
        ASSERT_EQ(bands.count, 3);
        for (int k = 0; k < 3; ++k) EXPECT_EQ(bands.height[k], 1.0);
    }
    modes.frequency[1] = -3866.1598;
    modes.intensity[0] = modes.intensity[2] = 0;
    spectrum::collectBands(modes, modes.intensity, bands);
    EXPECT_FALSE(bands.measured);
    // A negative value counts as 0.
    water();
    modes.intensity[1] = -2;
    spectrum::collectBands(modes, modes.intensity, bands);
    EXPECT_TRUE(bands.measured);
    EXPECT_EQ(bands.height[1], 0.0);
}

TEST(SpectrumNumbers, LorentzianSumAtChosenPoints) {
    water();
    spectrum::collectBands(modes, modes.intensity, bands);
    // On a band: its height plus the far tails, 8.4803 x 25 / 2197.9305^2 + 44.2991 x 25 /
    // 2308.3018^2 = 0.0000439 + 0.0002079.
    EXPECT_NEAR(spectrum::lorentzianSum(bands, 10, 1668.2293), 89.6991, 1e-4);
    // Half the width away: half the height.
    EXPECT_NEAR(spectrum::lorentzianSum(bands, 10, 1673.2293), 44.8497, 1e-4);
    // Midway between the two high bands, 55.18565 from each:
    // (8.4803 + 44.2991) x 25 / (55.18565^2 + 25) = 0.43009, plus 0.00009 from the bend.
    EXPECT_NEAR(spectrum::lorentzianSum(bands, 10, 3921.34535), 0.43018, 1e-5);
    // Three times as wide: g^2 = 225, 52.7794 x 225 / (3045.456 + 225) + 0.00079.
    EXPECT_NEAR(spectrum::lorentzianSum(bands, 30, 3921.34535), 3.63507, 1e-5);
    EXPECT_NEAR(spectrum::lorentzianSum(bands, 10, 0), 0.00089, 1e-5);

    formaldehyde();
    spectrum::collectBands(modes, modes.intensity, bands);
    // Between the two close bands 1 and 2 (34.2453 apart): 6.2713 x 25 / (17.12265^2 + 25)
    // + 11.0390 x 25 / (17.12265^2 + 25) = 1.3579, plus 0.0164 from the others.
    EXPECT_NEAR(spectrum::lorentzianSum(bands, 10, 1226.68155), 1.37436, 1e-5);
}

TEST(SpectrumNumbers, AxesRunBetweenRoundNumbers) {
    EXPECT_EQ(spectrum::roundStep(4056.06, 10), 500);
    EXPECT_EQ(spectrum::roundStep(4000, 8), 500);
    EXPECT_EQ(spectrum::roundStep(100.46, 8), 20);
    EXPECT_EQ(spectrum::roundStep(0.013776, 8), 0.002);

    // Water: 3976.5311 + 3976.5311 / 50 = 4056.06, steps of 500 (200 would be 21 of them),
    // the end at the next hundred.
    expectAxis(spectrum::wavenumberAxis(3976.5311, 10), 4100, 0, 500, 100, 0);
    // Formaldehyde: 2954.5134 + 59.09 = 3013.60.
    expectAxis(spectrum::wavenumberAxis(2954.5134, 10), 3100, 0, 500, 100, 0);
    // A wide band takes twice its width: 3976.5311 + 200.
    expectAxis(spectrum::wavenumberAxis(3976.5311, 100), 4200, 0, 500, 100, 0);
    // Only low frequencies: 150 + 20 = 170 in steps of 20, ticks every 5.
    expectAxis(spectrum::wavenumberAxis(150, 10), 170, 0, 20, 5, 0);
    expectAxis(spectrum::wavenumberAxis(-1, 10), 4000, 0, 500, 100, 0);

    // Water's tallest peak 89.6991: 1.12 x 89.6991 = 100.46 in steps of 20 up to 120.
    expectAxis(spectrum::intensityAxis(89.6991), 0, 120, 20, 5, 0);
    // Formaldehyde's 134.3421: 150.46, up to 160.
    expectAxis(spectrum::intensityAxis(134.3421), 0, 160, 20, 5, 0);
    expectAxis(spectrum::intensityAxis(0.0123), 0, 0.014, 0.002, 0.0005, 3);
    expectAxis(spectrum::intensityAxis(0.4), 0, 0.5, 0.1, 0.02, 1);
    expectAxis(spectrum::intensityAxis(0), 0, 1, 0.2, 0.05, 1);
}

TEST(SpectrumNumbers, CurveHoldsEveryPeak) {
    water();
    spectrum::collectBands(modes, modes.intensity, bands);
    const Axis x = spectrum::wavenumberAxis(3976.5311, 10);
    // Samples 3.28 apart, none on a band.
    spectrum::sampleCurve(bands, 10, x, 3.28, curve);
    ASSERT_GT(curve.count, 1000);
    EXPECT_EQ(curve.x[0], 0);
    EXPECT_EQ(curve.x[curve.count - 1], 4100);
    for (int i = 1; i < curve.count; ++i) ASSERT_LT(curve.x[i - 1], curve.x[i]) << i;
    for (int k = 0; k < 3; ++k) {
        const double* at = std::find(curve.x, curve.x + curve.count, bands.position[k]);
        ASSERT_NE(at, curve.x + curve.count) << k;
        EXPECT_EQ(curve.y[at - curve.x], spectrum::lorentzianSum(bands, 10, bands.position[k]));
    }
    EXPECT_NEAR(curve.highest, 89.6991, 1e-4);
    // Within 60 of the midway point: the band at 3976.5311, 44.2991 + 0.0174 + 0.0004.
    EXPECT_NEAR(spectrum::curvePeakNear(curve, 3921.34535, 60), 44.3169, 1e-4);
    EXPECT_NEAR(spectrum::curvePeakNear(curve, 3921.34535, 2), 0.4302, 0.02);

    // However fine the spacing asked for, the samples stay within their room.
    spectrum::sampleCurve(bands, 0.1, x, 1e-9, curve);
    EXPECT_LE(curve.count, spectrum::curveCapacity);
    EXPECT_EQ(curve.x[curve.count - 1], 4100);
    EXPECT_NEAR(curve.highest, 89.6988, 1e-4);
}

TEST(SpectrumNumbers, StrongestBandsAreLabelledApart) {
    formaldehyde();
    spectrum::collectBands(modes, modes.intensity, bands);
    const Axis x = spectrum::wavenumberAxis(2954.5134, 10);
    spectrum::sampleCurve(bands, 10, x, 1.25, curve);
    int chosen[10];
    // Tallest first: modes 4, 6, 5, 3, 2, 1. Mode 1 stands 34.2 cm**-1 from mode 2, which is
    // taller: with labels 50 wide and of any height, mode 1 gets none.
    ASSERT_EQ(spectrum::bandsToLabel(bands, curve, 50, 1e9, 10, chosen), 5);
    const int expected[] = {4, 6, 5, 3, 2};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(bands.mode[chosen[i]], expected[i]) << i;
    // Labels stand on 11.19 (mode 2) and 6.51 (mode 1): 3 km/mol high they fit one above the
    // other, 5 high they do not.
    EXPECT_EQ(spectrum::bandsToLabel(bands, curve, 50, 3, 10, chosen), 6);
    EXPECT_EQ(spectrum::bandsToLabel(bands, curve, 50, 5, 10, chosen), 5);
    EXPECT_EQ(spectrum::bandsToLabel(bands, curve, 0, 1e9, 3, chosen), 3);
    // 134.3355 / 40 = 3.358: mode 1 made lower is left out.
    modes.intensity[0] = 3.35;
    spectrum::collectBands(modes, modes.intensity, bands);
    EXPECT_EQ(spectrum::bandsToLabel(bands, curve, 0, 1e9, 10, chosen), 5);
    // All one height: in the file's order.
    spectrum::collectBands(modes, nullptr, bands);
    spectrum::sampleCurve(bands, 10, x, 1.25, curve);
    ASSERT_EQ(spectrum::bandsToLabel(bands, curve, 50, 1e9, 3, chosen), 3);
    EXPECT_EQ(bands.mode[chosen[0]], 1);
    EXPECT_EQ(bands.mode[chosen[1]], 3);
    EXPECT_EQ(bands.mode[chosen[2]], 4);
    bands.count = 0;
    EXPECT_EQ(spectrum::bandsToLabel(bands, curve, 0, 1e9, 10, chosen), 0);
}

TEST(SpectrumNumbers, LayoutKeepsEveryPartInsideThePicture) {
    const Axis x = spectrum::wavenumberAxis(3976.5311, 10);
    const Axis y = spectrum::intensityAxis(89.6991);
    for (const auto& [width, height] :
         {std::pair{1200, 600}, {300, 200}, {4096, 4096}, {4096, 200}, {300, 4096}, {1920, 1080}})
        for (int panels = 1; panels <= 2; ++panels)
            for (int notes = 0; notes <= 2; ++notes) {
                const spectrum::Layout l = spectrum::layoutPicture(width, height, panels, notes);
                SCOPED_TRACE(::testing::Message() << width << "x" << height << " " << panels
                                                  << " panels, " << notes << " notes");
                EXPECT_EQ(l.panels, panels);
                EXPECT_GT(l.titleBaseline, 0);
                EXPECT_LT(l.titleBaseline, l.plot[0].top);
                for (int p = 0; p < panels; ++p) {
                    const spectrum::Box& b = l.plot[p];
                    EXPECT_GT(b.left, 0);
                    EXPECT_GT(b.width, width / 2);
                    EXPECT_LT(b.left + b.width, width);
                    EXPECT_GT(b.height, 20);
                    // Room under each panel for its tick labels.
                    const double below = p + 1 < panels ? l.plot[p + 1].top : l.axisTitleBaseline;
                    EXPECT_GE(below - (b.top + b.height), 30 * l.scale);
                    // The axes put their ends on the frame.
                    EXPECT_DOUBLE_EQ(spectrum::xOf(x, b, 4100), b.left);
                    EXPECT_DOUBLE_EQ(spectrum::xOf(x, b, 0), b.left + b.width);
                    EXPECT_DOUBLE_EQ(spectrum::yOf(y, b, 0), b.top + b.height);
                    EXPECT_DOUBLE_EQ(spectrum::yOf(y, b, 120), b.top);
                }
                double last = l.axisTitleBaseline;
                for (int n = 0; n < notes; ++n) {
                    EXPECT_GT(l.noteBaseline[n], last + 12 * l.scale);
                    last = l.noteBaseline[n];
                }
                EXPECT_LE(last, height - 4 * l.scale);
            }
    // Water's bend stands 2431.7707 / 4100 of the way from the left.
    const spectrum::Layout l = spectrum::layoutPicture(1200, 600, 1, 0);
    EXPECT_NEAR(spectrum::xOf(x, l.plot[0], 1668.2293), l.plot[0].left + l.plot[0].width * 0.593115,
                1e-3);
}
