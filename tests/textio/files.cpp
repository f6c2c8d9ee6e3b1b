// Whole-file reads and writes for the text layer tests, in binary mode; shared by the Linux
// and the Windows support (support.cpp, tests/windows/textio_support.cpp).
#include "tests/textio/support.h"

#include <fstream>
#include <sstream>

namespace textio_test {

void writeFile(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

std::string readFile(const std::string& name) {
    std::ifstream f(name, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

} // namespace textio_test
