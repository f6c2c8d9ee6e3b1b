// Every program's layout (tests/layouts) read back: transition states, linear molecules and
// diatomics, the translations and rotations listed or not, each program's versions and
// notations; every vibration read, then a step from the first to the last.
#include "tests/reader/reading.h"

using namespace readertest;

namespace {

struct Layout {
    std::string name;
    Format format;
    Molecule m;              // what the file holds
    std::string text;        // the file
    double tolerance = 1e-5; // of the geometry, as printed
    double intensity = 1e-6; // of the intensities as printed; below 0: the file has none
    bool weighted = false;   // the vectors stand mass-weighted in the file
};

std::vector<Layout> layoutsOfEveryProgram() {
    const Molecule ts = water(true), co2 = carbonDioxide();
    const Molecule tsListing = withTranslations(ts, 6), co2Listing = withTranslations(co2, 5);
    const Molecule bent = bentTransitionState(), linear = linearTriatomic(), two = diatomic();
    // OpenMolcas-like programs list all 3N entries: six near-zero ones that are no vibration.
    Molecule all = bent;
    const double nearZero[] = {1.5, -2.5, 0.5, 3.25, -0.75, 2.0};
    for (int i = 0; i < 6; ++i) {
        all.frequencies[std::size_t(i)] = nearZero[i];
        all.modes[std::size_t(i)] = all.modes[std::size_t(6 + i % 3)];
    }
    using orca::Notation, orca::Version, molden::Writer;
    std::vector<Layout> rows = {
        {"Q-Chem", Format::qchem, ts, qchem::output(ts)},
        {"Q-Chem", Format::qchem, co2, qchem::output(co2)},
        {"Psi4", Format::psi4, ts, psi4::output(ts)},
        {"Psi4", Format::psi4, co2, psi4::output(co2)},
        // Three rotation-like modes Psi4 did not project out, listed among the vibrations.
        {"Psi4, rotations", Format::psi4, withTranslations(ts, 3),
         psi4::output(withTranslations(ts, 3))},
        {"NWChem", Format::nwchem, tsListing, nwchem::output(tsListing)},
        {"NWChem", Format::nwchem, co2Listing, nwchem::output(co2Listing)},
        {"GAMESS", Format::gamess, tsListing, gamess::output(tsListing), 1e-5, 3e-4},
        {"GAMESS", Format::gamess, co2Listing, gamess::output(co2Listing), 1e-5, 3e-4},
        {"ORCA 5", Format::orcaOutput, bent, orca::output(bent, Version::v5), 1e-5, 0.006},
        {"ORCA 6", Format::orcaOutput, bent, orca::output(bent, Version::v6), 1e-5, 0.006},
        {"ORCA 6, irreps", Format::orcaOutput, linear, orca::output(linear, Version::v6), 1e-5,
         0.006},
        {"ORCA 4", Format::orcaOutput, two, orca::output(two, Version::v4), 1e-5, 0.006},
        {".hess of ORCA 5", Format::orcaHessian, bent, orca::hessFile(bent, Notation::exponent)},
        {".hess of ORCA 5", Format::orcaHessian, linear,
         orca::hessFile(linear, Notation::exponent)},
        {".hess before 5", Format::orcaHessian, linear, orca::hessFile(linear, Notation::fixed)},
        {".hess before 5", Format::orcaHessian, two, orca::hessFile(two, Notation::fixed)},
        {"Molden", Format::molden, bent, molden::file(bent, Writer::molden, bent.first())},
        {"OpenMolcas", Format::molden, linear,
         molden::file(linear, Writer::openMolcas, linear.first())},
        {"Molden in mixed case", Format::molden, two,
         molden::file(two, Writer::mixedCase, two.first())},
        {"Molden, 3N entries", Format::molden, all, molden::file(all, Writer::molden, 0)},
        {"OpenMolcas, 3N entries", Format::molden, linear,
         molden::file(linear, Writer::openMolcas, 0)},
        {"DALTON", Format::dalton, ts, dalton::output(ts)},
        {"DALTON", Format::dalton, co2, dalton::output(co2)},
        {"MOPAC", Format::mopac, ts, mopac::output(ts), 5e-5, -1.0},
        {"MOPAC", Format::mopac, co2, mopac::output(co2), 5e-5, -1.0},
        {"ADF", Format::adf, ts, adf::output(ts)},
        {"ADF", Format::adf, co2, adf::output(co2)},
        {"CFOUR", Format::cfour, ts, cfour::output(ts), 1e-5, 1e-6, true},
        {"CFOUR", Format::cfour, co2, cfour::output(co2), 1e-5, 1e-6, true},
    };
    for (const Molecule& m : {bent, linear, two}) {
        rows.push_back({"fchk", Format::fchk, m, fchk::file(m)});
        rows.push_back({"Molpro", Format::molpro, m, molpro::output(m), 1e-8, 1e-2});
        rows.push_back({"aoforce", Format::aoforce, m, turbomole::aoforce(m), 1e-8, 1e-2});
        rows.push_back({"control", Format::turbomole, m, turbomole::controlFile(m), 1e-8, 1e-2});
    }
    return rows;
}

TEST(EveryLayout, ReadsTheMoleculeItHolds) {
    ScratchDir dir;
    for (const Layout& l : layoutsOfEveryProgram()) {
        SCOPED_TRACE(l.name + ", " + std::to_string(l.m.atoms()) + " atoms, " +
                     std::to_string(l.m.vibrations) + " vibrations");
        const std::string file = dir.write("job", l.text);
        ASSERT_EQ(reader::recogniseFormat(file), l.format);
        expectEveryMode(l.m, file, l.format, l.tolerance, l.weighted);
        ASSERT_EQ(reader::modeList.hasIntensities, l.intensity >= 0.0);
        const std::vector<int> entries = vibrationEntries(l.m);
        for (int v = 0; l.intensity >= 0.0 && v < l.m.vibrations; ++v)
            EXPECT_NEAR(reader::modeList.intensity[v], l.m.intensities[std::size_t(entries[v])],
                        l.intensity)
                << "vibration " << v + 1;
        EXPECT_FALSE(reader::modeList.hasRaman);
    }
}

} // namespace
