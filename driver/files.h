// File-system helpers of the dialogue: whether a file can be read, and making an empty one.
#pragma once

#include <string_view>

namespace driver {

// True when `name` names a file that can be opened for reading (a directory cannot); the
// file is closed again. An empty name gives false.
bool fileExists(std::string_view name);

// Creates the file `name`, or cuts an existing one to length 0, and closes it. A file that
// cannot be created is left for the next open to report.
void createEmptyFile(std::string_view name);

} // namespace driver
