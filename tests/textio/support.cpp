// The text layer tests' working directory and console plumbing, on Linux and on Windows.
#include "tests/textio/support.h"

#include "textio/open_flags.h"
#include "textio/textio.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

namespace textio_test {
namespace {

int consoleIn = -1;
int consoleOut = -1;

// The console's two files, in a scratch directory of their own kept for the whole run.
const testsupport::ScratchDir& consoleFiles() {
    static const testsupport::ScratchDir dir;
    return dir;
}

int openOrEnd(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | textio::openFlags, 0600);
    if (fd < 0) std::abort();
    return fd;
}

} // namespace

Workspace::Workspace() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.path());
}

Workspace::~Workspace() {
    textio::closeUnit();
    restoreConsole();
    std::filesystem::current_path(previous_);
}

void feedConsole(const std::string& input) {
    restoreConsole();
    if (!writeFile(consoleFiles().file("console-in"), input)) std::abort();
    consoleIn = openOrEnd(consoleFiles().file("console-in"), O_RDONLY);
    consoleOut = openOrEnd(consoleFiles().file("console-out"), O_RDWR | O_CREAT | O_TRUNC);
    textio::setConsole(consoleIn, consoleOut);
}

std::string consoleOutput() { return readFile(consoleFiles().file("console-out")); }

void restoreConsole() {
    if (consoleIn < 0) return;
    textio::setConsole(0, 1);
    ::close(consoleIn);
    ::close(consoleOut);
    consoleIn = consoleOut = -1;
}

} // namespace textio_test
