// The flags every file of the program is opened with besides its access mode, chosen here
// once: no program the run may start inherits the descriptor (close-on-exec; Windows calls it
// O_NOINHERIT), and on Windows the bytes pass untranslated (binary mode keeps the CR LF written
// and the bytes read as they are).
#pragma once

#include <fcntl.h>

namespace textio {

#ifdef _WIN32
inline constexpr int openFlags = O_BINARY | O_NOINHERIT;
#else
inline constexpr int openFlags = O_CLOEXEC;
#endif

} // namespace textio
