// The text layer tests' support (tests/textio/support.h) for Windows, which has no fork: a run
// that ends is caught through the layer's run-end hook and a jump back, with standard error
// sent to a scratch file meanwhile. Files and the console are in binary mode, as the layer's.
#include "tests/textio/support.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "textio/textio.h"

namespace textio_test {
namespace {

int consoleIn = -1;
int consoleOut = -1;
std::string consoleInName; // Windows cannot remove a file while it is open
std::string consoleOutName;

std::jmp_buf runEnded;
int endStatus = 0;

void jumpBack(int status) {
    endStatus = status;
    std::longjmp(runEnded, 1);
}

// A new scratch file name in the temporary directory.
std::string scratchName(const char* stem) {
    std::string pattern = (std::filesystem::temp_directory_path() / stem).string() + "-XXXXXX";
    if (_mktemp_s(pattern.data(), pattern.size() + 1) != 0) std::abort();
    return pattern;
}

int openScratch(const std::string& name) {
    int fd = _open(name.c_str(), _O_RDWR | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) std::abort();
    return fd;
}

} // namespace

ScratchDir::ScratchDir() {
    path = scratchName("textio-test");
    std::filesystem::create_directory(path);
    previous = std::filesystem::current_path().string();
    std::filesystem::current_path(path);
}

ScratchDir::~ScratchDir() {
    textio::closeUnit();
    restoreConsole();
    std::filesystem::current_path(previous);
    std::error_code ignored; // a file a failed test left open cannot be removed on Windows
    std::filesystem::remove_all(path, ignored);
}

void feedConsole(const std::string& input) {
    restoreConsole();
    consoleInName = scratchName("textio-console-in");
    consoleIn = openScratch(consoleInName);
    if (!input.empty() && _write(consoleIn, input.data(), unsigned(input.size())) < 0) std::abort();
    _lseek(consoleIn, 0, SEEK_SET);
    consoleOutName = scratchName("textio-console-out");
    consoleOut = openScratch(consoleOutName);
    textio::setConsole(consoleIn, consoleOut);
}

std::string consoleOutput() { return readFile(consoleOutName); }

void restoreConsole() {
    if (consoleIn < 0) return;
    textio::setConsole(0, 1);
    _close(consoleIn);
    _close(consoleOut);
    _unlink(consoleOutName.c_str());
    _unlink(consoleInName.c_str());
    consoleIn = consoleOut = -1;
}

RunEnd runToEnd(const std::function<void()>& body) {
    std::fflush(nullptr);
    std::string errorName = scratchName("textio-stderr");
    int errorFd = openScratch(errorName);
    int savedError = _dup(2);
    _dup2(errorFd, 2);
    textio::setRunEndHook(jumpBack);
    const bool ended = setjmp(runEnded) != 0;
    if (!ended) body();
    textio::setRunEndHook(nullptr);
    std::fflush(stderr);
    _dup2(savedError, 2);
    _close(savedError);
    _close(errorFd);
    std::string diagnostic = readFile(errorName);
    _unlink(errorName.c_str());
    // Exit statuses are 8 bits, as a parent process on Linux sees them: -1 reads as 255.
    return {ended, ended ? endStatus & 0xFF : 77, diagnostic};
}

} // namespace textio_test
