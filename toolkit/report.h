// Error and warning reports: message boxes captioned "Error" or "Warning", shown by the binding.
#pragma once

namespace toolkit {

// Formats printf-style and shows the text in a box captioned "Error" (when boxes are on).
void reportError(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Shows the text in a box captioned "Warning" (when boxes are on).
void reportWarning(const char* text);

} // namespace toolkit
