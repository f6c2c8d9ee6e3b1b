// The large DALTON, MOPAC, ADF and CFOUR outputs of the reader benchmark.
#include "bench/reader/more_layouts.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace benchlayouts {
namespace {

constexpr int atoms = 300;
constexpr int modes = 3 * atoms - 6;
constexpr double bohr = 0.529177210903;

std::FILE* create(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) {
        std::perror(path.c_str());
        std::exit(1);
    }
    return f;
}

// Atom i of the molecule (carbon, every third one hydrogen), in Angstroms.
double coordinate(int i, int k) {
    const double t = i * 0.37;
    return k == 0 ? 12.0 * std::sin(t) : k == 1 ? 12.0 * std::cos(t) : 0.05 * i - 7.0;
}
const char* symbol(int i) { return i % 3 == 2 ? "H" : "C"; }
double frequency(int m) { return 20.0 + 4.0 * m; }
double component(int m, int row) { return 0.3 * std::sin(0.01 * row * m + m); }

// Text written by `step` (its argument counting from 1) until the file holds `bytes`.
template <class Step> void fill(std::FILE* f, long bytes, Step step) {
    for (int n = 1; std::ftell(f) < bytes; ++n) step(n);
}

} // namespace

void generateDalton(const std::string& path, long megabytes) {
    std::FILE* f = create(path);
    std::fputs("     *************** Dalton - An Electronic Structure Program "
               "***************\n\n",
               f);
    const long reserve = long(modes / 5 + 1) * (3 * atoms + atoms + 3) * 66 + modes * 60;
    fill(f, megabytes * 1000000L - reserve, [&](int n) {
        std::fprintf(f,
                     "\n Iteration %d\n\n                             Molecular geometry (au)\n"
                     "                             -----------------------\n\n",
                     n);
        for (int i = 0; i < atoms; ++i)
            std::fprintf(f, " %-2s    %20.10f%24.10f%24.10f\n", symbol(i),
                         coordinate(i, 0) / bohr + n * 1e-8, coordinate(i, 1) / bohr,
                         coordinate(i, 2) / bohr);
        std::fputs("\n\n", f);
    });
    std::fputs("\n  Vibrational Frequencies and IR Intensities\n"
               "  ------------------------------------------\n\n"
               "  mode   irrep        frequency             IR intensity\n"
               "  ============================================================\n"
               "                  cm-1       hartrees     km/mol   (D/A)**2/amu\n"
               "  ------------------------------------------------------------\n",
               f);
    for (int k = 0; k < modes; ++k)
        std::fprintf(f, "%4d      A   %10.2f    0.016160  %9.3f   0.0000\n", k + 1,
                     frequency(modes - 1 - k), 0.5 * k);
    std::fputs("\n\n\n  Normal Coordinates (bohrs*amu**(1/2)):\n"
               "  --------------------------------------\n\n",
               f);
    for (int first = 0; first < modes; first += 5) {
        const int n = modes - first < 5 ? modes - first : 5;
        std::fputs("\n              ", f);
        for (int c = 0; c < n; ++c) std::fprintf(f, "%3d%6.0f    ", first + c + 1, 3000.0 - c);
        std::fputs("\n  ----------------------------------------------------------------------\n",
                   f);
        for (int i = 0; i < atoms; ++i) {
            std::fputs("\n", f);
            for (int k = 0; k < 3; ++k) {
                std::fprintf(f, "    %-2s     %c ", symbol(i), "xyz"[k]);
                for (int c = 0; c < n; ++c)
                    std::fprintf(f, "%12.6f", component(first + c, 3 * i + k));
                std::fputs("\n", f);
            }
        }
    }
    std::fputs("\n\n  Interpretation of vibrational modes\n", f);
    std::fclose(f);
}

