// Skipping to the next line that holds a keyword: the read buffer is searched as it stands
// instead of being cut into lines, and the lines passed over are counted only when a
// diagnostic asks for their number.
#include "textio/record.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace textio::detail {
namespace {

constexpr char ctrlZ = 26;

// How common a byte is in listings, so that the search keys on the pattern's rarest one.
int rarity(unsigned char c) {
    if (c == ' ') return 0;
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == '.' || c == '-') return 1;
    if (c > ' ' && c < 127) return 2; // capitals and other punctuation
    return 3;
}

int rarestByte(std::string_view pattern) {
    int best = 0;
    for (int i = 1; i < int(pattern.size()); ++i)
        if (rarity(static_cast<unsigned char>(pattern[std::size_t(i)])) >
            rarity(static_cast<unsigned char>(pattern[std::size_t(best)])))
            best = i;
    return best;
}

// The last LF in [from, to), or nullptr.
const char* lastLineFeed(const char* from, const char* to) {
    while (to > from)
        if (*--to == '\n') return to;
    return nullptr;
}

// Line feeds in the first `upTo` bytes of the file; the descriptor's offset is kept.
long long countLineFeeds(int fd, long long upTo) {
    const off_t back = ::lseek(fd, 0, SEEK_CUR);
    if (back < 0 || ::lseek(fd, 0, SEEK_SET) < 0) return 0;
    constexpr long long chunkSize = 16384;
    char chunk[chunkSize];
    long long count = 0;
    while (upTo > 0) {
        const ssize_t n = ::read(fd, chunk, std::size_t(upTo < chunkSize ? upTo : chunkSize));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        for (const char* p = chunk;
             (p = static_cast<const char*>(std::memchr(p, '\n', std::size_t(chunk + n - p)))); ++p)
            ++count;
        upTo -= n;
    }
    ::lseek(fd, back, SEEK_SET);
    return count;
}

// Where a skip for any of several patterns stands in the buffer: what has been judged so far.
struct SkipScan {
    const std::string_view* patterns;
    int count;
    int length[skipPatternCapacity];
    int keyAt[skipPatternCapacity]; // the pattern's rarest byte, the one searched for
    int from[skipPatternCapacity];  // the first place pattern i may start that is not yet judged
    int hit[skipPatternCapacity];   // its next occurrence at or after from[i], none, or unknown
    int lineStart;                  // the start of the line in progress, when not longLine
    int scanned;                    // no LF lies in [lineStart, scanned)
    bool longLine;                  // in a line that can no longer hold a pattern in time
};

constexpr int none = 1 << 30; // no occurrence in the buffer's data
constexpr int unknown = -1;

// The next occurrence of pattern i in the buffer's data at or after from[i], or none.
int nextOccurrence(const LineReader& r, const SkipScan& s, int i) {
    const char* const b = r.buffer;
    const int stop = r.stop;
    const int m = s.length[i], k = s.keyAt[i];
    const std::string_view pattern = s.patterns[i];
    const char key = pattern[std::size_t(k)];
    for (int p = s.from[i]; p + m <= stop;) {
        const void* at = std::memchr(b + p + k, key, std::size_t(stop - m + 1 - p));
        if (at == nullptr) return none;
        const int place = int(static_cast<const char*>(at) - b) - k;
        if (std::memcmp(b + place, pattern.data(), std::size_t(m)) == 0) return place;
        p = place + 1;
    }
    return none;
}

// Judges the occurrences in the buffer's data in file order, each by its column counted from
// the start of its line (at most `columns` bytes back). True when a line holds a pattern in
// time, its start in s.lineStart; false once the data is judged, s then telling where the line
// in progress at its end starts, or that it is too long already.
bool judgeBuffer(const LineReader& r, int columns, SkipScan& s) {
    const char* const b = r.buffer;
    const int stop = r.stop;
    if (s.longLine) {
        // The buffer was refilled past the rest of a long line: its line feed, if here.
        if (const void* lf = std::memchr(b, '\n', std::size_t(stop))) {
            s.lineStart = s.scanned = int(static_cast<const char*>(lf) - b) + 1;
            for (int i = 0; i < s.count; ++i) s.from[i] = s.lineStart;
            s.longLine = false;
        }
    }
    if (s.longLine) return false;
    for (;;) {
        int best = -1, c = none;
        for (int i = 0; i < s.count; ++i) {
            if (s.hit[i] == unknown) s.hit[i] = nextOccurrence(r, s, i);
            if (s.hit[i] < c) {
                c = s.hit[i];
                best = i;
            }
        }
        if (best < 0) break;
        const int back = c - columns > s.scanned ? c - columns : s.scanned;
        if (const char* lf = lastLineFeed(b + back, b + c)) s.lineStart = int(lf - b) + 1;
        s.scanned = c;
        if (c - s.lineStart + s.length[best] <= columns) return true;
        s.from[best] = c + 1;
        s.hit[best] = unknown;
    }
    // The line in progress at the end of the buffer's data.
    const int back = stop - columns > s.scanned ? stop - columns : s.scanned;
    if (const char* lf = lastLineFeed(b + back, b + stop))
        s.lineStart = int(lf - b) + 1;
    else if (back > s.scanned)
        s.longLine = true;
    s.scanned = stop;
    if (stop - s.lineStart >= columns) s.longLine = true;
    return false;
}

