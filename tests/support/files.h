// Whole files for the tests, read and written as bytes (binary mode on Windows as well): the
// one whole-file read and write of the test-support library.
#pragma once

#include <string>

namespace testsupport {

// The file's bytes; empty when it cannot be read.
std::string readFile(const std::string& path);
// Makes or replaces the file with exactly `bytes`; false when that failed.
bool writeFile(const std::string& path, const std::string& bytes);

} // namespace testsupport
