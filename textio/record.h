// Records and the line reader that cuts a byte stream into them.
#pragma once

#include "textio/textio.h"

namespace textio::detail {

// One line as read: `length` columns at `chars` (at most recordLength). Columns beyond
// the length read as blanks without being stored.
struct Record {
    const char* chars = nullptr;
    int length = 0;
    char at(int index) const { return index < length ? chars[index] : ' '; } // 0-based
};

// A 1-based first column and a width: the columns a descriptor works on.
struct Field {
    int column;
    int width;
};

// Reads lines from a descriptor through one fixed buffer. A record handed out points
// either into the buffer or into `line`, and stays valid until the next read.
struct LineReader {
    static constexpr int bufferSize = 1 << 16;
    int fd = -1;
    int pos = 0;               // next unread byte in buffer
    int end = 0;               // bytes held in buffer
    int stop = 0;              // first Ctrl-Z in buffer, or end
    long long bufferStart = 0; // file offset of buffer[0]
    bool ended = false;        // end of data met: end of file or Ctrl-Z
    long long lineNumber = 0;  // lines handed out since lineBase (see lineNumberOf)
    long long lineBase = 0;    // file offset of a line start; lines before it not yet counted
    Record current;            // the last line handed out, while hasCurrent
    bool hasCurrent = false;
    char buffer[bufferSize];
    char line[recordLength];
};

enum class LineResult { line, endOfData, readError };

// Starts reading `fd` afresh; `offset` is the descriptor's current file offset.
void resetReader(LineReader& reader, int fd, long long offset);
// The next line by the rules in textio.h. On readError, errno tells why.
LineResult nextLine(LineReader& reader, Record& record);
// Moves the bytes from `keepFrom` to the end of the buffer to its front and fills the rest
// from the descriptor; false at end of file or on a read error (errno set, or 0 at end).
bool refillBuffer(LineReader& reader, int keepFrom);

// Whether the line holds `pattern` as findSubstring finds it in the line's first `columns`
// columns, blank padded: the rule of every keyword search.
bool holdsWithin(const Record& record, std::string_view pattern, int columns);
// Whether skipToLine can take `pattern` and `columns`: a pattern of 1 to `columns` bytes
// (columns at most recordLength) that holds no LF, CR or Ctrl-Z and does not end in a blank.
bool skipFits(std::string_view pattern, int columns);
// The next line that holdsWithin `pattern` and `columns`, as nextLine would reach it line
// by line, but found by scanning the buffer rather than cutting every line: the lines
// passed over are not counted as they go (lineNumberOf counts them when asked). Only for
// a pattern that skipFits, on a descriptor that can seek. On readError, errno tells why. The
// one-pattern case of skipToLineHoldingAny: one search engine serves both.
LineResult skipToLine(LineReader& reader, std::string_view pattern, int columns, Record& record);
// skipToLine for any of `count` patterns (each one that skipFits), each searched in the
// buffer on its own; the line handed out is the first in the file that holdsWithin one of
// them. The same lines are passed over as by nextLine and holdsWithin line by line.
LineResult skipToLineHoldingAny(LineReader& reader, const std::string_view* patterns, int count,
                                int columns, Record& record);
// The number of the last line handed out (or, at the end of the data, of lines in all);
// counts the lines a skip passed over by reading the file again up to lineBase.
long long lineNumberOf(LineReader& reader);
// File offset of the first byte not yet taken into a line.
inline long long readerPosition(const LineReader& reader) {
    return reader.bufferStart + reader.pos;
}

} // namespace textio::detail
