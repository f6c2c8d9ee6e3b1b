// The tests' one scratch directory, on Linux and on Windows.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include "tests/support/files.h"

namespace testsupport {

// A new, empty directory under the temporary directory that only its owner can enter (as
// mkdtemp makes one); its path. Ends the test program when none can be made.
std::string makeScratchDirectory();

// The tests' one scratch directory: made fresh under the temporary directory, removed with
// everything in it when it goes.
class ScratchDir {
  public:
    ScratchDir() : path_(makeScratchDirectory()) {}
    ~ScratchDir() {
        std::error_code ignored; // on Windows a file still open cannot be removed
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::string write(const std::string& name, const std::string& bytes) const {
        writeFile(file(name), bytes);
        return file(name);
    }
    std::string read(const std::string& name) const { return readFile(file(name)); }

  private:
    std::string path_;
};

} // namespace testsupport
