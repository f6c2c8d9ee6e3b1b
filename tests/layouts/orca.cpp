// ORCA output and .hess files, as layouts.h tells.
#include "tests/layouts/layouts.h"

#include <cstdio>

namespace layouts::orca {

std::string geometryTable(const Molecule& m, double dx) {
    std::string text = "---------------------------------\n"
                       "CARTESIAN COORDINATES (ANGSTROEM)\n"
                       "---------------------------------\n";
    for (int i = 0; i < m.atoms(); ++i) {
        char row[120];
        std::snprintf(row, sizeof row, "  %-2s %12.6f%12.6f%12.6f\n",
                      m.symbols[std::size_t(i)].c_str(), m.movedBy(dx, i, 0), m.movedBy(dx, i, 1),
                      m.movedBy(dx, i, 2));
        text += row;
    }
    return text + "\n";
}

// The masses are made up, twice the atomic number, as in the .hess files' atoms.
std::string bohrTable(const Molecule& m, double dx) {
    std::string text = "----------------------------\nCARTESIAN COORDINATES (A.U.)\n"
                       "----------------------------\n"
                       "  NO LB      ZA    FRAG     MASS         X           Y           Z\n";
    for (int i = 0; i < m.atoms(); ++i) {
        char row[120];
        const double number = m.numbers[std::size_t(i)];
        std::snprintf(row, sizeof row, "%4d %-2s %8.4f%5d%11.3f%12.6f%12.6f%12.6f\n", i,
                      m.symbols[std::size_t(i)].c_str(), number, 0, 2.0 * number,
                      m.movedBy(dx, i, 0) / bohr, m.at(i, 1) / bohr, m.at(i, 2) / bohr);
        text += row;
    }
    return text + "\n";
}

// The frequency section of a job: the list, the normal modes and the IR table.
std::string frequencySection(const Molecule& m, Version version) {
    const int n3 = m.entries();
    std::string text =
        "-----------------------\nVIBRATIONAL FREQUENCIES\n-----------------------\n\n"
        "Scaling factor for frequencies =  1.000000000  (already applied!)\n";
    if (version == Version::v6)
        text += "Point group:  C1\n                             Irrep\n";
    else
        text += "\n";
    for (int i = 0; i < n3; ++i) {
        text += format("%4d:", i) + format("%13.2f cm**-1", m.frequencies[std::size_t(i)]);
        if (m.frequencies[std::size_t(i)] < 0) text += " ***imaginary mode***";
        if (version == Version::v6) text += format("    %d-A", i + 1);
        text += "\n";
    }
    text += "\n\n------------\nNORMAL MODES\n------------\n\n"
            "These modes are the Cartesian displacements weighted by the diagonal matrix\n"
            "M(i,i)=1/sqrt(m[i]) where m[i] is the mass of the displaced atom\n"
            "Thus, these vectors are normalized but *not* orthogonal\n\n";
    const int perBlock = version == Version::v6 ? 10 : 6;
    for (int first = 0; first < n3; first += perBlock) {
        const int last = first + perBlock < n3 ? first + perBlock : n3;
        text += version == Version::v6 ? "     " : "       ";
        for (int c = first; c < last; ++c) text += format("%11d", c);
        text += "\n";
        if (version == Version::v6) {
            text += "     ";
            for (int c = first; c < last; ++c) text += format("%9d-A", c + 1);
            text += "\n";
        }
        for (int r = 0; r < n3; ++r) {
            text += format(version == Version::v6 ? "%5d" : "%7d    ", r);
            for (int c = first; c < last; ++c)
                text += format("%11.6f", m.modes[std::size_t(c)][std::size_t(r)]);
            text += "\n";
        }
        if (version == Version::v6) text += "\n";
    }
    text += "\n\n-----------\nIR SPECTRUM\n-----------\n\n";
    if (version == Version::v4)
        text += " Mode    freq (cm**-1)   T**2         TX         TY         TZ\n"
                "-------------------------------------------------------------------\n";
    else
        text += " Mode   freq       eps      Int      T**2         TX        TY        TZ\n"
                "       cm**-1   L/(mol*cm) km/mol    a.u.\n"
                "----------------------------------------------------------------------------\n";
    for (int i = m.first(); i < n3; ++i) {
        const double f = m.frequencies[std::size_t(i)], intensity = m.intensities[std::size_t(i)];
        text += format("%4d:", i) + format("%10.2f", f);
        if (version != Version::v4)
            text += format("%11.6f", intensity / 5000) + format("%8.2f", intensity);
        text += format(version == Version::v4 ? "%12.6f" : "%10.6f",
                       version == Version::v4 ? intensity : intensity / 50000);
        text += "  ( 0.000000  0.000000  0.000000)\n";
    }
    return text + "\n";
}

std::string output(const Molecule& m, Version version) {
    return "\n                                 * O   R   C   A *\n\n"
           "                         Program Version 5.0.1 -  RELEASE  -\n\n" +
           geometryTable(m) + "SCF done\n\n" + frequencySection(m, version) +
           "\n--------------------------\nTHERMOCHEMISTRY AT 298.15K\n"
           "--------------------------\n\n                             ****ORCA TERMINATED "
           "NORMALLY****\n";
}

std::string frequencies(const Molecule& m) {
    std::string text = "$vibrational_frequencies\n" + format("%d\n", m.entries());
    for (int i = 0; i < m.entries(); ++i)
        text += format("%5d", i) + format("%16.6f\n", m.frequencies[std::size_t(i)]);
    return text + "\n";
}

std::string normalModes(const Molecule& m, Notation notation) {
    const int n3 = m.entries(), perBlock = notation == Notation::exponent ? 5 : 6;
    std::string text = "$normal_modes\n" + format("%d ", n3) + format("%d\n", n3);
    for (int first = 0; first < n3; first += perBlock) {
        const int last = first + perBlock < n3 ? first + perBlock : n3;
        text += "         ";
        for (int c = first; c < last; ++c)
            text += format(notation == Notation::exponent ? "%19d" : "%11d", c);
        text += "\n";
        for (int r = 0; r < n3; ++r) {
            text += format(notation == Notation::exponent ? "%5d     " : "%11d    ", r);
            for (int c = first; c < last; ++c)
                text += format(notation == Notation::exponent ? "%19.10E" : "%11.6f",
                               m.modes[std::size_t(c)][std::size_t(r)]);
            text += "\n";
        }
    }
    return text + "\n";
}

std::string atoms(const Molecule& m) {
    std::string text =
        "#\n# The atoms: label  mass x y z (in bohrs)\n#\n$atoms\n" + format("%d\n", m.atoms());
    for (int i = 0; i < m.atoms(); ++i)
        text += " " + m.symbols[std::size_t(i)] +
                format("%13.5f", 2.0 * m.numbers[std::size_t(i)]) +
                format("%20.12f", m.at(i, 0) / bohr) + format("%19.12f", m.at(i, 1) / bohr) +
                format("%19.12f\n", m.at(i, 2) / bohr);
    return text + "\n";
}

namespace {
std::string infrared(const Molecule& m, Notation notation) {
    std::string text = notation == Notation::exponent ? "#\n#  wavenumber eps Int TX TY TZ\n#\n"
                                                      : "#\n#  wavenumber T**2 TX TY  TY\n#\n";
    text += "$ir_spectrum\n" + format("%d\n", m.entries());
    for (int i = 0; i < m.entries(); ++i) {
        text += format("%10.2f", m.frequencies[std::size_t(i)]);
        if (notation == Notation::exponent)
            text += format("%13.8f", m.intensities[std::size_t(i)] / 5000);
        text += format("%13.8f", m.intensities[std::size_t(i)]) +
                "     0.000000     0.000000     0.000000\n";
    }
    return text + "\n";
}

} // namespace

std::string hessFile(const Molecule& m, Notation notation) {
    return "\n$orca_hessian_file\n\n$act_atom\n  0\n\n$act_energy\n        0.000000\n\n"
           "$hessian\n" +
           format("%d\n", m.entries()) + "      0\n    0   1.0E+00\n\n" + frequencies(m) +
           normalModes(m, notation) + atoms(m) + "$actual_temperature\n  0.000000\n\n" +
           infrared(m, notation) + "\n$end\n\n";
}

namespace {

// `count` grid atoms and 3N entries: six of 0 cm**-1, then 1, 2, 3, ... (the vectors are not
// these entries': the files are written by writeBlocks).
Molecule gridListing(int count) {
    Molecule grid = threeOf(count);
    grid.frequencies.assign(std::size_t(3 * count), 0.0);
    for (int i = 6; i < grid.entries(); ++i) grid.frequencies[std::size_t(i)] = i - 5.0;
    return grid;
}

// Writes `head`, then the blocks of `perBlock` columns of 3N rows whose every value is 0.1,
// each row `label` then the values, then `tail`.
void writeBlocks(const std::string& file, const std::string& head, int n3, int perBlock,
                 const char* heading, const char* number, const char* label,
                 const std::string& tail) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    std::fputs(head.c_str(), out);
    std::string row;
    for (int first = 0; first < n3; first += perBlock) {
        row = heading;
        for (int c = first; c < first + perBlock; ++c) row += format(number, c);
        std::fputs((row + "\n").c_str(), out);
        for (int r = 0; r < n3; ++r) {
            row = format(label, r);
            for (int c = 0; c < perBlock; ++c) row += "   0.100000";
            row += "\n";
            std::fwrite(row.data(), 1, row.size(), out);
        }
    }
    std::fputs(tail.c_str(), out);
    std::fclose(out);
}

} // namespace

void writeGridOutput(const std::string& file, int count) {
    const Molecule grid = gridListing(count);
    std::string head =
        geometryTable(grid) +
        "-----------------------\nVIBRATIONAL FREQUENCIES\n-----------------------\n\n";
    for (int i = 0; i < grid.entries(); ++i)
        head += format("%5d:", i) + format("%13.2f cm**-1\n", grid.frequencies[std::size_t(i)]);
    head += "\n------------\nNORMAL MODES\n------------\n\n";
    writeBlocks(file, head, 3 * count, 10, "     ", "%11d", "%5d", "\n");
}

void writeGridHess(const std::string& file, int count) {
    const Molecule grid = gridListing(count);
    const int n3 = 3 * count;
    const std::string head = frequencies(grid) + "$normal_modes\n" + std::to_string(n3) + " " +
                             std::to_string(n3) + "\n";
    writeBlocks(file, head, n3, 6, "         ", "%11d", "%11d    ", "\n" + atoms(grid) + "$end\n");
}

} // namespace layouts::orca
