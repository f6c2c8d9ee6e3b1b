// Other programs' output files for a made-up molecule (molecule.h), laid out line for line as
// each program prints them: whole files, and the pieces the tests put together in other orders
// (several jobs, an optimisation's tables, a section left out). One namespace a program.
#pragma once

#include "tests/layouts/molecule.h"

#include <functional>
#include <string>
#include <vector>

namespace layouts {

// Where a writer that streams hands its text, piece by piece (a file too large to hold is
// written through one).
using Sink = std::function<void(const std::string&)>;

namespace qchem { // Q-Chem 4 to 6
extern const char* const banner;
extern const char* const closing;
std::string orientation(const Molecule& m, const char* unit = "Angstroms", double scale = 1.0);
std::string analysis(const Molecule& m, bool raman = false); // "Raman Intens:" rows too
std::string output(const Molecule& m);
} // namespace qchem

namespace psi4 { // Psi4 1.3 and later
extern const char* const banner;
extern const char* const closing;
extern const char* const findif; // the heading of a finite-difference frequency step
// The table of atom 1 moved by dx along x, in bohr when `inBohr`.
std::string geometryTable(const Molecule& m, double dx = 0.0, bool inBohr = false);
std::string analysis(const Molecule& m, bool intensities = true);
std::string output(const Molecule& m);
} // namespace psi4

namespace nwchem { // NWChem 6 and 7, all 3N entries listed
extern const char* const banner;
extern const char* const closing;
std::string atomTable(const Molecule& m, double dx = 0.0);
// The eigenvector and intensity tables; `shift` is added to every frequency and intensity.
std::string modeTables(const Molecule& m, bool projected, double shift = 0.0);
// The atom table, the unprojected tables (shifted by 0.5), the projected ones.
std::string analysis(const Molecule& m);
std::string output(const Molecule& m);
} // namespace nwchem

namespace gamess {                    // GAMESS-US and Firefly, all 3N entries listed
constexpr double kmPerMole = 42.2561; // per debye**2/amu-angstrom**2
extern const char* const banner;
extern const char* const closing;
std::string bohrTable(const Molecule& m);
std::string angstromTable(const Molecule& m, double dx = 0.0);
// As GAMESS-US prints it, or as Firefly does (Raman rows); `unit`: the intensities' unit line.
std::string analysis(const Molecule& m, bool firefly = false,
                     const char* unit = "IR INTENSITIES IN DEBYE**2/AMU-ANGSTROM**2,");
std::string output(const Molecule& m);
} // namespace gamess

namespace orca { // all 3N entries listed
// Output: up to 4 the IR table's "T**2" column is in km/mol; 5 adds eps and "Int"; 6 prints 10
// columns a block and irreps.
enum class Version { v4, v5, v6 };
// "CARTESIAN COORDINATES (ANGSTROEM)" and "(A.U.)", the atoms moved by dx along x.
std::string geometryTable(const Molecule& m, double dx = 0.0);
std::string bohrTable(const Molecule& m, double dx = 0.0);
std::string frequencySection(const Molecule& m, Version version);
std::string output(const Molecule& m, Version version);
// A job on `count` grid atoms whose every vector component is 0.1, written straight to `file`
// (1000 atoms give 9 million values).
void writeGridOutput(const std::string& file, int count);
// .hess files: ORCA 5 and 6 write E notation in blocks of 5, earlier versions fixed in blocks
// of 6.
enum class Notation { exponent, fixed };
std::string frequencies(const Molecule& m);
std::string normalModes(const Molecule& m, Notation notation);
std::string atoms(const Molecule& m);
std::string hessFile(const Molecule& m, Notation notation);
void writeGridHess(const std::string& file, int count);
} // namespace orca

namespace molden {
// As Molden 5.7 writes the sections, as OpenMolcas does (" [FREQ]" after a blank, E notation,
// [INT] before the atoms), or in mixed case.
enum class Writer { molden, openMolcas, mixedCase };
// The entries from `from` on (m.first() for the vibrations alone).
std::string file(const Molecule& m, Writer writer, int from);
// `count` grid atoms and two vibrations, every row of a vector alike.
std::string gridFile(int count);
// A CP2K -VIBRATIONS-1.mol of four atoms, `fixed` of them held still in a partial Hessian.
std::string cp2kFile(int fixed);
} // namespace molden

namespace fchk {                     // Gaussian formatted checkpoint
std::string head(const Molecule& m); // the title, the atoms, an array of orbitals
std::string file(const Molecule& m, const std::vector<double>& raman = {});
std::string gridFile(int count); // two vibrations, every component alike
} // namespace fchk

namespace molpro {
extern const char* const banner;
// A frequency section: the atoms and the normal modes. The entries below `lowLimit` in size
// among the low/zero ones.
std::string frequencies(const Molecule& m, double lowLimit = 0.5);
std::string output(const Molecule& m, double lowLimit = 0.5); // the banner, then one section
} // namespace molpro

namespace turbomole {
std::string aoforce(const Molecule& m);
void aoforce(const Molecule& m, const Sink& out); // the head, then a block of modes a piece
std::string coordGroup(const Molecule& m);
std::string spectrumGroup(const Molecule& m);
// `joined`: the row and part numbers with no blank between, as once they are wide.
std::string modesGroup(const Molecule& m, bool joined = false);
void modesGroup(const Molecule& m, bool joined, const Sink& out); // a vector component a piece
std::string controlFile(const Molecule& m);
void controlFile(const Molecule& m, const Sink& out);
} // namespace turbomole

namespace dalton { // highest frequency first
extern const char* const banner;
std::string geometry(const Molecule& m, double dx = 0.0); // in bohr, moved by dx along x
// The frequencies and intensities, then the normal coordinates.
std::string frequencies(const Molecule& m);
std::string output(const Molecule& m);
} // namespace dalton

namespace mopac { // the six trivial modes after the vibrations in its FREQ(I) table
extern const char* const banner;
std::string orientation(const Molecule& m); // "ORIENTATION OF MOLECULE IN FORCE CALCULATION"
// The FREQ(I) table, then the normal coordinate analysis.
std::string frequencies(const Molecule& m);
std::string output(const Molecule& m);
} // namespace mopac

namespace adf {
extern const char* const banner;
std::string atomsTable(const Molecule& m);
std::string cartesian(const Molecule& m, double dx = 0.0); // moved by dx along x
std::string modes(const Molecule& m);
std::string output(const Molecule& m);
} // namespace adf

namespace cfour { // the vectors stand in the file as CFOUR's mass-weighted ones
// An atom's row: the element in columns 1-4, then (F9.3, F7.4, F8.4) for the first mode and
// (F10.4, F8.4, F8.4) for the others.
std::string row(const std::string& symbol, const std::vector<double>& values);
std::string head(const Molecule& m);     // the banner and the Z-matrix table, in bohr
std::string analysis(const Molecule& m); // the normal coordinate analysis
std::string output(const Molecule& m);
} // namespace cfour

} // namespace layouts
