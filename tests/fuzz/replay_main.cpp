// Runs a fuzz target over stored inputs without libFuzzer: every file named on the command
// line, or held in a directory named there, is handed to the target once. A finding aborts.
#include "tests/fuzz/fuzz_support.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

int replay(const std::filesystem::path& file) {
    const std::string bytes = testsupport::readFile(file.string());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path = argv[i];
        if (std::filesystem::is_directory(path)) {
            std::vector<std::filesystem::path> files;
            for (const auto& entry : std::filesystem::directory_iterator(path))
                if (entry.is_regular_file()) files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const auto& file : files) count += replay(file);
        } else if (std::filesystem::exists(path)) {
            count += replay(path);
        }
    }
    std::printf("%d inputs replayed\n", count);
    return count > 0 ? 0 : 1;
}
