// Making a fresh scratch directory.
#include "tests/support/scratch_dir.h"

#include <cstdio>
#include <cstdlib>
#include <random>

namespace testsupport {

std::string makeScratchDirectory() {
    namespace fs = std::filesystem;
    std::random_device seed;
    std::mt19937 pick(seed());
    std::error_code error;
    const fs::path parent = fs::temp_directory_path(error);
    for (int attempt = 0; !error && attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "molvane-%08x", unsigned(pick()));
        const fs::path path = parent / name;
        if (!fs::create_directory(path, error)) continue; // taken: another name
        fs::permissions(path, fs::perms::owner_all, error);
        return path.string();
    }
    std::fprintf(stderr, "cannot make a scratch directory under the temporary directory\n");
    std::abort();
}

} // namespace testsupport