// After a refill that kept the data from keepFrom on (which was at `stop` before): every place
// up to the last where pattern i could lie whole in the old data has been judged.
void shiftAfterRefill(SkipScan& s, int stop, int keepFrom) {
    for (int i = 0; i < s.count; ++i) {
        int next = s.from[i];
        if (stop - s.length[i] + 1 > next) next = stop - s.length[i] + 1;
        if (keepFrom > next) next = keepFrom;
        s.from[i] = next - keepFrom;
        s.hit[i] = unknown;
    }
    s.lineStart = 0;
    s.scanned = stop - keepFrom;
}

} // namespace

bool holdsWithin(const Record& record, std::string_view pattern, int columns) {
    char text[recordLength];
    const int n = record.length < columns ? record.length : columns;
    if (n > 0) std::memcpy(text, record.chars, std::size_t(n));
    std::memset(text + n, ' ', std::size_t(columns - n));
    return findSubstring({text, std::size_t(columns)}, pattern) > 0;
}

bool skipFits(std::string_view pattern, int columns) {
    if (columns < 1 || columns > recordLength) return false;
    if (pattern.empty() || int(pattern.size()) > columns || pattern.back() == ' ') return false;
    for (const char c : pattern)
        if (c == '\n' || c == '\r' || c == ctrlZ) return false;
    return true;
}

LineResult skipToLine(LineReader& r, std::string_view pattern, int columns, Record& record) {
    return skipToLineHoldingAny(r, &pattern, 1, columns, record);
}

// The buffer is searched as it stands: each pattern on its own from the first place not yet
// judged for it, the place of its next occurrence kept until that one is judged; the
// occurrences are judged in file order, so the first that lies within `columns` columns of its
// line gives the line. The line in progress at the end of the buffer is moved to the front
// before the buffer is refilled, so that a pattern crossing the boundary is found and the line
// found can be handed out from the buffer by nextLine; a line already `columns` long cannot hold
// a pattern any more and is passed over up to its LF without being kept.
LineResult skipToLineHoldingAny(LineReader& r, const std::string_view* patterns, int count,
                                int columns, Record& record) {
    r.hasCurrent = false;
    if (r.ended) return LineResult::endOfData;
    SkipScan s;
    s.patterns = patterns;
    s.count = count;
    for (int i = 0; i < count; ++i) {
        s.length[i] = int(patterns[i].size());
        s.keyAt[i] = rarestByte(patterns[i]);
        s.from[i] = r.pos;
        s.hit[i] = unknown;
    }
    s.lineStart = s.scanned = r.pos;
    s.longLine = false;
    for (;;) {
        if (judgeBuffer(r, columns, s)) {
            r.pos = s.lineStart;
            r.lineBase = r.bufferStart + s.lineStart;
            r.lineNumber = 0;
            return nextLine(r, record);
        }
        bool more = false;
        if (r.stop == r.end) {
            const int stop = r.stop;
            const int keepFrom = s.longLine ? r.end : s.lineStart;
            more = refillBuffer(r, keepFrom);
            if (!more && errno != 0) {
                r.ended = true;
                return LineResult::readError;
            }
            shiftAfterRefill(s, stop, keepFrom);
        }
        if (!more) {
            // The data ends (end of file, or a Ctrl-Z): every line has been passed over.
            const bool partial = s.longLine || r.stop > s.lineStart;
            r.ended = true;
            r.pos = r.stop;
            r.lineBase = r.bufferStart + r.stop;
            r.lineNumber = partial ? 1 : 0;
            return LineResult::endOfData;
        }
    }
}

long long lineNumberOf(LineReader& r) {
    if (r.lineBase > 0) {
        r.lineNumber += countLineFeeds(r.fd, r.lineBase);
        r.lineBase = 0;
    }
    return r.lineNumber;
}

} // namespace textio::detail
