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

// Where a skip stands in the buffer: what has been judged so far.
struct SkipScan {
    int p;         // the first place the pattern may start that is not yet judged
    int lineStart; // the start of the line in progress, when not longLine
    int scanned;   // no LF lies in [lineStart, scanned)
    bool longLine; // in a line that can no longer hold the pattern in time
};

// Searches the buffer's data (up to r.stop) from s.p for the pattern's byte k, its rarest;
// each place where the whole pattern lies is judged by its column, counted from the start of
// its line (at most `columns` bytes back), and a match too far right dismisses the rest of its
// line. True when a line holds the pattern in time, its start in s.lineStart; false once the
// data is searched, s then telling where the line in progress at its end starts, or that it is
// too long already.
bool scanBuffer(const LineReader& r, std::string_view pattern, int k, int columns, SkipScan& s) {
    const char* const b = r.buffer;
    const int stop = r.stop;
    const int m = int(pattern.size());
    const char key = pattern[std::size_t(k)];
    for (;;) {
        while (!s.longLine && s.p + m <= stop) {
            const void* hit = std::memchr(b + s.p + k, key, std::size_t(stop - m + 1 - s.p));
            if (hit == nullptr) {
                s.p = stop - m + 1;
                break;
            }
            const int c = int(static_cast<const char*>(hit) - b) - k;
            if (std::memcmp(b + c, pattern.data(), std::size_t(m)) != 0) {
                s.p = c + 1;
                continue;
            }
            // Without an LF in the `columns` bytes before it, the match is too far right
            // whatever lineStart says.
            const int from = c - columns > s.scanned ? c - columns : s.scanned;
            if (const char* lf = lastLineFeed(b + from, b + c)) s.lineStart = int(lf - b) + 1;
            s.scanned = c;
            if (c - s.lineStart + m <= columns) return true;
            const void* lf = std::memchr(b + c, '\n', std::size_t(stop - c));
            if (lf == nullptr) {
                s.longLine = true;
                s.p = stop;
                break;
            }
            s.p = s.lineStart = s.scanned = int(static_cast<const char*>(lf) - b) + 1;
        }
        if (s.longLine) {
            const void* lf = std::memchr(b + s.p, '\n', std::size_t(stop - s.p));
            if (lf != nullptr) {
                s.p = s.lineStart = s.scanned = int(static_cast<const char*>(lf) - b) + 1;
                s.longLine = false;
                continue;
            }
        } else {
            // The line in progress at the end of the buffer's data.
            const int from = stop - columns > s.scanned ? stop - columns : s.scanned;
            if (const char* lf = lastLineFeed(b + from, b + stop))
                s.lineStart = int(lf - b) + 1;
            else if (from > s.scanned)
                s.longLine = true;
            s.scanned = stop;
            if (stop - s.lineStart >= columns) s.longLine = true;
        }
        return false;
    }
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

// The buffer is searched as it stands (scanBuffer). The line in progress at the end of the
// buffer is moved to the front before the buffer is refilled, so that a pattern crossing the
// boundary is found and the line found can be handed out from the buffer by nextLine; a line
// already `columns` long cannot hold the pattern any more and is passed over up to its LF
// without being kept.
LineResult skipToLine(LineReader& r, std::string_view pattern, int columns, Record& record) {
    r.hasCurrent = false;
    if (r.ended) return LineResult::endOfData;
    const int m = int(pattern.size());
    const int k = rarestByte(pattern);
    SkipScan s{r.pos, r.pos, r.pos, false};
    for (;;) {
        if (scanBuffer(r, pattern, k, columns, s)) {
            r.pos = s.lineStart;
            r.lineBase = r.bufferStart + s.lineStart;
            r.lineNumber = 0;
            return nextLine(r, record);
        }
        bool more = false;
        if (r.stop == r.end) {
            // Keep the line in progress, and go on from the first place not yet judged.
            const int stop = r.stop;
            const int keepFrom = s.longLine ? r.end : s.lineStart;
            int next = s.p > s.lineStart ? s.p : s.lineStart;
            if (stop - m + 1 > next) next = stop - m + 1;
            more = refillBuffer(r, keepFrom);
            if (!more && errno != 0) {
                r.ended = true;
                return LineResult::readError;
            }
            s.lineStart = 0;
            s.scanned = stop - keepFrom;
            s.p = s.longLine ? 0 : next - keepFrom;
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

// Each pattern is searched on its own from the first place not yet judged for it, the place
// of its next occurrence kept until that one is judged; the occurrences are judged in file
// order, so the first that lies within `columns` columns of its line gives the line. Where
// lineStart stands and when a line is too long to hold any pattern in time follow skipToLine.
LineResult skipToLineHoldingAny(LineReader& r, const std::string_view* patterns, int count,
                                int columns, Record& record) {
    r.hasCurrent = false;
    if (r.ended) return LineResult::endOfData;
    constexpr int none = 1 << 30; // no occurrence in the buffer's data
    constexpr int unknown = -1;
    int length[skipPatternCapacity];
    int keyAt[skipPatternCapacity];
    int from[skipPatternCapacity]; // the first place pattern i may start that is not yet judged
    int hit[skipPatternCapacity];  // its next occurrence at or after from[i], none, or unknown
    for (int i = 0; i < count; ++i) {
        length[i] = int(patterns[i].size());
        keyAt[i] = rarestByte(patterns[i]);
        from[i] = r.pos;
        hit[i] = unknown;
    }
    int lineStart = r.pos;
    int scanned = r.pos;
    bool longLine = false;
    for (;;) {
        const char* const b = r.buffer;
        const int stop = r.stop;
        if (longLine) {
            // The buffer was refilled past the rest of a long line: its line feed, if here.
            if (const void* lf = std::memchr(b, '\n', std::size_t(stop))) {
                lineStart = scanned = int(static_cast<const char*>(lf) - b) + 1;
                for (int i = 0; i < count; ++i) from[i] = lineStart;
                longLine = false;
            }
        }
        if (!longLine) {
            for (;;) {
                int best = -1, c = none;
                for (int i = 0; i < count; ++i) {
                    if (hit[i] == unknown) {
                        const int m = length[i], k = keyAt[i];
                        const char key = patterns[i][std::size_t(k)];
                        hit[i] = none;
                        for (int p = from[i]; p + m <= stop;) {
                            const void* at =
                                std::memchr(b + p + k, key, std::size_t(stop - m + 1 - p));
                            if (at == nullptr) break;
                            const int place = int(static_cast<const char*>(at) - b) - k;
                            if (std::memcmp(b + place, patterns[i].data(), std::size_t(m)) == 0) {
                                hit[i] = place;
                                break;
                            }
                            p = place + 1;
                        }
                    }
                    if (hit[i] < c) {
                        c = hit[i];
                        best = i;
                    }
                }
                if (best < 0) break;
                const int back = c - columns > scanned ? c - columns : scanned;
                if (const char* lf = lastLineFeed(b + back, b + c)) lineStart = int(lf - b) + 1;
                scanned = c;
                if (c - lineStart + length[best] <= columns) {
                    r.pos = lineStart;
                    r.lineBase = r.bufferStart + lineStart;
                    r.lineNumber = 0;
                    return nextLine(r, record);
                }
                from[best] = c + 1;
                hit[best] = unknown;
            }
            // The line in progress at the end of the buffer's data.
            const int back = stop - columns > scanned ? stop - columns : scanned;
            if (const char* lf = lastLineFeed(b + back, b + stop))
                lineStart = int(lf - b) + 1;
            else if (back > scanned)
                longLine = true;
            scanned = stop;
            if (stop - lineStart >= columns) longLine = true;
        }
        bool more = false;
        if (r.stop == r.end) {
            const int keepFrom = longLine ? r.end : lineStart;
            more = refillBuffer(r, keepFrom);
            if (!more && errno != 0) {
                r.ended = true;
                return LineResult::readError;
            }
            for (int i = 0; i < count; ++i) {
                // Every place up to the last where pattern i could lie whole has been judged.
                int next = from[i];
                if (stop - length[i] + 1 > next) next = stop - length[i] + 1;
                if (keepFrom > next) next = keepFrom;
                from[i] = next - keepFrom;
                hit[i] = unknown;
            }
            lineStart = 0;
            scanned = stop - keepFrom;
        }
        if (!more) {
            const bool partial = longLine || r.stop > lineStart;
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
