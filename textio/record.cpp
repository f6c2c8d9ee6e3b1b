// The line reader: LF-terminated lines, CR LF, Ctrl-Z, over-long lines.
#include "textio/record.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace textio::detail {
namespace {

constexpr char ctrlZ = 26;

bool refill(LineReader& r) { return refillBuffer(r, r.end); }

} // namespace

bool refillBuffer(LineReader& r, int keepFrom) {
    const int kept = r.end - keepFrom;
    if (kept > 0) std::memmove(r.buffer, r.buffer + keepFrom, std::size_t(kept));
    r.bufferStart += keepFrom;
    r.pos = 0;
    r.end = r.stop = kept;
    for (;;) {
        const ssize_t n = ::read(r.fd, r.buffer + kept, std::size_t(LineReader::bufferSize - kept));
        if (n > 0) {
            r.end = kept + int(n);
            const void* z = std::memchr(r.buffer + kept, ctrlZ, std::size_t(n));
            r.stop = z != nullptr ? int(static_cast<const char*>(z) - r.buffer) : r.end;
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = 0;
        return false;
    }
}

void resetReader(LineReader& r, int fd, long long offset) {
    r.fd = fd;
    r.pos = r.end = r.stop = 0;
    r.bufferStart = offset;
    r.ended = false;
    r.lineNumber = 0;
    r.lineBase = 0;
    r.hasCurrent = false;
}

LineResult nextLine(LineReader& r, Record& record) {
    r.hasCurrent = false;
    if (r.ended) return LineResult::endOfData;
    long long taken = 0; // bytes of this line seen so far, any CR included
    int stored = 0;      // of them, kept in r.line (only when the line spans refills)
    bool lastWasCR = false;
    for (;;) {
        if (r.pos == r.end && !refill(r)) {
            r.ended = true;
            if (errno != 0) return LineResult::readError;
            if (taken == 0) return LineResult::endOfData;
            record = {r.line, stored}; // last line without line feed
            ++r.lineNumber;
            r.current = record;
            r.hasCurrent = true;
            return LineResult::line;
        }
        // Bytes up to the next LF, or up to a Ctrl-Z, or to the end of the buffer.
        const char* start = r.buffer + r.pos;
        const int avail = r.stop - r.pos;
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', std::size_t(avail)));
        const int n = lf != nullptr ? int(lf - start) : avail;
        const bool z = lf == nullptr && r.stop < r.end;
        if (z) {
            r.ended = true;
            if (taken == 0 && n == 0) return LineResult::endOfData;
        }
        const bool complete = lf != nullptr || z;
        int keep = n;
        if (lf != nullptr) {
            // A CR directly before the LF, possibly at the end of the previous chunk.
            if (n > 0 && start[n - 1] == '\r')
                --keep;
            else if (n == 0 && lastWasCR && taken <= recordLength)
                --stored;
        }
        if (complete && taken == 0 && keep <= recordLength) {
            // The whole line lies in the buffer: hand it out where it is.
            record = {start, keep};
        } else {
            const int room = recordLength - stored;
            const int copy = keep < room ? keep : room;
            std::memcpy(r.line + stored, start, std::size_t(copy));
            stored += copy;
            taken += n;
            lastWasCR = n > 0 && start[n - 1] == '\r';
            record = {r.line, stored};
        }
        r.pos += n + (lf != nullptr ? 1 : 0);
        if (complete) {
            ++r.lineNumber;
            r.current = record;
            r.hasCurrent = true;
            return LineResult::line;
        }
    }
}

} // namespace textio::detail
