// Benchmark of the reader on large outputs: a 1000-atom job with enough optimisation steps
// to reach 20 MB and 200 MB, laid out as Gaussian 98 prints it and as Gaussian 16 does (the
// wider columns, the "Atom  AN" mode header). For each layout and size it prints the time of the
// whole read (countAtoms through readFirstFrequency) against five sequential `wc -l` passes
// over the same file, and the peak resident memory of a child process that does the read.
// Not a unit test: run it by hand.
#include "reader/gaussian_reader.h"

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

bool gaussian16 = false; // the layout generated

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

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double timeWc(const std::string& path) {
    const std::string command = "wc -l '" + path + "' > /dev/null";
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 5; ++i)
        if (std::system(command.c_str()) != 0) std::exit(1);
    return seconds(start);
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
        reader::OutputLayout layout; // as a run reads the file
        reader::countAtoms(path, layout, reader::atomCount);
        reader::readGeometry(path, reader::atomCount, layout, reader::geometry);
        reader::readModeVector(path, 1, 1, reader::atomCount, layout, reader::modeVector);
        reader::firstFrequency = reader::readFirstFrequency(path);
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

int main() {
    char pattern[] = "/tmp/molvane-bench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    for (bool sixteen : {false, true}) {
        gaussian16 = sixteen;
        long previousRss = 0;
        for (long megabytes : {20L, 200L}) {
            const std::string path = dir + "/large-" + std::to_string(megabytes) + ".out";
            generate(path, megabytes);
            timeWc(path); // brings the file into the page cache
            const double wc = timeWc(path);
            const ReadFigures read = timeRead(path);
            const double size = double(std::filesystem::file_size(path)) / 1e6;
            std::printf(
                "Gaussian %s %6.1f MB, %d atoms: read %.3f s, 5 x wc -l %.3f s, ratio %.2f; "
                "peak RSS %ld kB",
                gaussian16 ? "16" : "98", size, read.atomCount, read.seconds, wc, read.seconds / wc,
                read.maxRssKb);
            if (previousRss)
                std::printf(" (%+ld kB from the smaller file)", read.maxRssKb - previousRss);
            std::printf("\n");
            previousRss = read.maxRssKb;
            std::filesystem::remove(path);
        }
    }
    std::filesystem::remove(dir);
    return 0;
}
