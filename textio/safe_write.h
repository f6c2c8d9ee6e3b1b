// The one way a file of the program's own is written (a GIF, a spectrum, a still, a table):
// the bytes go to a temporary file beside the target, which is flushed, synced to the disk and
// closed, and only then renamed to the target's name. A reader of the target sees the old file
// or the whole new one, never a part; a failure at any step leaves no file behind.
//
//     textio::SafeWrite out;
//     const char* why = "";
//     if (!textio::beginSafeWrite(path, out, why)) return fail(why);
//     ... std::fwrite(..., out.file) ...
//     if (!textio::finishSafeWrite(out, true, why)) return fail(why);
//
// Reasons are short texts without the file's name (an errno's message, or one of the texts
// below), for the caller's failure line.
#pragma once

#include <cstdio>
#include <string>

namespace textio {

struct SafeWrite {
    std::FILE* file = nullptr; // open for writing, binary, while the write is under way
    std::string temporary;     // the temporary file's name, beside the target
    std::string target;
    int error = 0; // the first write error seen by the caller's own writes (errno), 0 if none
};

// Creates a new temporary file beside `path` (in its folder, named after it) with the
// permissions a new file gets (0666 less the umask), open for writing. False with `why` when
// it cannot be made.
bool beginSafeWrite(const char* path, SafeWrite& out, const char*& why);

// Flushes what is buffered, syncs it to the disk, closes the file and gives it the target's
// name. With `replace` false an existing file of that name is left alone and the call fails
// with nameTaken(why) true, so a caller can try another name with retarget(). A write error
// recorded in out.error, a full disk met at the flush, or a failed sync also fail the call.
// On failure the temporary is removed, except when the name was taken: then it stays, closed,
// for retarget() or abandonSafeWrite().
bool finishSafeWrite(SafeWrite& out, bool replace, const char*& why);

// After finishSafeWrite failed with the name taken: tries the name `path` for the same bytes
// (never replacing). False, with nameTaken(why) when that name is taken too.
bool retarget(SafeWrite& out, const char* path, const char*& why);

// Closes and removes the temporary (after a failure of the caller's own). Safe to call twice.
void abandonSafeWrite(SafeWrite& out);

// Whether `why` says the target's name was taken.
bool nameTaken(const char* why);

} // namespace textio
