// Real files of every program (tests/data), read as a run reads them through the reader's face, to
// the values printed in them: one row a file, its values checked by hand against the file's text.
#include "tests/reader/reading.h"

#include <filesystem>
#include <map>

using namespace readertest;

namespace {

// A vibration's vector as printed at the first and last atom, and the length of the whole
// printed vector (1: the values below are already rescaled by hand).
struct Vector {
    int mode;
    double norm;
    double first[3], last[3];
};

// A value of the list of vibrations: modeList.frequency[index] or .intensity[index].
struct Value {
    int index;
    double value;
};

struct RealFile {
    const char* name; // under tests/data
    Format format;
    std::vector<int> numbers;
    double first[3], last[3]; // the first and last atom, Angstroms
    int modes;
    Vector vectors[3];
    std::vector<Value> frequencies;      // the first is index 0
    std::vector<Value> intensities = {}; // none: the file has no intensities
    bool raman = false;                  // a Raman row is printed (xtb: all zero)
};

const std::vector<int> dvb = {6, 6, 6, 6, 6, 6, 1, 1, 1, 1, 6, 6, 1, 1, 6, 6, 1, 1, 1, 1};
const double km = gamess::kmPerMole;

const RealFile files[] = {
    // Q-Chem 5.4: the standard orientation; vibrations printed to three decimals.
    {"program-samples/qchem5.4-water-ir.out",
     Format::qchem,
     {8, 1, 1},
     {-0.0, 0.0, 0.1191593746},
     {0.7906491549, -0.0, -0.4766374983},
     3,
     {{1, 0.9998309857, {-0.000, -0.000, -0.070}, {0.430, -0.000, 0.559}},
      {2, 0.9995428955, {-0.000, -0.000, -0.050}, {-0.583, 0.000, 0.398}},
      {3, 0.9992652301, {-0.071, -0.000, 0.000}, {0.563, -0.000, -0.424}}},
     {{0, 1860.10}, {2, 4272.66}},
     {{1, 61.120}}},
    // Psi4 1.7: the reference geometry in bohr, first after the finite-difference heading (the
    // table printed last has y = -0.131878614048 for atom 20); its vibrations 7, 8 and 60.
    {"program-samples/psi4-1.7-dvb-ir.out",
     Format::psi4,
     dvb,
     {-2.674441177480 * bohr, 0.435056122520 * bohr, 0.0},
     {-9.319459068080 * bohr, -0.134368889790 * bohr, 0.0},
     54,
     {{1, 1.007571, {0.00, -0.00, -0.11}, {-0.00, 0.00, 0.43}},
      {2, 0.998699, {0.00, -0.00, -0.14}, {-0.00, 0.00, 0.20}},
      {54, 1.005286, {-0.00, -0.00, 0.00}, {-0.47, 0.14, -0.00}}},
     {{0, 137.2531}, {53, 3680.4324}},
     {{0, 0.0544}, {53, 0.1911}}},
    // NWChem 7.0: the atom table in bohr; the projected table (81.56, unprojected 81.29; mode 33
    // 13.162, unprojected 13.163), whose modes 7, 8 and 60 are vibrations 1, 2 and 54.
    {"program-samples/nwchem7.0-dvb-ir.out",
     Format::nwchem,
     dvb,
     {4.4749758e-01 * bohr, 2.6723874 * bohr, 0.0},
     {-9.0996939e-02 * bohr, 9.3199828 * bohr, 0.0},
     54,
     {{1, 0.560961, {-0.00000, 0.00000, -0.04456}, {0.00000, 0.00000, 0.16996}},
      {2, 0.633712, {0.00000, 0.00000, 0.05431}, {-0.00000, -0.00000, -0.06336}},
      {54, 0.945635, {-0.00016, 0.00032, -0.00000}, {0.13347, 0.44621, 0.00000}}},
     {{0, 49.01}, {1, 81.56}, {53, 3546.65}},
     {{25, 0.000}, {26, 13.162}}},
    // GAMESS 2018, a transition state: the six smallest of |825.18|, 3.88, 0.02, 0.68, 46.87,
    // 69.45, 69.45, 1691.24, ... are modes 2 to 7; vibrations 1, 2 and 6 are modes 1, 8, 12.
    {"program-samples/gamess2018-nh3-ts-ir.out",
     Format::gamess,
     {7, 1, 1, 1},
     {0.0, 0.0, 0.0},
     {1.8454915779 * bohr, 0.0, 0.0},
     6,
     {{1, 0.910022, {-0.00000000, 0.00000000, -0.11281030}, {0.00000000, -0.00000000, 0.52134891}},
      {2, 0.954098, {-0.07971306, -0.00000041, 0.00000000}, {-0.03702575, 0.00000404, 0.00000000}},
      {6, 0.996110, {-0.00019710, 0.00000000, -0.00000000}, {0.57700408, 0.00000000, -0.00000000}}},
     {{0, -825.18}, {1, 1691.24}, {5, 3661.48}},
     {{0, 21.64357 * km}, {1, 3.10631 * km}}},
    // ORCA 5.0.1: the table at line 293, the frequencies at 1289 (six 0.00 first), NORMAL MODES
    // at 1357 in blocks of 6, IR SPECTRUM at 1977 (entry 50: Int 96.88 km/mol, T**2 0.001763).
    {"program-samples/orca5-dvb-ir.out",
     Format::orcaOutput,
     dvb,
     {-1.415253, 0.230222, 0.0},
     {-4.931645, -0.071105, 0.0},
     54,
     {{1, 1.0, {0.0, 0.0, -0.078644}, {0.0, 0.0, 0.299009}},
      {2, 1.0, {0.0, 0.0, 0.085575}, {0.0, 0.0, -0.100397}},
      {54, 1.0, {-0.000338, -0.000168, 0.0}, {-0.472766, 0.139000, 0.0}}},
     {{0, 45.66}},
     {{44, 96.88}}},
    // ORCA 5 .hess of a C20 transition state: $atoms at line 1549 (bohr: -1.814904320846 is
    // -0.960406 A), $vibrational_frequencies at 748 (six 0.000000, then -328.034493),
    // $normal_modes at 811 in blocks of 5, $ir_spectrum at 1645 (entry 10: 11.43606420).
    {"program-samples/orca5-c20-ts.hess",
     Format::orcaHessian,
     std::vector<int>(20, 6),
     {-0.960406, -0.578356, 1.662369},
     {-3.376259, 0.206640, -1.662368},
     54,
     {{1, 1.0, {-0.285141, 0.100611, -0.333616}, {0.285141, -0.100610, 0.333615}},
      {2, 1.0, {-0.026422, -0.022118, 0.173786}, {0.026421, 0.022117, -0.173787}},
      {54, 1.0, {-0.028627, -0.150590, -0.014581}, {0.028629, 0.150592, 0.014579}}},
     {{0, -328.034493}},
     {{4, 11.43606420}}},
    // Molden 5.7 from a GAMESS run: [Atoms], [GTO] and [MO] first, [FREQ] at line 4068 (3N-6
    // entries), [FR-COORD] in bohr (2.67238738 is 1.414167 A), [INT] last.
    {"program-samples/molden5.7-dvb-ir.molden",
     Format::molden,
     dvb,
     {1.414167, -0.236806, 0.0},
     {4.931922, 0.048154, 0.0},
     54,
     {{1, 1.0, {0.0, 0.0, -0.079500}, {0.0, 0.0, 0.303736}},
      {2, 1.0, {0.0, 0.0, -0.089058}, {0.0, 0.0, 0.092918}},
      {54, 1.0, {0.000335, 0.000167, 0.0}, {0.469839, -0.140172, 0.0}}},
     {{0, 47.87}},
     {{8, 5.908094}}},
    // Gaussian 16 A.03 checkpoint: "Current cartesian coordinates" at line 30 (bohr:
    // 5.09177602E-01 is 0.269445 A), Vib-E2 at 3764 (frequencies, reduced masses, force
    // constants, IR intensities), Vib-Modes at 3917.
    {"program-samples/g16-dvb-ir.fchk",
     Format::fchk,
     {6, 6, 6, 6, 6, 1, 1, 1, 6, 6, 1, 1, 1, 6, 1, 6, 1, 1, 6, 1},
     {0.269445, 1.410118, 0.0},
     {2.364759, 0.813041, 0.0},
     54,
     {{1, 1.0, {0.0, 0.0, -0.080738}, {0.0, 0.0, -0.112494}},
      {2, 1.0, {0.0, 0.0, 0.085086}, {0.0, 0.0, -0.083288}},
      {54, 1.0, {0.000154, -0.000352, 0.0}, {0.000692, 0.000262, 0.0}}},
     {{0, 53.1980918}},
     {{8, 5.80386187}}},
    // Molpro 2018: "Atomic Coordinates" in bohr, vectors scaled to sum m v^2 = 1, the low/zero
    // block after the 54 vibrations.
    {"more-program-samples/molpro2018-dvb-ir.out",
     Format::molpro,
     {6, 6, 6, 6, 6, 6, 6, 6, 1, 1, 1, 1, 6, 6, 1, 1, 1, 1, 1, 1},
     {2.676555196 * bohr, 0.445053706 * bohr, 0.0},
     {7.012025928 * bohr, -2.731625597 * bohr, 0.0},
     54,
     {{1, 0.552616, {0.0, 0.0, -0.04531}, {0.0, 0.0, 0.26750}},
      {2, 0.633573, {0.0, 0.0, -0.05420}, {0.0, 0.0, 0.28162}},
      {54, 0.945652, {-0.00033, 0.00015, 0.0}, {-0.07446, -0.46056, 0.0}}},
     {{0, 55.87}},
     {{8, 5.84}}},
    // Turbomole 7.4 aoforce: nine modes, six at 0.00; vectors of unit length, 5 decimals.
    {"more-program-samples/turbomole7.4-water-aoforce.out",
     Format::aoforce,
     {8, 1, 1},
     {0.0, 0.0, 0.33082209 * bohr},
     {0.0, -1.45589283 * bohr, -0.95353550 * bohr},
     3,
     {{1, 1.0, {0.0, 0.0, 0.06794}, {0.0, 0.45490, -0.53922}},
      {2, 1.0, {0.0, 0.0, 0.05335}, {0.0, -0.56509, -0.42338}},
      {3, 1.0, {0.0, -0.06666, 0.0}, {0.0, 0.529083, 0.466743}}},
     {{0, 2016.19}},
     {{1, 69.67}}},
    // The control file of the same job, its groups in coord, vib_normal_modes and vibspectrum:
    // the same modes with ten decimals, the intensities with five.
    {"more-program-samples/turbomole7.4-water-ir/control",
     Format::turbomole,
     {8, 1, 1},
     {0.0, -0.00000000000001 * bohr, 0.33082208695090 * bohr},
     {0.0, -1.45589282870709 * bohr, -0.95353549684997 * bohr},
     3,
     {{1, 1.0, {0.0, 0.0, 0.06794}, {0.0, 0.45490, -0.53922}},
      {2, 1.0, {0.0, 0.0, 0.05335}, {0.0, -0.56509, -0.42338}},
      {3, 1.0, {0.0, -0.0666648067, 0.0}, {0.0, 0.5290816731, 0.4667445608}}},
     {{0, 2016.19}},
     {{1, 69.66928}}},
    // DALTON 2015 lists 3546.72 down to 46.75: vibration 1 is its last column (printed z
    // -0.044164 and 0.167794, length 0.564800), vibration 54 its first.
    {"more-program-samples/dalton2015-dvb-ir.out",
     Format::dalton,
     {6, 6, 6, 6, 6, 6, 1, 1, 1, 1, 6, 6, 1, 1, 6, 6, 1, 1, 1, 1},
     {-2.6744411768 * bohr, 0.4350561224 * bohr, 0.0},
     {-9.3194590658 * bohr, -0.1343688898 * bohr, 0.0},
     54,
     {{1, 1.0, {0.0, 0.0, -0.078194}, {0.0, 0.0, 0.297085}},
      {2, 1.0, {0.0, 0.0, 0.085142}, {0.0, 0.0, -0.098980}},
      {54, 1.0, {-0.000337, -0.000167, 0.0}, {-0.473113, 0.139088, 0.0}}},
     {{0, 46.75}, {53, 3546.72}},
     {{44, 98.616}}},
    // MOPAC 2016: three roots (its FREQ(I) table's first three entries), printed with lengths
    // 0.671864, 0.675133, 0.689186; no intensities.
    {"more-program-samples/mopac2016-h2o-force.out",
     Format::mopac,
     {8, 1, 1},
     {-0.0395, -0.0516, 0.0},
     {-0.2903, 0.8700, 0.0},
     3,
     {{1, 1.0, {-0.047629, -0.062513, 0.0}, {0.640011, 0.297531, 0.0}},
      {2, 1.0, {-0.056137, 0.042806, 0.0}, {0.186778, -0.680162, 0.0}},
      {3, 1.0, {-0.022926, -0.030035, 0.0}, {-0.326472, 0.626391, 0.0}}},
     {{0, 1397.9064}, {2, 2857.1874}}},
    // ADF 2013: the last "Coordinates (Cartesian)" table, the undisplaced one; vectors of
    // lengths 1.000116, 0.999617 and 1.000551.
    {"more-program-samples/adf2013-dvb-ir.adfout",
     Format::adf,
     {6, 6, 6, 6, 6, 1, 1, 1, 6, 6, 1, 1, 1, 6, 1, 6, 1, 1, 6, 1},
     {-1.275568, 0.692949, 0.0},
     {-0.053320, 2.519080, 0.0},
     54,
     {{1, 1.0, {0.0, 0.0, -0.099988}, {0.0, 0.0, -0.132985}},
      {2, 1.0, {0.0, 0.0, 0.102039}, {0.0, 0.0, -0.071027}},
      {54, 1.0, {0.0, 0.0, 0.0}, {0.0, -0.000999, 0.0}}},
     {{0, 82.433}, {53, 3436.365}},
     {{44, 106.709309}}},
    // CFOUR 2.1: 54 VIBRATION rows (two imaginary and four small ones are rotations and
    // translations); the printed vectors divided by the square root of 12.011 (C) and 1.008
    // (H), then rescaled: mode 1 prints C 0.1452 and H -0.3028 in z.
    {"more-program-samples/cfour2.1-dvb-ir.c4",
     Format::cfour,
     {6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
     {2.63251022 * bohr, 0.42886586 * bohr, 0.0},
     {-6.94567284 * bohr, 2.69019626 * bohr, 0.0},
     54,
     {{1, 1.0, {0.0, 0.0, 0.070787}, {0.0, 0.0, -0.509565}},
      {2, 1.0, {0.0, 0.0, 0.075797}, {0.0, 0.0, 0.448030}},
      {54, 1.0, {0.000305, -0.000122, 0.0}, {-0.078467, -0.499872, 0.0}}},
     {{0, 39.6075}, {53, 3816.2118}},
     {{44, 136.3592}}},
    // xtb 6.6.1's g98.out: Gaussian 98's layout of mass-weighted vectors; rescaled from the
    // printed rows (C weighs 12.011, H 1.008), mode 1 prints C 0.14 and H -0.31 in z.
    {"program-samples/xtb6.6.1-dvb-ir-g98.out",
     Format::xtb,
     {6, 6, 6, 6, 6, 6, 1, 1, 1, 1, 6, 6, 1, 1, 1, 6, 6, 1, 1, 1},
     {0.232142, -1.392784, 0.000002},
     {-1.411153, -3.656654, 0.000011},
     54,
     {{1, 1.0, {0.0, 0.0, 0.066932}, {0.0, 0.0, -0.511595}},
      {2, 1.0, {0.0, 0.0, 0.069746}, {0.0, 0.0, -0.451420}},
      {54, 1.0, {0.0, 0.0, 0.0}, {-0.481674, 0.062827, 0.0}}},
     {{0, 26.1517}, {53, 3131.4272}},
     {{0, 0.0024}, {2, 0.2011}},
     true},
    // Gaussian 16 with high-precision modes, which come first and are passed over, intensities
    // included (the section read prints 53.1981, 84.7415, 149.4005 with 0.0342, 0.0000, 0.3727).
    {"gaussian-samples/g16-dvb-hpmodes.out",
     Format::gaussian,
     {6, 6, 6, 6, 6, 1, 1, 1, 6, 6, 1, 1, 1, 6, 1, 6, 1, 1, 6, 1},
     {0.269445, 1.410118, 0.0},
     {2.364759, 0.813041, -0.000000},
     54,
     {{1, 1.0, {0.00, 0.00, -0.08}, {0.00, 0.00, -0.11}},
      {2, 1.0, {-0.00, 0.00, 0.09}, {-0.00, 0.00, -0.08}},
      {54, 1.0, {0.00, -0.00, 0.00}, {0.00, 0.00, 0.00}}},
     {{0, 53.1981}, {1, 84.7415}, {51, 3470.0274}, {53, 3548.3320}},
     {{0, 0.0342}, {2, 0.3727}, {52, 0.0040}}},
    // Gaussian 03, NoSymm: the last "Input orientation:" table; a transition state.
    {"gaussian-samples/g03-nosymm-ts.log",
     Format::gaussian,
     {6, 6, 1, 1, 1, 1, 1},
     {-0.104295, 0.744624, 0.0},
     {1.816168, -1.155271, 0.0},
     15,
     {{1, 1.0, {-0.01, 0.02, 0.00}, {-0.94, 0.27, 0.00}},
      {2, 1.0, {0.07, -0.03, 0.00}, {0.17, 0.93, 0.00}},
      {15, 1.0, {0.00, 0.00, 0.07}, {0.00, 0.00, 0.00}}},
     {{0, -757.8102}, {14, 3234.2090}},
     {{0, 13.3310}}},
};

TEST(RealFiles, ReadToTheValuesPrintedInThem) {
    for (const RealFile& f : files)
        for (const Vector& v : f.vectors) {
            SCOPED_TRACE(std::string(f.name) + ", vibration " + std::to_string(v.mode));
            const Reading r = read(std::string(MOLVANE_TEST_DATA) + "/" + f.name, v.mode);
            ASSERT_TRUE(readWell(r));
            EXPECT_EQ(r.format, f.format);
            const int n = int(f.numbers.size());
            ASSERT_EQ(reader::atomCount, n);
            for (int i = 0; i < n; ++i) EXPECT_EQ(reader::geometry[i][0], f.numbers[i]) << i;
            expectAtom(reader::geometry[0], f.numbers[0], f.first[0], f.first[1], f.first[2], 1e-6);
            expectAtom(reader::geometry[n - 1], f.numbers[n - 1], f.last[0], f.last[1], f.last[2],
                       1e-6);
            EXPECT_EQ(reader::modeList.count, f.modes);
            EXPECT_NEAR(reader::firstFrequency, f.frequencies[0].value, 1e-9);
            for (const Value& x : f.frequencies)
                EXPECT_NEAR(reader::modeList.frequency[x.index], x.value, 1e-9) << x.index;
            EXPECT_EQ(reader::modeList.hasIntensities, !f.intensities.empty());
            for (const Value& x : f.intensities)
                EXPECT_NEAR(reader::modeList.intensity[x.index], x.value, 1e-9) << x.index;
            EXPECT_EQ(reader::modeList.hasRaman, f.raman);
            const double tolerance = v.norm == 1.0 ? 1e-5 : 2e-6;
            expectDisplacement(reader::modeVector[0], f.numbers[0], v.first[0], v.first[1],
                               v.first[2], v.norm, tolerance);
            expectDisplacement(reader::modeVector[n - 1], f.numbers[n - 1], v.last[0], v.last[1],
                               v.last[2], v.norm, tolerance);
        }
}

// Every file at hand (the test data's program outputs, the examples) is told for what it is:
// the format of its row above or below, or none.
TEST(RealFiles, EveryFileAtHandIsToldForWhatItIs) {
    std::map<std::string, Format> told = {{"ammonia-ts-freq.out", Format::gaussian},
                                          {"formaldehyde-freq.out", Format::gaussian},
                                          {"water-optfreq.out", Format::gaussian},
                                          {"vibspectrum", Format::turbomole},
                                          {"coord", Format::turbomole},
                                          {"vib_normal_modes", Format::turbomole}};
    for (const RealFile& f : files)
        told[std::filesystem::path(f.name).filename().string()] = f.format;
    const std::string data = MOLVANE_TEST_DATA;
    int files = 0;
    for (const std::string& folder : {std::string(MOLVANE_EXAMPLES_DIR), data + "/gaussian-samples",
                                      data + "/program-samples", data + "/more-program-samples"})
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (!entry.is_regular_file() || name == "README.md") continue;
            // Made outside the guarded run, which a file that fits no format leaves by a jump.
            const std::string path = entry.path().string();
            Format format = Format::gaussian;
            const testsupport::RunEnd end =
                testsupport::guarded([&] { format = reader::recogniseFormat(path); });
            const auto row = told.find(name);
            if (row == told.end()) {
                EXPECT_TRUE(end.ended) << path << " taken for format " << int(format);
            } else {
                EXPECT_FALSE(end.ended) << end.diagnostic();
                EXPECT_EQ(format, row->second) << path;
            }
            ++files;
        }
    EXPECT_GE(files, 25);
}

} // namespace
