// The run-end hook that jumps back to guardedRun, and the capture of standard error into a
// file of the scratch directory (on Linux and on Windows alike).
#include "tests/support/guarded_run.h"

#include "tests/support/scratch_dir.h"
#include "textio/open_flags.h"
#include "textio/textio.h"

#include <fcntl.h>
#include <unistd.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifndef _WIN32
// Where sanitizer reports go; weak, so that plain builds link without a sanitizer.
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));
#endif

namespace testsupport {
namespace {

std::jmp_buf* active = nullptr;
int endStatus = 0;

[[noreturn]] void jumpBack(int status) {
    endStatus = status;
    std::longjmp(*active, 1);
}

void hookToHere(int status) {
    if (active == nullptr) std::_Exit(status); // a run end outside any guarded call
    jumpBack(status);
}

// The file standard error goes to during a guarded run: made once, emptied for each run,
// closed before its directory is removed at the end of the process.
struct Capture {
    ScratchDir dir;
    int fd;
    Capture()
        : fd(::open(dir.file("stderr").c_str(), O_RDWR | O_CREAT | O_TRUNC | textio::openFlags,
                    0600)) {
        if (fd < 0) std::abort();
#ifndef _WIN32
        // A sanitizer report while standard error is captured must still be seen.
        if (__sanitizer_set_report_fd != nullptr)
            __sanitizer_set_report_fd(reinterpret_cast<void*>(std::intptr_t(dup(2))));
#endif
    }
    ~Capture() { ::close(fd); }
};

int emptyCapture() {
    static Capture capture;
    if (ftruncate(capture.fd, 0) != 0 || lseek(capture.fd, 0, SEEK_SET) != 0) std::abort();
    return capture.fd;
}

} // namespace

void guardedRun(void (*body)(void*), void* context, RunEnd& end) {
    const int captureFd = emptyCapture();
    std::fflush(stderr);
    const int savedStderr = dup(2);
    dup2(captureFd, 2);

    std::jmp_buf here;
    std::jmp_buf* const outer = active;
    active = &here;
    textio::setRunEndHook(hookToHere);
    end.ended = false;
    end.status = 0;
    if (setjmp(here) == 0) {
        body(context);
    } else {
        end.ended = true;
        end.status = endStatus;
    }
    active = outer;
    if (outer == nullptr) textio::setRunEndHook(nullptr);
    // A run end may leave the file unit, the console buffer or the read context behind.
    if (end.ended) textio::resetForHarness();

    std::fflush(stderr);
    dup2(savedStderr, 2);
    close(savedStderr);
    const long long written = lseek(captureFd, 0, SEEK_CUR);
    end.length = written > 0 ? int(written < 1 << 30 ? written : 1 << 30) : 0;
    const int keep = end.length < RunEnd::capacity ? end.length : RunEnd::capacity;
    int got = 0;
    if (keep > 0 && lseek(captureFd, 0, SEEK_SET) == 0) {
        for (int n;
             got < keep && (n = int(read(captureFd, end.text + got, unsigned(keep - got)))) > 0;)
            got += n;
    }
    if (got != keep) end.length = 0;
}

bool isOneDiagnostic(std::string_view text, int code) {
    char head[16];
    std::snprintf(head, sizeof head, "*ERR* %d ", code);
    if (text.substr(0, std::strlen(head)) != head) return false;
    if (text.size() < std::strlen(head) + 3 || text.substr(text.size() - 2) != "\r\n") return false;
    return text.find('\n') == text.size() - 1;
}

} // namespace testsupport
