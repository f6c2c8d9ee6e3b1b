// Benchmark of the reader on large outputs: a 1000-atom job with enough optimisation steps
// to reach 20 MB and 200 MB, laid out as Gaussian 98 prints it and as Gaussian 16 does (the
// wider columns, the "Atom  AN" mode header), and a 300-atom job as ORCA 5 prints it
// (geometries in Angstrom and bohr at every step, then all 3N modes in blocks of six columns). For
// each layout and size it prints the time of the whole read as a run makes it (recognition, then
// the reader's three steps for mode 1) against five sequential `wc -l` passes
// over the same file, and the peak resident memory of a child process that does the read. DALTON,
// MOPAC, ADF and CFOUR outputs of 100 MB (more_layouts.h) are measured the same way. Every
// program's file but Gaussian's is written by the layouts of the reader's tests (tests/layouts),
// from a molecule of the benchmark's own. Not a unit test: run it by hand.
#include "bench/reader/large_file.h"
#include "bench/reader/more_layouts.h"
#include "bench/reader/program_outputs.h"
#include "reader/vibrations.h"
#include "tests/layouts/layouts.h"

#include "bench/wc_timing.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int atoms = 1000;
const std::string rule = " " + std::string(69, '-') + "\n";

enum class Layout { gaussian98, gaussian16, orca, dalton, mopac, adf, cfour };
bool gaussian16 = false; // the Gaussian layout generated

std::string orientation(const char* keyword, double shift) {
    std::string text =
        std::string(25, ' ') + keyword + std::string(25, ' ') + "\n" + rule +
        (gaussian16 ? " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
                      " Number     Number       Type             X           Y           Z\n"
                    : " Center     Atomic     Atomic              Coordinates (Angstroms)\n"
                      " Number     Number      Type              X           Y           Z\n") +
        rule;
    char row[100];
    for (int i = 0; i < atoms; ++i) {
        const double t = i * 0.37;
        std::snprintf(row, sizeof row,
                      gaussian16 ? "%7d%11d%12d    %12.6f%12.6f%12.6f\n"
                                 : "%5d%11d%14d    %12.6f%12.6f%12.6f\n",
                      i + 1, 6, 0, 12.0 * std::sin(t) + shift, 12.0 * std::cos(t), 0.05 * i - 25.0);
        text += row;
    }
    return text + rule;
}

std::string modeBlocks(int blocks) {
    std::string text = " Harmonic frequencies (cm**-1), IR intensities (KM/Mole),\n"
                       " Raman scattering activities (A**4/AMU), Raman depolarization ratios,\n"
                       " reduced masses (AMU), force constants (mDyne/A) and normal coordinates:\n";
    char line[200];
    for (int b = 0; b < blocks; ++b) {
        std::snprintf(line, sizeof line, "%23d%23d%23d\n Frequencies --%11.4f%23.4f%23.4f\n",
                      3 * b + 1, 3 * b + 2, 3 * b + 3, 12.5 + b, 13.5 + b, 14.5 + b);
        text += line;
        text +=
            gaussian16
                ? "  Atom  AN      X      Y      Z        X      Y      Z        X      Y      Z\n"
                : " Atom AN      X      Y      Z        X      Y      Z        X      Y      Z\n";
        for (int i = 0; i < atoms; ++i) {
            std::snprintf(line, sizeof line,
                          gaussian16
                              ? "%6d%4d  %7.2f%7.2f%7.2f  %7.2f%7.2f%7.2f  %7.2f%7.2f%7.2f\n"
                              : "%4d%4d  %7.2f%7.2f%7.2f  %7.2f%7.2f%7.2f  %7.2f%7.2f%7.2f\n",
                          i + 1, 6, 0.01, -0.02, 0.03, 0.0, 0.01, 0.0, -0.01, 0.0, 0.02);
            text += line;
        }
    }
    return text;
}

