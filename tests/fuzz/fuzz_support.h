// What the fuzz targets share on top of the test-support library (tests/support): the
// process's scratch directory for the files they hand to the text layer, writing a file there,
// and the check that ends a fuzz run on a finding.
#pragma once

#include "tests/support/files.h"
#include "tests/support/guarded_run.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzzing {

// The scratch directory of the test-support library, one per process; removed at exit.
const std::string& scratchDir();
// Writes `bytes` as scratchDir()/name and returns the file's path.
std::string writeScratch(const std::string& name, std::string_view bytes);

// A finding: prints what was wrong and aborts, so that libFuzzer keeps the input.
[[noreturn]] void finding(const char* what, std::string_view detail = {});
inline void require(bool ok, const char* what, std::string_view detail = {}) {
    if (!ok) finding(what, detail);
}

// The diagnostic code of a run that ended with status -1 and one "*ERR*" line; a finding
// when the run ended any other way.
int diagnosticCode(const testsupport::RunEnd& end);

// Where a field diagnostic says the failure is: "..., line K, columns A-B)".
void placeOf(std::string_view diagnostic, int& line, int& first, int& last);

} // namespace fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