void generateMopac(const std::string& path, long megabytes) {
    std::FILE* f = create(path);
    std::fputs(" ** Cite this program as: MOPAC2016, Version: 16.093M, James J. P. Stewart,   **\n",
               f);
    const long reserve = long(modes / 6 + 1) * (3 * atoms + 8) * 73 + modes * 12;
    fill(f, megabytes * 1000000L - reserve, [&](int n) {
        std::fprintf(
            f,
            "\n STEP: %6d TIME =     0.00 SECS, INTEGRAL =      0.00 TIME LEFT: 172800.00\n"
            "\n          ORIENTATION OF MOLECULE IN FORCE CALCULATION\n\n"
            "    NO.       ATOM         X         Y         Z\n\n",
            n);
        for (int i = 0; i < atoms; ++i)
            std::fprintf(f, "%6d          %-2s%10.4f%10.4f%10.4f\n", i + 1, symbol(i),
                         coordinate(i, 0), coordinate(i, 1), coordinate(i, 2));
        std::fputs("\n\n", f);
    });
    std::fputs("\n           FREQUENCIES, REDUCED MASSES AND VIBRATIONAL DIPOLES\n", f);
    for (int first = 0; first < modes + 6; first += 6) {
        std::fputs("\n\n   I    ", f);
        for (int c = first; c < first + 6 && c < modes + 6; ++c) std::fprintf(f, "%10d", c + 1);
        std::fputs("\n FREQ(I) ", f);
        for (int c = first; c < first + 6 && c < modes + 6; ++c)
            std::fprintf(f, "%10.4f", c < modes ? frequency(c) : 10.0 * (c - modes));
        std::fputs("\n", f);
    }
    std::fputs("\n\n           NORMAL COORDINATE ANALYSIS (Total motion = 1 Angstrom)\n\n", f);
    for (int first = 0; first < modes; first += 6) {
        const int n = modes - first < 6 ? modes - first : 6;
        std::fputs("\n   Root No.", f);
        for (int c = 0; c < n; ++c) std::fprintf(f, "%9d ", first + c + 1);
        std::fputs("\n\n            ", f);
        for (int c = 0; c < n; ++c) std::fprintf(f, "%10.1f", frequency(first + c));
        std::fputs("\n  \n", f);
        for (int row = 0; row < 3 * atoms; ++row) {
            std::fprintf(f, "%12d", row + 1);
            for (int c = 0; c < n; ++c) std::fprintf(f, "%10.4f", component(first + c, row));
            std::fputs("\n", f);
        }
        std::fputs("\n", f);
    }
    std::fputs("\n           MASS-WEIGHTED COORDINATE ANALYSIS (NORMAL COORDINATES)\n", f);
    std::fclose(f);
}

void generateAdf(const std::string& path, long megabytes) {
    std::FILE* f = create(path);
    std::fputs(" *   Amsterdam Density Functional  (ADF)         2013.01   April 2, 2013       *\n",
               f);
    const long reserve = long(modes / 3 + 1) * (atoms + 3) * 100 + modes * 80;
    fill(f, megabytes * 1000000L - reserve, [&](int n) {
        std::fprintf(f,
                     "\n Energy:               -5.%08d\n\n\n Coordinates (Cartesian)\n"
                     " =======================\n\n"
                     "     Atom                    bohr                                 "
                     "angstrom                 Geometric Variables\n"
                     "                   X           Y           Z              X           Y"
                     "           Z       (0:frozen, *:LT par.)\n -------------------------------"
                     "-------------------------------------------------------------------------"
                     "------\n",
                     n);
        for (int i = 0; i < atoms; ++i) {
            std::fprintf(f, "%6d %-2s   ", i + 1, symbol(i));
            for (int k = 0; k < 3; ++k) std::fprintf(f, "%12.6f", coordinate(i, k) / bohr);
            std::fputs("   ", f);
            for (int k = 0; k < 3; ++k) std::fprintf(f, "%12.6f", coordinate(i, k));
            std::fprintf(f, "   %5d   %5d   %5d\n", 3 * i + 1, 3 * i + 2, 3 * i + 3);
        }
        std::fputs(" ---------------------------------------------------------------------------"
                   "-----------------------------------\n",
                   f);
    });
    std::fputs("\n ===========================\n Vibrations and Normal Modes  ***  (cartesian "
               "coordinates, NOT mass-weighted)  ***\n ===========================\n\n",
               f);
    for (int first = 0; first < modes; first += 3) {
        const int n = modes - first < 3 ? modes - first : 3;
        std::fputs("\n            ", f);
        for (int c = 0; c < n; ++c) std::fprintf(f, "%14.3f                ", frequency(first + c));
        std::fputs("\n              ", f);
        for (int c = 0; c < n; ++c) std::fputs("------------------------      ", f);
        std::fputs("\n", f);
        for (int i = 0; i < atoms; ++i) {
            std::fprintf(f, "%5d.%-2s    ", i + 1, symbol(i));
            for (int c = 0; c < n; ++c)
                std::fprintf(f, "%8.3f%8.3f%8.3f      ", component(first + c, 3 * i),
                             component(first + c, 3 * i + 1), component(first + c, 3 * i + 2));
            std::fputs("\n", f);
        }
    }
    std::fputs("\n\n List of All Frequencies:\n\n Intensities\n ===========\n\n"
               "               Frequency       Dipole Strength        Absorption Intensity "
               "(degeneracy not counted)\n"
               "                 cm-1           1e-40 esu2 cm2          km/mole\n"
               "              ----------          ----------          ----------\n",
               f);
    for (int m = 0; m < modes; ++m)
        std::fprintf(f, "%25.6f            6.608474%20.6f\n", frequency(m), 0.25 * m);
    std::fputs("\n\n", f);
    std::fclose(f);
}

