// Error and warning reports.
#include "toolkit/report.h"

#include <cstdarg>
#include <cstdio>

#include "toolkit/platform.h"
#include "toolkit/toolkit.h"

namespace toolkit {

namespace {
bool boxesOn = true;
} // namespace

void setMessageBoxes(bool on) { boxesOn = on; }

void reportError(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (boxesOn) platform::showMessageBox("Error", text);
}

void reportWarning(const char* text) {
    if (boxesOn) platform::showMessageBox("Warning", text);
}

} // namespace toolkit
