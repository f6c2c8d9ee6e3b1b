// Test support: pieces of Gaussian listings laid out as Gaussian 98 (or 09/16, or 92/94) prints
// them, and the sample and example files; the scratch directory (scratch_dir.h) and whole files
// (files.h) come with them.
#pragma once

#include "tests/support/files.h"
#include "tests/support/scratch_dir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

struct Atom {
    int number;
    double x, y, z;
};

// The column families of the tables below, as the reader names them.
enum class Columns { gaussian98, gaussian09, gaussian94 };

// A "Standard orientation:" table: keyword, rule, two header lines, rule, rows, closing
// rule; rows (I5,I11,I14,4X,3F12.6) as Gaussian 98 prints them, (I7,I11,I12,4X,3F12.6) as
// Gaussian 09/16 do, (I5,I11,7X,3F12.6) with no "Atomic Type" column as Gaussian 92/94 do.
inline std::string orientationTable(const std::vector<Atom>& atoms, const char* keyword,
                                    Columns columns) {
    const std::string rule =
        " " + std::string(columns == Columns::gaussian94 ? 58 : 69, '-') + "\n";
    const char* header =
        columns == Columns::gaussian98
            ? " Center     Atomic     Atomic              Coordinates (Angstroms)\n"
              " Number     Number      Type              X           Y           Z\n"
        : columns == Columns::gaussian09
            ? " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
              " Number     Number       Type             X           Y           Z\n"
            : " Center     Atomic              Coordinates (Angstroms)\n"
              " Number     Number             X           Y           Z\n";
    std::string text =
        std::string(25, ' ') + keyword + std::string(25, ' ') + "\n" + rule + header + rule;
    const char* format = columns == Columns::gaussian98 ? "%5zu%11d%14d    %12.6f%12.6f%12.6f\n"
                         : columns == Columns::gaussian09
                             ? "%7zu%11d%12d    %12.6f%12.6f%12.6f\n"
                             : "%5zu%11d%.0d       %12.6f%12.6f%12.6f\n";
    char row[100];
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        std::snprintf(row, sizeof row, format, i + 1, atoms[i].number, 0, atoms[i].x, atoms[i].y,
                      atoms[i].z);
        text += row;
    }
    return text + rule;
}
inline std::string orientationTable(const std::vector<Atom>& atoms,
                                    const char* keyword = "Standard orientation:") {
    return orientationTable(atoms, keyword, Columns::gaussian98);
}

// One block of up to three modes: frequency line (first value in columns 16-27), the
// "Atom AN" header and rows (2I4, then for each mode 2X,3F7.2), or as Gaussian 09/16 print
// them, the "Atom  AN" header and rows (I6,I4, then for each mode 2X,3F7.2).
// displacements[atom] holds dx, dy, dz of each mode in turn; the atoms numbered in
// `frozen` (counted from 1) have no row.
inline std::string modeBlock(const std::vector<double>& frequencies,
                             const std::vector<int>& numbers,
                             const std::vector<std::vector<double>>& displacements, Columns columns,
                             const std::vector<int>& frozen = {}) {
    const bool wide = columns == Columns::gaussian09;
    // Gaussian 09/16 files end a block's rows at the symmetry line of the next block, whose
    // first columns are blank.
    std::string text = wide ? std::string(21, ' ') + "A                      A\n Frequencies --"
                            : " Frequencies --";
    char field[40];
    for (std::size_t m = 0; m < frequencies.size(); ++m) {
        std::snprintf(field, sizeof field, m == 0 ? "%11.4f" : "%23.4f", frequencies[m]);
        text += field;
    }
    text += wide ? "\n Red. masses --     1.0000\n  Atom  AN"
                 : "\n Red. masses --     1.0000\n Atom AN";
    for (std::size_t m = 0; m < frequencies.size(); ++m) text += "      X      Y      Z  ";
    text += "\n";
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        bool skipped = false;
        for (int f : frozen) skipped = skipped || f == int(i) + 1;
        if (skipped) continue;
        std::snprintf(field, sizeof field, wide ? "%6zu%4d" : "%4zu%4d", i + 1, numbers[i]);
        text += field;
        for (std::size_t m = 0; m < frequencies.size(); ++m) {
            const double* d = &displacements[i][3 * m];
            std::snprintf(field, sizeof field, "  %7.2f%7.2f%7.2f", d[0], d[1], d[2]);
            text += field;
        }
        text += "\n";
    }
    return text;
}
inline std::string modeBlock(const std::vector<double>& frequencies,
                             const std::vector<int>& numbers,
                             const std::vector<std::vector<double>>& displacements) {
    return modeBlock(frequencies, numbers, displacements, Columns::gaussian98);
}

inline const char* harmonicHeading =
    " Harmonic frequencies (cm**-1), IR intensities (KM/Mole),\n"
    " Raman scattering activities (A**4/AMU), Raman depolarization ratios,\n"
    " reduced masses (AMU), force constants (mDyne/A) and normal coordinates:\n";

// The real files kept in tests/data: Gaussian listings, and other programs' outputs (ORCA,
// Molden files, fchk, xtb, ...).
inline std::string sampleFile(const std::string& name) {
    return std::string(MOLVANE_TEST_DATA) + "/gaussian-samples/" + name;
}
inline std::string programSampleFile(const std::string& name) {
    return std::string(MOLVANE_TEST_DATA) + "/program-samples/" + name;
}
inline std::string exampleFile(const std::string& name) {
    return std::string(MOLVANE_EXAMPLES_DIR) + "/" + name;
}

} // namespace testsupport
