// A scratch directory that disappears with its files.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/files.h"

namespace testsupport {

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
        writeFile(file(name), bytes);
        return file(name);
    }
    std::string read(const std::string& name) const { return readFile(file(name)); }

  private:
    std::string path_;
};

} // namespace testsupport
