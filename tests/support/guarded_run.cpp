// The run-end hook that jumps back to guardedRun, and the capture of standard error.
#include "tests/support/guarded_run.h"

#include "textio/textio.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

// Where sanitizer reports go; weak, so that plain builds link without a sanitizer.
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

namespace testsupport {
namespace {

std::jmp_buf* active = nullptr;
int endStatus = 0;
int captureFd = -1;

[[noreturn]] void jumpBack(int status) {
    endStatus = status;
    std::longjmp(*active, 1);
}

void hookToHere(int status) {
    if (active == nullptr) std::_Exit(status); // a run end outside any guarded call
    jumpBack(status);
}

void prepareCapture() {
    if (captureFd < 0) {
        captureFd = memfd_create("molvane-stderr", MFD_CLOEXEC);
        // A sanitizer report while standard error is captured must still be seen.
        if (__sanitizer_set_report_fd != nullptr)
            __sanitizer_set_report_fd(reinterpret_cast<void*>(std::intptr_t(dup(2))));
    }
    if (ftruncate(captureFd, 0) != 0) std::abort();
    lseek(captureFd, 0, SEEK_SET);
}

} // namespace

void guardedRun(void (*body)(void*), void* context, RunEnd& end) {
    prepareCapture();
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
    const off_t written = lseek(captureFd, 0, SEEK_CUR);
    end.length = written > 0 ? int(written < 1 << 30 ? written : 1 << 30) : 0;
    const int keep = end.length < RunEnd::capacity ? end.length : RunEnd::capacity;
    if (keep > 0 && pread(captureFd, end.text, std::size_t(keep), 0) != keep) end.length = 0;
}

bool isOneDiagnostic(std::string_view text, int code) {
    char head[16];
    std::snprintf(head, sizeof head, "*ERR* %d ", code);
    if (text.substr(0, std::strlen(head)) != head) return false;
    if (text.size() < std::strlen(head) + 3 || text.substr(text.size() - 2) != "\r\n") return false;
    return text.find('\n') == text.size() - 1;
}

} // namespace testsupport
