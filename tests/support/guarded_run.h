// Running the program's own code in-process through its run ends, the tests' one run-end
// catcher (Linux and Windows). The text layer's run-end hook jumps back to the caller instead
// of ending the process, standard error is kept while the code runs, and after a run end the
// layer is put back as at program start. Used by the text layer's tests, the damaged-input
// tests and the fuzz targets.
#pragma once

#include <string_view>
#include <type_traits>

namespace testsupport {

struct RunEnd {
    static constexpr int capacity = 4096;
    bool ended = false; // the run ended through endRun instead of returning
    int status = 0;     // the status it ended with
    int length = 0;     // bytes written on standard error meanwhile (at most capacity kept)
    char text[capacity];
    std::string_view diagnostic() const {
        return {text, std::size_t(length < capacity ? length : capacity)};
    }
};

// Calls body(context). After a run end the text layer is put back as at program start
// (resetForHarness); after a normal return it is left as the body left it. The code between must be
// the program's own plain procedures: a run end jumps over their frames, so nothing in them may
// need destroying.
void guardedRun(void (*body)(void*), void* context, RunEnd& end);

// The same for a callable f: guarded([&] { reader::countAtoms(...); }).
template <class F> RunEnd guarded(F&& f) {
    RunEnd end;
    guardedRun([](void* c) { (*static_cast<std::remove_reference_t<F>*>(c))(); }, &f, end);
    return end;
}

// True when `text` is one diagnostic line "*ERR* <code> <message>" ended by CR LF, with
// nothing before or after it.
bool isOneDiagnostic(std::string_view text, int code);

} // namespace testsupport