// Writes a job of at least `megabytes`: route and title, optimisation steps (a Z-matrix and
// a standard orientation table each, and the convergence lines), then two blocks of modes.
void generate(const std::string& path, long megabytes) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) {
        std::perror(path.c_str());
        std::exit(1);
    }
    std::fputs(gaussian16 ? " Entering Gaussian System, Link 0=g16\n"
                          : " Entering Gaussian System, Link 0=g98\n",
               f);
    std::fputs(" ----------------------\n"
               " #P HF/3-21G Opt Freq\n ----------------------\n"
               " Large test job\n",
               f);
    const std::string zmatrix = orientation("Z-Matrix orientation:", 0.0);
    const long target = megabytes * 1000000L;
    long written = 0;
    for (int step = 1; written < target; ++step) {
        const std::string standard = orientation("Standard orientation:", step * 1e-6);
        written += std::fprintf(f, " Step number %4d out of a maximum of 9999\n", step);
        std::fputs(zmatrix.c_str(), f);
        std::fputs(standard.c_str(), f);
        written += long(zmatrix.size() + standard.size());
        written += std::fprintf(f,
                                " SCF Done:  E(RHF) =  -7512.%09d     A.U. after   12 cycles\n"
                                "         Item               Value     Threshold  Converged?\n"
                                " Maximum Force            0.000%03d     0.000450     NO \n",
                                step, step % 1000);
    }
    std::fputs(modeBlocks(2).c_str(), f);
    std::fputs(gaussian16 ? " Normal termination of Gaussian 16.\n"
                          : " Normal termination of Gaussian 98.\n",
               f);
    std::fclose(f);
}

// The ORCA job's molecule: its 3N x 3N normal modes fill about 10 MB.
constexpr int orcaAtoms = 300;

// An ORCA 5 output of at least `megabytes`, written by the layouts of the reader's tests: the
// banner, optimisation steps (both geometry tables and the SCF lines of each), then the
// frequencies, the 3N x 3N normal modes and the IR spectrum of the last geometry.
void generateOrca(const std::string& path, long megabytes) {
    const layouts::Molecule m = benchfiles::allModes(orcaAtoms, [](int) { return 0.0; });
    const auto step = [&](int n) {
        std::string text =
            layouts::format("\n                         *************************\n"
                            "                         *  GEOMETRY OPTIMIZATION CYCLE %4d *\n"
                            "                         *************************\n",
                            n) +
            layouts::orca::geometryTable(m, n * 1e-6) + layouts::orca::bohrTable(m, n * 1e-6);
        char line[100];
        for (int i = 1; i <= 12; ++i) {
            std::snprintf(line, sizeof line, "  %3d  -7512.%010d   %.9f  0.000%05d  0.00%06d\n", i,
                          n * 7 + i, 1e-5 / i, i * 37, n);
            text += line;
        }
        return text + layouts::format("Total Energy       :        -7512.%09d Eh\n", n);
    };
    benchfiles::writeRepeated(
        path, megabytes,
        "\n                                 *****************\n"
        "                                 * O   R   C   A *\n"
        "                                 *****************\n\n",
        step,
        "\n" + layouts::orca::frequencySection(m, layouts::orca::Version::v5) +
            "\n                             ****ORCA TERMINATED NORMALLY****\n");
}

using bench::seconds;
using bench::timeWc;

// Writes a file in a child process: a read's peak memory, measured in a child of this one,
// would count the molecules and sections the layouts are written from if this process had
// held them.
void generateApart(void (*generator)(const std::string&, long), const std::string& path,
                   long megabytes) {
    const pid_t child = fork();
    if (child == 0) {
        generator(path, megabytes);
        std::fflush(nullptr);
        _exit(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        std::exit(1);
}

struct ReadFigures {
    double seconds;
    long maxRssKb;
    int atomCount;
};

// The whole read, in a child process so that its peak memory is its own.
ReadFigures timeRead(const std::string& path) {
    int channel[2];
    if (pipe(channel) != 0) std::exit(1);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const auto start = std::chrono::steady_clock::now();
        // As a run reads the file.
        const reader::Format format = reader::recogniseFormat(path);
        reader::countModes(path, format, 1);
        reader::readMolecule(path, format);
        reader::readChosenMode(path, format, 1);
        ReadFigures figures{seconds(start), 0, reader::atomCount};
        rusage usage;
        getrusage(RUSAGE_SELF, &usage);
        figures.maxRssKb = usage.ru_maxrss;
        if (write(channel[1], &figures, sizeof figures) != sizeof figures) _exit(1);
        _exit(0);
    }
    close(channel[1]);
    ReadFigures figures{};
    if (read(channel[0], &figures, sizeof figures) != sizeof figures) std::exit(1);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return figures;
}

} // namespace

