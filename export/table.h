// Tables for scripts: CSV rows (RFC 4180: a field holding a comma, a quote or a line end is
// quoted, its quotes doubled; rows end in CR LF) and JSON text (strings escaped, any byte
// that is not UTF-8 written as U+FFFD), built in a buffer of fixed capacity and written to
// console output in one write, so that rows of several runs sharing one pipe never mix.
#pragma once

#include <cstddef>
#include <string_view>

namespace table {

struct Row {
    static constexpr int capacity = 16384;
    char text[capacity];
    int length = 0;
    bool fieldOpen = false; // a CSV field has been written on this row: the next needs a comma
};

// Starts a new row (or a new JSON text) in `row`.
void clear(Row& row);
// Appends text as it stands.
void append(Row& row, std::string_view text);

// CSV: a field of text, quoted where it needs it; a number as printed (see number below); an
// empty field; the end of the row.
void csvText(Row& row, std::string_view text);
void csvNumber(Row& row, double value);
void csvEmpty(Row& row);
void csvEnd(Row& row);

// JSON: a string in quotes with its escapes; a number as printed.
void jsonString(Row& row, std::string_view text);
void jsonNumber(Row& row, double value);

// The length of the UTF-8 sequence starting at text[i] (1 to 4), or 0 when the bytes there are
// not a whole one.
std::size_t utf8Length(std::string_view text, std::size_t i);

// Writes the row to console output in one write (a failed write passes, as for the usage
// text: a closed pipe ends the reader's interest, not the row's correctness).
void writeRow(const Row& row);

// A number read from a file, as the file printed it: the fewest decimals (at most 10) that
// give the same value back, so 1668.2293 stays "1668.2293" and 3.0 becomes "3". At most 40
// characters at `text`; returns how many.
int printedNumber(double value, char* text);
// The number of decimals printedNumber gives `value`.
int printedDecimals(double value);
// `value` with `decimals` decimals.
int fixedNumber(double value, int decimals, char* text);

} // namespace table
