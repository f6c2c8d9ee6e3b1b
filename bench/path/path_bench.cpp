// Benchmark of a path's one pass: multi-frame xyz files of a 200-atom molecule as xtb writes
// them ("energy: ... gnorm: ..." comment lines), 10 MB and 1 GB. For each it runs
// `molvane --path --list FILE` as a user would (output to /dev/null) and prints its time against
// five sequential `wc -l` passes over the same file, and the program's peak resident memory,
// so that the larger file's memory can be seen to stay within a few MB of the smaller one's
// (the index keeps 32 bytes a step, never a step's geometry). Not a unit test: run it by hand.
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

constexpr int atoms = 200;

// Frames until the file holds `bytes`.
void generate(const std::string& path, long long bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::exit(1);
    char line[160];
    long long written = 0;
    for (int frame = 0; written < bytes; ++frame) {
        written += std::fprintf(f, "%d\n energy: %.12f gnorm: %.12f xtb: 6.6.1 (8d0f1dd)\n", atoms,
                                -326.4 - 0.01 * std::exp(-frame * 1e-3), 0.01 / (frame + 1));
        for (int i = 0; i < atoms; ++i) {
            const double t = i * 0.37 + frame * 1e-4;
            const int n = std::snprintf(line, sizeof line, "%-2s %24.14f %24.14f %24.14f\n",
                                        i % 3 ? "H" : "C", 9.0 * std::sin(t), 9.0 * std::cos(t),
                                        0.05 * i - 5.0);
            std::fwrite(line, 1, std::size_t(n), f);
            written += n;
        }
    }
    if (std::fclose(f) != 0) std::exit(1);
}

using bench::seconds;
using bench::timeWc;

// `molvane --path --list path` with its output to /dev/null; its time and peak memory.
double timeList(const std::string& path, long& maxRssKb) {
    std::fflush(stdout); // the child's stdout is reopened: nothing buffered may go twice
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (!std::freopen("/dev/null", "w", stdout)) _exit(1);
        execl(MOLVANE_BINARY, "molvane", "--path", "--list", path.c_str(), (char*)nullptr);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double taken = seconds(start);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "molvane --path --list %s failed\n", path.c_str());
        std::exit(1);
    }
    maxRssKb = usage.ru_maxrss;
    return taken;
}

} // namespace

int main() {
    char pattern[] = "/tmp/molvane-path-bench-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    long previousRss = 0;
    for (long long megabytes : {10LL, 1000LL}) {
        const std::string path = dir + "/frames-" + std::to_string(megabytes) + ".xyz";
        generate(path, megabytes * 1000000);
        timeWc(path); // brings the file into the page cache
        const double wc = timeWc(path);
        long rss = 0;
        const double list = timeList(path, rss);
        std::printf("xyz %7.1f MB, %d atoms a frame: --path --list %.3f s, 5 x wc -l %.3f s, "
                    "ratio %.2f; peak RSS %ld kB",
                    double(std::filesystem::file_size(path)) / 1e6, atoms, list, wc, list / wc,
                    rss);
        if (previousRss) std::printf(" (%+ld kB from the smaller file)", rss - previousRss);
        std::printf("\n");
        previousRss = rss;
        std::filesystem::remove(path);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