void generateCfour(const std::string& path, long megabytes) {
    std::FILE* f = create(path);
    std::fputs("     * CFOUR Coupled-Cluster techniques for Computational Chemistry *\n\n"
               " Z-matrix   Atomic            Coordinates (in bohr)\n"
               "  Symbol    Number           X              Y              Z\n"
               " ----------------------------------------------------------------\n",
               f);
    for (int i = 0; i < atoms; ++i)
        std::fprintf(f, "     %-2s        %-3d%15.8f%15.8f%15.8f\n", symbol(i), i % 3 == 2 ? 1 : 6,
                     coordinate(i, 0) / bohr, coordinate(i, 1) / bohr, coordinate(i, 2) / bohr);
    std::fputs(" ----------------------------------------------------------------\n", f);
    const long reserve = long(modes / 3 + 1) * (atoms + 4) * 81 + (modes + 6) * 70;
    fill(f, megabytes * 1000000L - reserve, [&](int n) {
        std::fprintf(f, " D1  %12.6f  %12.6f  %12.6f  %12.6f  %12.6f\n", n * 1e-6, -n * 1e-6, 0.0,
                     1.0 / n, 0.5);
    });
    std::fputs("                     Normal Coordinate Analysis\n"
               "  ----------------------------------------------------------------\n"
               "    Irreducible         Harmonic       Infrared        Type \n"
               "   Representation       Frequency      Intensity \n"
               "  ----------------------------------------------------------------\n"
               "                       (cm-1)         (km/mol)\n"
               "  ----------------------------------------------------------------\n",
               f);
    for (int t = 0; t < 6; ++t)
        std::fprintf(f, "      ----          %14.4f         0.0000       %s\n", 0.01 * t,
                     t < 3 ? "ROTATION  " : "TRANSLATION");
    for (int m = 0; m < modes; ++m)
        std::fprintf(f, "        A           %14.4f%14.4f       VIBRATION \n", frequency(m),
                     0.5 * m);
    std::fputs("  ----------------------------------------------------------------\n\n\n"
               "                                   Normal Coordinates \n",
               f);
    for (int first = 0; first < modes; first += 3) {
        const int n = modes - first < 3 ? modes - first : 3;
        std::fputs("\n      ", f);
        for (int c = 0; c < n; ++c) std::fputs("          A               ", f);
        std::fputs("\n      ", f);
        for (int c = 0; c < n; ++c) std::fprintf(f, "%15.2f           ", frequency(first + c));
        std::fputs("\n      ", f);
        for (int c = 0; c < n; ++c) std::fputs("       VIBRATION          ", f);
        std::fputs("\n", f);
        for (int i = 0; i < atoms; ++i) {
            std::fprintf(f, " %-3s", symbol(i));
            for (int c = 0; c < n; ++c)
                std::fprintf(f, c == 0 ? "%9.3f%7.4f%8.4f" : "%10.4f%8.4f%8.4f",
                             component(first + c, 3 * i), component(first + c, 3 * i + 1),
                             component(first + c, 3 * i + 2));
            std::fputs("\n", f);
        }
    }
    std::fputs("\n            Gradient vector in normal coordinate representation\n", f);
    std::fclose(f);
}

} // namespace benchlayouts
