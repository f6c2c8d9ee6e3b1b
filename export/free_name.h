// The first free name of a picture written from the window: stem.ext, else stem-2.ext,
// stem-3.ext, ... (the GIF of the key g, the still of the key p), an existing file never
// replaced.
#pragma once

#include <string>

#include "textio/safe_write.h"

namespace pictures {

// Gives the finished temporary `out` the first free name of `stem` and `extension` (".png"),
// which goes to `name` (the last name tried on failure). On failure the temporary is removed.
bool finishUnderFreeName(textio::SafeWrite& out, const std::string& stem, const char* extension,
                         std::string& name, const char*& why);

} // namespace pictures
