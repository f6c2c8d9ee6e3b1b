// Test support: a scratch directory that disappears with its files, and pieces of Gaussian 98
// listings laid out as Gaussian 98 prints them.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "molvane-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~ScratchDir() { std::filesystem::remove_all(path_); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
        return file(name);
    }
    std::string read(const std::string& name) const { return readFile(file(name)); }

private:
    std::string path_;
};

struct Atom {
    int number;
    double x, y, z;
};

// A "Standard orientation:" table: keyword, rule, two header lines, rule, rows
// (I5,I11,I14,4X,3F12.6), closing rule.
inline std::string orientationTable(const std::vector<Atom>& atoms,
                                    const char* keyword = "Standard orientation:") {
    const std::string rule = " " + std::string(69, '-') + "\n";
    std::string text = std::string(25, ' ') + keyword + std::string(25, ' ') + "\n" + rule +
                       " Center     Atomic     Atomic              Coordinates (Angstroms)\n"
                       " Number     Number      Type              X           Y           Z\n" +
                       rule;
    char row[100];
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        std::snprintf(row, sizeof row, "%5zu%11d%14d    %12.6f%12.6f%12.6f\n", i + 1,
                      atoms[i].number, 0, atoms[i].x, atoms[i].y, atoms[i].z);
        text += row;
    }
    return text + rule;
}

// One block of up to three modes: frequency line (first value in columns 16-27), the
// "Atom AN" header and rows (2I4, then for each mode 2X,3F7.2). displacements[atom] holds
// dx, dy, dz of each mode in turn.
inline std::string modeBlock(const std::vector<double>& frequencies,
                             const std::vector<int>& numbers,
                             const std::vector<std::vector<double>>& displacements) {
    std::string text = " Frequencies --";
    char field[40];
    for (std::size_t m = 0; m < frequencies.size(); ++m) {
        std::snprintf(field, sizeof field, m == 0 ? "%11.4f" : "%23.4f", frequencies[m]);
        text += field;
    }
    text += "\n Red. masses --     1.0000\n Atom AN";
    for (std::size_t m = 0; m < frequencies.size(); ++m) text += "      X      Y      Z  ";
    text += "\n";
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        std::snprintf(field, sizeof field, "%4zu%4d", i + 1, numbers[i]);
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

inline const char* harmonicHeading =
    " Harmonic frequencies (cm**-1), IR intensities (KM/Mole),\n"
    " Raman scattering activities (A**4/AMU), Raman depolarization ratios,\n"
    " reduced masses (AMU), force constants (mDyne/A) and normal coordinates:\n";

inline std::string sampleFile(const std::string& name) {
    return std::string(MOLVANE_SAMPLES_DIR) + "/" + name;
}
inline std::string exampleFile(const std::string& name) {
    return std::string(MOLVANE_EXAMPLES_DIR) + "/" + name;
}
inline bool samplesPresent() { return std::filesystem::is_directory(MOLVANE_SAMPLES_DIR); }

} // namespace testsupport
