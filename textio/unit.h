// The three units: console input and output, and the one file unit. Only this code and
// the line reader touch descriptors.
#pragma once

#include "textio/failure.h"
#include "textio/record.h"

namespace textio::detail {

// The next line of an input unit; false at end of data. A read error ends the run.
bool nextRecord(Unit unit, Record& record);
// The next line of an input unit that holdsWithin `pattern` and `columns` (at most
// recordLength), the lines before it passed over; false at end of data. A read error
// ends the run.
bool skipToRecord(Unit unit, std::string_view pattern, int columns, Record& record);
// skipToRecord on the file unit for the first line holding any of `count` patterns.
bool skipToFileRecordAny(const std::string_view* patterns, int count, int columns, Record& record);
// The unit's current record: the last line a read handed out, unless a read has met the
// end of the data since, or the unit has been connected, rewound or written since.
bool currentRecord(Unit unit, Record& record);
// Writes all `n` bytes to the descriptor, going on after an interruption; false on a write
// error (errno tells why).
bool writeAll(int fd, const char* p, std::size_t n);
// Writes `length` columns and CR LF as one line of an output unit. A write error ends the run.
void putLine(Unit unit, const char* chars, int length);
// "Output.dat, line 212" or "console input, line 3": where the unit's last line was.
void addPlace(Unit unit, Message& message);
// Ends the run for end of file on a read without the end-of-file branch.
[[noreturn]] void failEndOfFile(Unit unit);

} // namespace textio::detail
