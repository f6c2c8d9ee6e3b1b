// Error and warning boxes: MessageBoxA owned by the window that has the keyboard focus.
#include "toolkit/platform.h"
#include "toolkit/win32/win32_state.h"

namespace toolkit {

void platform::showMessageBox(const char* caption, const char* text) {
    MessageBoxA(GetFocus(), text, caption, MB_OK);
}

} // namespace toolkit
