// The shared tests open files as POSIX does, as bytes: in their Windows build binary is the
// default mode of every file they open. (molvane.exe sets binary mode itself.)
#include <fcntl.h>
#include <stdlib.h>

namespace {
const bool binaryByDefault = (_fmode = _O_BINARY, true);
} // namespace
