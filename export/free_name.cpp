// Trying stem.ext, stem-2.ext, ... until one is free.
#include "export/free_name.h"

namespace pictures {

bool finishUnderFreeName(textio::SafeWrite& out, const std::string& stem, const char* extension,
                         std::string& name, const char*& why) {
    name = stem + extension;
    bool placed = textio::finishSafeWrite(out, false, why);
    for (int n = 2; !placed && textio::nameTaken(why) && n <= 100000; ++n) {
        name = stem + "-" + std::to_string(n) + extension;
        placed = textio::retarget(out, name.c_str(), why);
    }
    if (!placed) textio::abandonSafeWrite(out);
    return placed;
}

} // namespace pictures
