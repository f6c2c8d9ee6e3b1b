// Scratch files and findings for the fuzz targets.
#include "tests/fuzz/fuzz_support.h"

#include "tests/support/scratch_dir.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace fuzzing {
namespace {

// Standard error as the process got it: a finding inside a guarded run, while standard
// error is being captured, must still be seen.
const int reportFd = dup(2);

} // namespace

const std::string& scratchDir() {
    static const testsupport::ScratchDir dir; // removed at exit
    return dir.path();
}

std::string writeScratch(const std::string& name, std::string_view bytes) {
    const std::string path = scratchDir() + "/" + name;
    if (!testsupport::writeFile(path, std::string(bytes)))
        finding("cannot write a scratch file", path);
    return path;
}

void finding(const char* what, std::string_view detail) {
    dprintf(reportFd, "FINDING: %s\n", what);
    if (!detail.empty()) dprintf(reportFd, "  %.*s\n", int(detail.size()), detail.data());
    std::abort();
}

int diagnosticCode(const testsupport::RunEnd& end) {
    require(end.ended, "the run did not end");
    require(end.status == -1, "a failure ended with a status other than -1", end.diagnostic());
    const std::string_view text = end.diagnostic();
    require(text.size() > 10 && text.substr(0, 6) == "*ERR* ", "no diagnostic line", text);
    const int code = std::atoi(std::string(text.substr(6, 3)).c_str());
    require(testsupport::isOneDiagnostic(text, code), "not exactly one diagnostic line", text);
    return code;
}

void placeOf(std::string_view text, int& line, int& first, int& last) {
    const std::size_t at = text.rfind(", line ");
    require(at != std::string_view::npos, "a field diagnostic without its line", text);
    const char* p = text.data() + at + 7;
    const char* end = text.data() + text.size();
    p = std::from_chars(p, end, line).ptr;
    require(std::string_view(p, std::size_t(end - p)).substr(0, 10) == ", columns ",
            "a field diagnostic without its columns", text);
    p = std::from_chars(p + 10, end, first).ptr;
    require(p < end && *p == '-', "a field diagnostic without its last column", text);
    std::from_chars(p + 1, end, last);
}

} // namespace fuzzing
