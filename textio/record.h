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
    int pos = 0;              // next unread byte in buffer
    int end = 0;              // bytes held in buffer
    int stop = 0;             // first Ctrl-Z in buffer, or end
    long long bufferStart = 0; // file offset of buffer[0]
    bool ended = false;       // end of data met: end of file or Ctrl-Z
    long long lineNumber = 0; // lines handed out since the start
    char buffer[bufferSize];
    char line[recordLength];
};

enum class LineResult { line, endOfData, readError };

// Starts reading `fd` afresh; `offset` is the descriptor's current file offset.
void resetReader(LineReader& reader, int fd, long long offset);
// The next line by the rules in textio.h. On readError, errno tells why.
LineResult nextLine(LineReader& reader, Record& record);
// File offset of the first byte not yet taken into a line.
inline long long readerPosition(const LineReader& reader) {
    return reader.bufferStart + reader.pos;
}

} // namespace textio::detail