// With an argument, only the layouts whose name begins with it ("DALTON", "ORCA", ...).
int main(int argc, char** argv) {
    char pattern[] = "/tmp/molvane-bench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    for (Layout each : {Layout::gaussian98, Layout::gaussian16, Layout::orca, Layout::dalton,
                        Layout::mopac, Layout::adf, Layout::cfour}) {
        gaussian16 = each == Layout::gaussian16;
        const char* name = each == Layout::gaussian98   ? "Gaussian 98"
                           : each == Layout::gaussian16 ? "Gaussian 16"
                           : each == Layout::orca       ? "ORCA 5     "
                           : each == Layout::dalton     ? "DALTON     "
                           : each == Layout::mopac      ? "MOPAC      "
                           : each == Layout::adf        ? "ADF        "
                                                        : "CFOUR      ";
        if (argc > 1 && std::string(name).rfind(argv[1], 0) != 0) continue;
        // The formats added later are measured at 100 MB only.
        const bool late = each >= Layout::dalton;
        long previousRss = 0;
        for (long megabytes : {20L, 100L, 200L}) {
            if (late != (megabytes == 100)) continue;
            const std::string path = dir + "/large-" + std::to_string(megabytes) + ".out";
            generateApart(each == Layout::orca     ? generateOrca
                          : each == Layout::dalton ? benchlayouts::generateDalton
                          : each == Layout::mopac  ? benchlayouts::generateMopac
                          : each == Layout::adf    ? benchlayouts::generateAdf
                          : each == Layout::cfour  ? benchlayouts::generateCfour
                                                   : generate,
                          path, megabytes);
            timeWc(path); // brings the file into the page cache
            const double wc = timeWc(path);
            const ReadFigures read = timeRead(path);
            const double size = double(std::filesystem::file_size(path)) / 1e6;
            std::printf("%s %6.1f MB, %d atoms: read %.3f s, 5 x wc -l %.3f s, ratio %.2f; "
                        "peak RSS %ld kB",
                        name, size, read.atomCount, read.seconds, wc, read.seconds / wc,
                        read.maxRssKb);
            if (previousRss)
                std::printf(" (%+ld kB from the smaller file)", read.maxRssKb - previousRss);
            std::printf("\n");
            std::fflush(stdout);
            previousRss = read.maxRssKb;
            std::filesystem::remove(path);
        }
    }
    // Other programs' outputs of 100 MB, read in no more than twice the time of the wc passes.
    struct Generated {
        const char* name;
        void (*write)(const std::string&, long);
    };
    for (const Generated& each : {Generated{"Turbomole control", bench::writeTurbomoleControl},
                                  Generated{"Turbomole aoforce", bench::writeAoforce},
                                  Generated{"Molpro     ", bench::writeMolpro}}) {
        const std::string path = dir + "/large-100.out";
        generateApart(each.write, path, 100);
        timeWc(path);
        const double wc = timeWc(path);
        const ReadFigures read = timeRead(path);
        std::printf("%s %6.1f MB, %d atoms: read %.3f s, 5 x wc -l %.3f s, ratio %.2f (at most"
                    " 2); peak RSS %ld kB\n",
                    each.name, double(std::filesystem::file_size(path)) / 1e6, read.atomCount,
                    read.seconds, wc, read.seconds / wc, read.maxRssKb);
        std::fflush(stdout);
        std::filesystem::remove(path);
    }
    std::filesystem::remove(dir);
    return 0;
}
