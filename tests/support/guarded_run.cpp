// The run-end hook that jumps back to guardedRun, and the capture of standard error.
#include "tests/support/guarded_run.h"

#include "textio/textio.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#ifdef _WIN32
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <sys/stat.h>
#else
#include <sys/mman.h>

// Where sanitizer reports go; weak, so that plain builds link without a sanitizer.
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));
#endif

namespace hostile {
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

#ifdef _WIN32
// A file in the temporary directory that goes when it is closed (the Windows test build).
int openCaptureFile() {
    const std::string name =
        (std::filesystem::temp_directory_path() / ("molvane-stderr-" + std::to_string(_getpid())))
            .string();
    return _open(name.c_str(), _O_CREAT | _O_TRUNC | _O_RDWR | _O_BINARY | _O_TEMPORARY,
                 _S_IREAD | _S_IWRITE);
}

// What the capture holds from its start.
long long readCapture(char* text, int length) {
    if (_lseek(captureFd, 0, SEEK_SET) < 0) return -1;
    return _read(captureFd, text, unsigned(length));
}
#else
int openCaptureFile() {
    const int fd = memfd_create("molvane-stderr", MFD_CLOEXEC);
    // A sanitizer report while standard error is captured must still be seen.
    if (__sanitizer_set_report_fd != nullptr)
        __sanitizer_set_report_fd(reinterpret_cast<void*>(std::intptr_t(dup(2))));
    return fd;
}

long long readCapture(char* text, int length) {
    return pread(captureFd, text, std::size_t(length), 0);
}
#endif

void prepareCapture() {
    if (captureFd < 0) captureFd = openCaptureFile();
    if (captureFd < 0 || ftruncate(captureFd, 0) != 0) std::abort();
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
    if (keep > 0 && readCapture(end.text, keep) != keep) end.length = 0;
}

bool isOneDiagnostic(std::string_view text, int code) {
    char head[16];
    std::snprintf(head, sizeof head, "*ERR* %d ", code);
    if (text.substr(0, std::strlen(head)) != head) return false;
    if (text.size() < std::strlen(head) + 3 || text.substr(text.size() - 2) != "\r\n") return false;
    return text.find('\n') == text.size() - 1;
}

} // namespace hostile
