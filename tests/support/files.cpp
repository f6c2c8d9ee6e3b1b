// Whole-file reads and writes in binary mode, on Linux and on Windows.
#include "tests/support/files.h"

#include <fstream>
#include <sstream>

namespace testsupport {

std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), std::streamsize(bytes.size()));
    f.close();
    return bool(f);
}

} // namespace testsupport
