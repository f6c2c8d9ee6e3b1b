// Made-up molecules and their vibrations, for the writers of each program's output
// (layouts.h): every value is chosen so that a reader that takes the wrong column, atom, entry
// or unit reads something else.
#pragma once

#include <string>
#include <vector>

namespace layouts {

constexpr double bohr = 0.529177210903; // Angstroms

// A molecule and what a frequency job lists for it: `entries()` listed frequencies, each with
// a vector of 3N values and an IR intensity (km/mol). The last `vibrations` entries are the
// vibrations; those before them (`first()` of them) are translations and rotations.
struct Molecule {
    std::vector<std::string> symbols;
    std::vector<int> numbers;
    std::vector<double> xyz; // 3 per atom, Angstroms
    std::vector<double> frequencies;
    std::vector<std::vector<double>> modes;
    std::vector<double> intensities;
    int vibrations = 0;
    int atoms() const { return int(symbols.size()); }
    int entries() const { return int(frequencies.size()); }
    int first() const { return entries() - vibrations; }
    double at(int atom, int axis) const { return xyz[std::size_t(3 * atom + axis)]; }
    // The coordinate with the atom moved by dx along x; as at() when dx is 0 (a -0.0 kept).
    double movedBy(double dx, int atom, int axis) const {
        return axis == 0 && dx != 0.0 ? at(atom, 0) + dx : at(atom, axis);
    }
};

// printf of one number into a string, however long.
std::string format(const char* layout, double value);
std::string format(const char* layout, int value);
// `f` as most programs print an imaginary wave number: its size in `layout`, then "i" (or a
// blank after a real one).
std::string imaginaryAfter(double f, const char* layout);

// --- Molecules listing their vibrations alone -----------------------------------------------

// The given atoms listing the given frequencies, each entry with a vector of two decimals
// (printed exactly by every layout) of its own and an intensity of 10 km/mol times its place.
Molecule molecule(std::vector<std::string> symbols, std::vector<int> numbers,
                  std::vector<double> xyz, std::vector<double> frequencies);
// Bent water, its three vibrations; a transition state when `imaginary` (the first negative).
Molecule water(bool imaginary = false);
// Linear carbon dioxide, its four vibrations.
Molecule carbonDioxide();
// `atoms` atoms (carbon and hydrogen by turns) on a grid of 1.5 Angstrom, ten by ten by as many
// layers as needed, with three vibrations.
Molecule grid(int atoms);
// The molecule with its translations and rotations listed too, as NWChem and GAMESS list them:
// `small` entries of small frequencies (not zero) put before the vibrations, after the first
// one when it is imaginary (as a transition state's list is ordered).
Molecule withTranslations(const Molecule& m, int small);
// The entry of `listing` (made by withTranslations) that is vibration `vibration`.
int entryOf(const Molecule& listing, int vibration, int small);

// --- Molecules listing all 3N entries ----------------------------------------------------------

struct Atom {
    int number;
    double x, y, z; // Angstroms
};

// The translations and rotations first (frequency 0, vector 0), then the given vibrations, whose
// vectors are deliberately not of unit length and no two alike.
Molecule withVibrations(const std::vector<Atom>& atoms, std::vector<double> frequencies);
// Three atoms off a line: one imaginary frequency.
Molecule bentTransitionState();
// Three atoms on the z axis: 3N-5 = 4 vibrations.
Molecule linearTriatomic();
// Two atoms: one vibration.
Molecule diatomic();
// `count` atoms in a grid (carbon, every third hydrogen).
std::vector<Atom> gridAtoms(int count);
// `count` grid atoms listing three vibrations alone.
Molecule threeOf(int count);

} // namespace layouts
