// The X error trap.
#include "toolkit/x11/x11_errors.h"

namespace toolkit::x11 {

namespace {

int caught = 0;
int (*previous)(Display*, XErrorEvent*) = nullptr;

int catchError(Display*, XErrorEvent* error) {
    if (caught == 0) caught = error->error_code;
    return 0;
}

} // namespace

void beginErrorTrap(Display* display) {
    XSync(display, False);
    caught = 0;
    previous = XSetErrorHandler(catchError);
}

int endErrorTrap(Display* display) {
    XSync(display, False);
    XSetErrorHandler(previous);
    return caught;
}

} // namespace toolkit::x11
