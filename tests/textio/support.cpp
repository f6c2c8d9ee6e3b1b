// Scratch directories, console plumbing and run-end capture for the text layer tests.
#include "tests/textio/support.h"
#include "textio/textio.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace textio_test {
namespace {
int consoleIn = -1;
int consoleOut = -1;
std::string consoleOutName;
} // namespace

ScratchDir::ScratchDir() {
    char templ[] = "/tmp/textio-test-XXXXXX";
    path = mkdtemp(templ);
    previous = std::filesystem::current_path();
    std::filesystem::current_path(path);
}

ScratchDir::~ScratchDir() {
    textio::closeUnit();
    restoreConsole();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(path);
}

void feedConsole(const std::string& input) {
    restoreConsole();
    char inName[] = "/tmp/textio-console-in-XXXXXX";
    consoleIn = mkstemp(inName);
    unlink(inName);
    if (!input.empty() && write(consoleIn, input.data(), input.size()) < 0) std::abort();
    lseek(consoleIn, 0, SEEK_SET);
    char outName[] = "/tmp/textio-console-out-XXXXXX";
    consoleOut = mkstemp(outName);
    consoleOutName = outName;
    textio::setConsole(consoleIn, consoleOut);
}

std::string consoleOutput() { return readFile(consoleOutName); }

void restoreConsole() {
    if (consoleIn < 0) return;
    textio::setConsole(0, 1);
    close(consoleIn);
    close(consoleOut);
    unlink(consoleOutName.c_str());
    consoleIn = consoleOut = -1;
}

RunEnd runToEnd(const std::function<void()>& body) {
    std::fflush(nullptr);
    int pipeFds[2];
    if (pipe(pipeFds) != 0) std::abort();
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        dup2(pipeFds[1], 2);
        body();
        std::_Exit(77); // the run did not end
    }
    close(pipeFds[1]);
    std::string diagnostic;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        diagnostic.append(buffer, std::size_t(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return {code != 77, code, diagnostic};
}

} // namespace textio_test
