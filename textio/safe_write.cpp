// Writing a file under a temporary name and renaming it into place.
#include "textio/safe_write.h"

#include "textio/open_flags.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace textio {

namespace {

const char takenReason[] = "a file of that name exists";

const char* errnoReason(int error) { return std::strerror(error ? error : EIO); }

#ifdef _WIN32

int makeTemporary(std::string& name) {
    name += ".XXXXXX";
    if (_mktemp_s(name.data(), name.size() + 1) != 0) return -1;
    return _open(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | openFlags, _S_IREAD | _S_IWRITE);
}

bool syncFile(std::FILE* file) { return _commit(_fileno(file)) == 0; }

// 0, else an errno value (EEXIST when the name is taken and may not be replaced).
int placeFile(const std::string& from, const std::string& to, bool replace) {
    const DWORD flags = replace ? MOVEFILE_REPLACE_EXISTING : 0;
    if (MoveFileExA(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH)) return 0;
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return EEXIST;
    return error == ERROR_ACCESS_DENIED ? EACCES : EIO;
}

#else

int makeTemporary(std::string& name) {
    name += ".XXXXXX";
    const int fd = mkostemp(name.data(), openFlags);
    if (fd < 0) return -1;
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    return fd;
}

bool syncFile(std::FILE* file) { return fsync(fileno(file)) == 0; }

int placeFile(const std::string& from, const std::string& to, bool replace) {
    if (replace) return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system that cannot rename without replacing: a second link fails on a taken name.
    if (link(from.c_str(), to.c_str()) != 0) return errno;
    unlink(from.c_str());
    return 0;
}

#endif

// Gives the closed temporary the name `path`; on any failure but a taken name it is removed.
bool place(SafeWrite& out, const char* path, bool replace, const char*& why) {
    const int error = placeFile(out.temporary, path, replace);
    if (error == 0) {
        out.target = path;
        out.temporary.clear();
        return true;
    }
    if (error == EEXIST && !replace) {
        why = takenReason;
        return false;
    }
    why = errnoReason(error);
    abandonSafeWrite(out);
    return false;
}

} // namespace

bool beginSafeWrite(const char* path, SafeWrite& out, const char*& why) {
    out = {};
    out.target = path;
    out.temporary = path;
    const int fd = makeTemporary(out.temporary);
    if (fd < 0) {
        why = errnoReason(errno);
        out.temporary.clear();
        return false;
    }
#ifdef _WIN32
    out.file = _fdopen(fd, "wb");
#else
    out.file = fdopen(fd, "wb");
#endif
    if (!out.file) {
        why = errnoReason(errno);
#ifdef _WIN32
        _close(fd);
#else
        close(fd);
#endif
        abandonSafeWrite(out);
        return false;
    }
    return true;
}

bool finishSafeWrite(SafeWrite& out, bool replace, const char*& why) {
    if (!out.file) {
        why = errnoReason(out.error);
        abandonSafeWrite(out);
        return false;
    }
    // Bytes still buffered meet a full disk only here.
    errno = 0;
    int error = out.error;
    if (!error && (std::fflush(out.file) != 0 || std::ferror(out.file) || !syncFile(out.file)))
        error = errno ? errno : EIO;
    errno = 0;
    if (std::fclose(out.file) != 0 && !error) error = errno ? errno : EIO;
    out.file = nullptr;
    if (error) {
        why = errnoReason(error);
        abandonSafeWrite(out);
        return false;
    }
    return place(out, out.target.c_str(), replace, why);
}

bool retarget(SafeWrite& out, const char* path, const char*& why) {
    if (out.temporary.empty() || out.file) {
        why = errnoReason(EINVAL);
        return false;
    }
    return place(out, path, false, why);
}

void abandonSafeWrite(SafeWrite& out) {
    if (out.file) std::fclose(out.file);
    out.file = nullptr;
    if (!out.temporary.empty()) std::remove(out.temporary.c_str());
    out.temporary.clear();
}

bool nameTaken(const char* why) { return why == takenReason; }

} // namespace textio
