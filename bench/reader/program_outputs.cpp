// The generated outputs of program_outputs.h, laid out as the programs print them.
#include "bench/reader/program_outputs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace bench {
namespace {

std::FILE* create(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) {
        std::perror(path.c_str());
        std::exit(1);
    }
    return f;
}

double component(int row, int mode) { return 0.3 * std::sin(0.01 * row * mode + mode); }
double coordinate(int atom, int axis) {
    const double t = atom * 0.37;
    return axis == 0 ? 12.0 * std::sin(t) : axis == 1 ? 12.0 * std::cos(t) : 0.05 * atom - 25.0;
}
double frequency(int mode) { return mode < 6 ? 0.0 : 10.0 + mode * 1.1; }

} // namespace

void writeTurbomoleControl(const std::string& path, long megabytes) {
    // 15 bytes a value: 3N x 3N values fill the size asked for.
    const int atoms = int(std::sqrt(double(megabytes) * 1e6 / 15.0) / 3.0);
    const int modes = 3 * atoms;
    std::FILE* f = create(path);
    std::fputs("$title\n$symmetry c1\n$coord\n", f);
    for (int i = 0; i < atoms; ++i)
        std::fprintf(f, "%20.14f%22.14f%22.14f      %s\n", coordinate(i, 0), coordinate(i, 1),
                     coordinate(i, 2), i % 3 ? "h" : "c");
    std::fputs("$vibrational normal modes\n", f);
    for (int row = 0; row < modes; ++row)
        for (int first = 0, part = 1; first < modes; first += 5, ++part) {
            std::fprintf(f, "%3d%3d", row + 1, part);
            for (int m = first; m < first + 5 && m < modes; ++m)
                std::fprintf(f, "%15.10f", m < 6 ? 0.0 : component(row, m));
            std::fputs("\n", f);
        }
    std::fputs("$vibrational spectrum\n#  mode     symmetry     wave number   IR intensity\n", f);
    for (int m = 0; m < modes; ++m)
        std::fprintf(f, "%6d        a %18.2f%16.5f       YES     YES\n", m + 1, frequency(m),
                     0.5 * m);
    std::fputs("$end\n", f);
    std::fclose(f);
}

void writeAoforce(const std::string& path, long megabytes) {
    // 10 bytes a value in blocks of six with a label of 22: about 11 bytes a value.
    const int atoms = std::min(1000, int(std::sqrt(double(megabytes) * 1e6 / 11.0) / 3.0));
    const int modes = 3 * atoms;
    std::FILE* f = create(path);
    std::fputs("                             T U R B O M O L E\n\n"
               "                          a o f o r c e - program\n\n"
               "                    atomic coordinates            atom    charge  isotop\n",
               f);
    for (int i = 0; i < atoms; ++i)
        std::fprintf(f, "%20.8f%14.8f%14.8f    %s      %5.3f     0\n", coordinate(i, 0),
                     coordinate(i, 1), coordinate(i, 2), i % 3 ? "h" : "c", i % 3 ? 1.0 : 6.0);
    std::fputs(" \n          NORMAL MODES and VIBRATIONAL FREQUENCIES (cm**(-1))\n\n", f);
    const char* axes[] = {"x", "y", "z"};
    for (int first = 0; first < modes; first += 6) {
        const int last = first + 6 < modes ? first + 6 : modes;
        std::fputs("\n       mode          ", f);
        for (int m = first; m < last; ++m) std::fprintf(f, "%9d", m + 1);
        std::fputs("\n\n     frequency       ", f);
        for (int m = first; m < last; ++m) std::fprintf(f, "%9.2f", frequency(m));
        std::fputs("\n\n     symmetry\n\n        IR\nintensity (km/mol)   ", f);
        for (int m = first; m < last; ++m) std::fprintf(f, "%9.2f", 0.5 * m);
        std::fputs("\n \n", f);
        for (int row = 0; row < modes; ++row) {
            if (row % 3 == 0)
                std::fprintf(f, "%3d   %s           x", row / 3 + 1, row / 3 % 3 ? "h" : "c");
            else
                std::fprintf(f, "                  %s", axes[row % 3]);
            for (int m = first; m < last; ++m)
                std::fprintf(f, "%9.5f", m < 6 ? 0.0 : component(row, m));
            std::fputs("\n", f);
        }
        std::fputs("\nreduced mass(g/mol)\n\n", f);
    }
    std::fclose(f);
}

void writeMolpro(const std::string& path, long megabytes) {
    constexpr int atoms = 300, modes = 3 * atoms;
    std::FILE* f = create(path);
    std::fputs(" Primary working directories    : /tmp/molpro\n"
               " Wavefunction directory         : /home/user/wfu/\n\n"
               "                                         ***  PROGRAM SYSTEM MOLPRO  ***\n",
               f);
    const long target = megabytes * 1000000L;
    while (std::ftell(f) < target) {
        std::fputs("\n FREQUENCIES * CALCULATION OF NORMAL MODES FOR KS-SCF\n\n\n"
                   " Atomic Coordinates\n\n"
                   "  Nr  Atom  Charge       X              Y              Z\n\n",
                   f);
        for (int i = 0; i < atoms; ++i)
            std::fprintf(f, "%4d   %s     %4.2f %14.9f %14.9f %14.9f\n", i + 1, i % 3 ? "H" : "C",
                         i % 3 ? 1.0 : 6.0, coordinate(i, 0), coordinate(i, 1), coordinate(i, 2));
        std::fputs("\n Normal Modes\n\n", f);
        for (int first = 6; first < modes; first += 5) {
            const int last = first + 5 < modes ? first + 5 : modes;
            std::fputs("                     ", f);
            for (int m = first; m < last; ++m) std::fprintf(f, "%9d A  ", m - 5);
            std::fputs("\n Wavenumbers [cm-1]      ", f);
            for (int m = first; m < last; ++m) std::fprintf(f, "%12.2f", frequency(m));
            std::fputs("\n Intensities [km/mol]    ", f);
            for (int m = first; m < last; ++m) std::fprintf(f, "%12.2f", 0.5 * m);
            std::fputs("\n", f);
            for (int row = 0; row < modes; ++row) {
                std::fprintf(f, "           %s%c%-6d", row / 3 % 3 ? "H" : "C", "XYZ"[row % 3],
                             row / 3 + 1);
                for (int m = first; m < last; ++m) std::fprintf(f, "%12.5f", component(row, m));
                std::fputs("\n", f);
            }
            std::fputs("\n", f);
        }
        std::fputs("\n Normal Modes of low/zero frequencies\n\n", f);
        for (int first = 0; first < 6; first += 5) {
            const int last = first + 5 < 6 ? first + 5 : 6;
            std::fputs("                     ", f);
            for (int m = first; m < last; ++m) std::fprintf(f, "%12d", m + 1);
            std::fputs("\n Wavenumbers [cm-1]      ", f);
            for (int m = first; m < last; ++m) std::fprintf(f, "%12.2f", 0.0);
            std::fputs("\n", f);
            for (int row = 0; row < modes; ++row) {
                std::fprintf(f, "           %s%c%-6d", row / 3 % 3 ? "H" : "C", "XYZ"[row % 3],
                             row / 3 + 1);
                for (int m = first; m < last; ++m) std::fprintf(f, "%12.5f", 0.01 * (row % 7));
                std::fputs("\n", f);
            }
            std::fputs("\n", f);
        }
        std::fputs("\n FREQUENCIES * CALCULATION OF THERMODYNAMICAL PROPERTIES\n", f);
    }
    std::fclose(f);
}

} // namespace bench
