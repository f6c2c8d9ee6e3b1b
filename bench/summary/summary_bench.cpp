// Benchmark of `molvane --summary` screening many files: the real sample outputs beside the
// checkout and the bundled examples, linked under new names until there are about 3000 of them
// (damaged and foreign ones included, as a folder of jobs has them). It prints the time of one
// summary over all of them against five `wc -l` passes over the same files (the target: the summary
// takes at most twice as long as those five passes, that is at least half their speed), and
// the peak resident memory of the summary over a tenth of the files and over all of them (the
// target: flat in the number of files). Not a unit test: run it by hand.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Run {
    double seconds = 0;
    long peakKilobytes = 0;
    int status = -1;
};

// Runs program with the arguments, standard output to /dev/null; its time and peak memory.
Run runChild(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Run run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakKilobytes = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<std::string> sampleFiles() {
    std::vector<std::string> files;
    for (const std::string& dir : {std::string(MOLVANE_SHARED_DIR) + "/gaussian-samples",
                                   std::string(MOLVANE_SHARED_DIR) + "/program-samples",
                                   std::string(MOLVANE_SHARED_DIR) + "/more-program-samples",
                                   std::string(MOLVANE_EXAMPLES_DIR)})
        if (fs::is_directory(dir))
            for (const auto& entry : fs::directory_iterator(dir))
                if (entry.is_regular_file() && entry.path().filename() != "README.md")
                    files.push_back(entry.path().string());
    return files;
}

} // namespace

int main() {
    const std::vector<std::string> samples = sampleFiles();
    if (samples.empty()) {
        std::printf("no samples beside the checkout\n");
        return 0;
    }
    const fs::path dir =
        fs::temp_directory_path() / ("molvane-summary-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::vector<std::string> files;
    const int copies = int(3000 / samples.size()) + 1;
    std::uintmax_t bytes = 0;
    for (int c = 0; c < copies; ++c)
        for (const std::string& s : samples) {
            const fs::path target =
                dir / (std::to_string(c) + "-" + fs::path(s).filename().string());
            fs::create_hard_link(s, target); // the same bytes, no room taken
            bytes += fs::file_size(target);
            files.push_back(target.string());
        }
    std::vector<std::string> summary = {MOLVANE_BINARY, "--summary", "--no-header"};
    std::vector<std::string> wc = {"/usr/bin/wc", "-l"};
    summary.insert(summary.end(), files.begin(), files.end());
    wc.insert(wc.end(), files.begin(), files.end());

    runChild(wc); // the files into the page cache
    double wcSeconds = 0;
    for (int pass = 0; pass < 5; ++pass) wcSeconds += runChild(wc).seconds;
    const Run all = runChild(summary);
    std::vector<std::string> tenth(summary.begin(), summary.begin() + 3 + long(files.size() / 10));
    const Run some = runChild(tenth);
    std::printf("%zu files, %.1f MB (%zu samples x %d copies)\n", files.size(), bytes / 1e6,
                samples.size(), copies);
    std::printf("molvane --summary: %.3f s (status %d); five wc -l passes: %.3f s; ratio %.2f "
                "(target at most 2)\n",
                all.seconds, all.status, wcSeconds, all.seconds / wcSeconds);
    std::printf("peak memory: %ld kB over %zu files, %ld kB over %zu files (target: flat)\n",
                some.peakKilobytes, tenth.size() - 3, all.peakKilobytes, files.size());
    fs::remove_all(dir);
    return 0;
}
