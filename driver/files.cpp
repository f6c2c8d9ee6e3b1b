// fileExists and createEmptyFile over POSIX open, with the text layer's open flags.
#include "driver/files.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "textio/open_flags.h"

namespace driver {
namespace {

// The name as a C string; false when it is empty or too long to be a path.
bool toPath(std::string_view name, char (&path)[PATH_MAX]) {
    if (name.empty() || name.size() >= sizeof path || name.find('\0') != name.npos) return false;
    std::memcpy(path, name.data(), name.size());
    path[name.size()] = '\0';
    return true;
}

} // namespace

bool fileExists(std::string_view name) {
    char path[PATH_MAX];
    if (!toPath(name, path)) return false;
    const int fd = ::open(path, O_RDONLY | textio::openFlags);
    if (fd < 0) return false;
    struct stat info;
    const bool readable = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    ::close(fd);
    return readable;
}

void createEmptyFile(std::string_view name) {
    char path[PATH_MAX];
    if (!toPath(name, path)) return;
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | textio::openFlags, 0666);
    if (fd >= 0) ::close(fd);
}

} // namespace driver
