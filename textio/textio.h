// The record-oriented text layer: every console line and file line of the program passes
// through here. A record is one line of at most 1024 columns; formatted statements work a
// layout of edit descriptors such as (5X,F3.0,4X,F6.2) against one record; free-form
// statements write items one after the other or read one number from the console.
// Input/output failures end the run with one "*ERR*" diagnostic line and status -1; the
// program's other failures are told in one "molvane: ..." failure line (writeFailureLine).
//
// Lines: bytes up to a line feed; a carriage return directly before the line feed is not
// part of the line (elsewhere it is an ordinary character); byte 26 (Ctrl-Z) ends the data:
// it ends the line in progress, and the next read meets end of file (a Ctrl-Z at the start
// of a line is end of file at once); a last line without line feed is a line. A line longer
// than 1024 columns keeps its first 1024 columns; the rest, up to its line feed, is skipped.
// Columns beyond the end of a short line read as blanks.
//
// Diagnostics go to standard error as "*ERR* <code> <message>", the message naming the
// file (or console input), the line and the columns of the field where known. Codes:
//   101 conversion error (a character that cannot belong to the number)
//   102 integer value too large for its item
//   103 real value too large for its item
//   104 end of file on a read without the end-of-file branch
//   105 a file (or console stream) that cannot be opened, read or written
//   106 a field that would reach beyond column 1024
//   107 wrong type: a free-form value beginning with T or F for a number item
//   108 a layout the layer cannot work (programming error)
//   109 a failure found by a caller in the data it read (failRun)
//   110 a value a caller will not write because its field cannot hold it (failUnwritable)
#pragma once

#include <cstring>
#include <initializer_list>
#include <string_view>

namespace textio {

inline constexpr int recordLength = 1024;

// Console input, console output, and the one file unit the program connects at a time.
enum class Unit { consoleIn, consoleOut, file };

// A text of declared length N: always exactly N characters, blank padded on the right.
template <int N> struct FixedText {
    static constexpr int length = N;
    char chars[N];
    FixedText() { std::memset(chars, ' ', N); }
    FixedText(std::string_view s) { assign(s); }
    void assign(std::string_view s) {
        const int n = s.size() < std::size_t(N) ? int(s.size()) : N;
        if (n > 0) std::memcpy(chars, s.data(), std::size_t(n));
        std::memset(chars + n, ' ', std::size_t(N - n));
    }
    std::string_view view() const { return {chars, std::size_t(N)}; }
    // The value without its trailing blanks.
    std::string_view trimmed() const {
        int n = N;
        while (n > 0 && chars[n - 1] == ' ') --n;
        return {chars, std::size_t(n)};
    }
};

// A layout parsed once into edit descriptors: nX, A, Aw, Iw, Fw.d.
struct EditDescriptor {
    enum Kind : unsigned char { skip, text, integer, real } kind;
    int width;    // columns; 0 for A without width (as wide as the item)
    int decimals; // d of Fw.d
};
struct Layout {
    static constexpr int capacity = 16;
    EditDescriptor items[capacity];
    int count = 0;
};
// Parses "(13X,F3.0,18X,F12.8)" and the like. A layout the layer cannot work is a
// programming error and ends the run with a diagnostic.
Layout parseLayout(std::string_view text);
// The layout "(A)": one text item taking the whole line, read or written.
const Layout& lineLayout();

// An item of a formatted read: where the converted value goes.
struct InItem {
    enum Type : unsigned char { integer, single, dbl, text } type;
    void* target;
    int length; // text items only
};
inline InItem in(int& v) { return {InItem::integer, &v, 0}; }
inline InItem in(float& v) { return {InItem::single, &v, 0}; }
inline InItem in(double& v) { return {InItem::dbl, &v, 0}; }
template <int N> InItem in(FixedText<N>& t) { return {InItem::text, t.chars, N}; }

// An item of a write: its value.
struct OutItem {
    enum Type : unsigned char { integer, real, text } type;
    long long integerValue;
    double realValue;
    std::string_view textValue;
};
inline OutItem out(int v) { return {OutItem::integer, v, 0.0, {}}; }
inline OutItem out(double v) { return {OutItem::real, 0, v, {}}; }
inline OutItem out(std::string_view v) { return {OutItem::text, 0, 0.0, v}; }
inline OutItem out(const char* v) { return out(std::string_view(v)); }
template <int N> OutItem out(const FixedText<N>& t) { return out(t.view()); }

// File unit: connect by name (leading and trailing blanks are not part of it; a missing
// file is created), go back to the first line, disconnect. openUnit disconnects a file
// still connected. A file that cannot be written is still opened for reading; writing
// then ends the run. Writing to the file unit writes from the current position, and the
// file ends after the last line written: a file written from its start holds exactly the
// new lines. openUnit and closeUnit clear the read context.
void openUnit(std::string_view fileName);
// Connects an existing file for reading only: a missing file is not created but fails to
// open, and writing to the unit ends the run.
void openUnitForReading(std::string_view fileName);
void rewindUnit();
void closeUnit();

// A short note of what the caller is looking for in the connected file, such as
// `the last "Standard orientation:" table`; an end-of-file diagnostic on the file unit
// ends with "while reading <what>". Kept up to 200 characters.
void setReadContext(std::string_view what);

// Reads exactly one line of `unit` and converts its fields into `items` by `layout`, one
// data descriptor per item (A/Aw for texts, Iw for integers, Fw.d for reals); descriptors
// left over after the last item are not worked. With endBranch, end of file returns false
// and leaves the items unchanged; without it, end of file ends the run. Returns true when
// a line was read. A layout that does not fit the items ends the run (code 108).
bool readRecord(Unit unit, const Layout& layout, std::initializer_list<InItem> items,
                bool endBranch = false);

// Works `layout` against the unit's current record again: the line the last read (or
// skip) handed out, with readRecord's conversions and diagnostics; the next read still
// takes the line after it. Without a current record (nothing read since the unit was
// connected, rewound or written, or the last read met end of file) the run ends (108).
void rereadRecord(Unit unit, const Layout& layout, std::initializer_list<InItem> items);

// 1-based column of the first occurrence of pattern in text, 0 when there is none.
int findSubstring(std::string_view text, std::string_view pattern);

// Reads lines of `unit` up to and including the first that holds `pattern` within its
// first `columns` columns (1 to 1024): the line that reading each line by (A) into a text
// of `columns` characters and asking findSubstring would stop at, trailing blanks taking
// part. That line becomes the current record (for rereadRecord); the next read takes the
// line after it, and diagnostics name its line. End of file as for readRecord: with
// endBranch it returns false, without it the run ends (104). On a file the lines passed
// over are searched in the read buffer rather than read one by one, and counted only
// when a diagnostic needs their number.
bool skipToRecordHolding(Unit unit, std::string_view pattern, int columns, bool endBranch = false);

// The file unit line by line without a layout, for readers that cut lines at blanks rather
// than by columns. readFileLine hands out the next line as it stands: `line` views its
// columns (at most 1024, line end excluded, no padding) and stays valid until the next read
// of the unit; the line becomes the current record, as after readRecord. False at end of
// file, with no diagnostic; a read error ends the run.
bool readFileLine(std::string_view& line);

// skipToRecordHolding on the file unit for several patterns at once: reads lines up to and
// including the first that holds any of `patterns` within its first `columns` columns (1 to
// 1024, trailing blanks taking part, as there); `which` is the index in `patterns` of the
// first pattern that line holds, `line` views it as readFileLine would. False at end of file,
// with no diagnostic. The read buffer is searched as for one pattern; at most
// skipPatternCapacity patterns (more is a programming error, code 108).
inline constexpr int skipPatternCapacity = 8;
bool skipToFileLineHolding(std::initializer_list<std::string_view> patterns, int columns,
                           std::string_view& line, int& which);

// The number of the file unit's last line read or skipped to, counted from 1 (0 before the
// first); after end of file, the number of lines the file holds.
long long fileLineNumber();

// Writes exactly one line built by `layout`, ended by CR LF. The line holds the columns up
// to the last one a data descriptor wrote (a trailing nX adds nothing).
void writeRecord(Unit unit, const Layout& layout, std::initializer_list<OutItem> items);
// Writes one console line by the free-form rules (texts whole, integers in 12 columns,
// nothing in front or between, CR LF). Real items are not taken (code 108).
void writeListLine(std::initializer_list<OutItem> items);
// Free-form read of one number from the console: blank lines are skipped; "," or "/" (or
// a null value r*) leaves the item unchanged; the value ends at a blank, tab, comma,
// slash, ")" or the line's end and may be written r*value; the rest of the line is
// dropped. An integer is an optional sign and digits; a real may add a point and an
// exponent by E, D or Q. Anything else ends the run; so does end of input.
void readListValue(int& item);
void readListValue(float& item);

// Ends the process with `status` after flushing the console. Every way out of the program
// other than the window's own goes through here.
[[noreturn]] void endRun(int status);
// Replaces what endRun does last (the process exit); for harnesses that must survive a
// run's end. The hook must not return.
using RunEndHook = void (*)(int status);
void setRunEndHook(RunEndHook hook);

// Hands each "*ERR*" diagnostic line (without its line end) to `hook` instead of writing it on
// standard error; nullptr writes them there again. For a caller that goes on past a run end
// with a run-end hook of its own and keeps the diagnostic (the summary's rows).
using DiagnosticHook = void (*)(std::string_view line);
void setDiagnosticHook(DiagnosticHook hook);

// Failure lines. A failure that ends the run with a status of its own (1 or 2) rather than an
// input/output failure's "*ERR*" diagnostic is told in one line on standard error: "molvane: ",
// the parts one after the other, and LF; the console is flushed first. Every such line of the
// program goes through here: the command line's refusals, the GIF's failures, the window
// toolkit's "no display". The reason of a failure reaches the code that writes its line as a
// `const char*& why` set by the function that failed (which returns false): static text (a
// literal, strerror's text or a library's own message), one line, no file name, read before
// another failure can change it.
void writeFailureLine(std::initializer_list<std::string_view> parts);

// Writes `text` as it stands on console output, its own line ends (LF) included: the usage text
// and the version line, which are a command's answers rather than records. A write that fails
// is passed over: those answers end the run with status 0 whatever becomes of them.
void writeConsoleText(std::string_view text);

// A diagnostic message under construction, as the layer builds its own: fixed capacity, text
// beyond it cut.
struct Message {
    static constexpr int capacity = 1200;
    char text[capacity];
    int length = 0;
    Message& add(std::string_view s);
    Message& add(long long n);
    // The text between double quotes, surrounding blanks dropped, control bytes written
    // as \xNN, and cut with "..." after 60 characters: how a diagnostic quotes what it found.
    Message& addQuoted(std::string_view s);
    std::string_view view() const { return {text, std::size_t(length)}; }
};

// Ends the run for a failure the caller found in the data it read (code 109): one
// "*ERR* 109 <message>" line on standard error, then endRun(-1).
[[noreturn]] void failRun(std::string_view message);

// The text the Fw.d descriptor writes for `value`: exactly `width` columns (1 to 1024) at
// `text`, asterisks when it does not fit. For callers that check a field before writing it.
void formatReal(char* text, int width, int decimals, double value);

// Ends the run for a value the caller will not write because its field cannot hold it
// (code 110): one "*ERR* 110 <message>" line on standard error, then endRun(-1).
[[noreturn]] void failUnwritable(std::string_view message);

// Puts the layer back as at program start, for a harness that survives run ends:
// disconnects the file unit, drops buffered console input and the read context. The
// run-end hook and the console descriptors stay.
void resetForHarness();

// Reconnects the console units to other descriptors (tests and harnesses); buffered
// console input is dropped and the console's line count starts again.
void setConsole(int inFd, int outFd);

} // namespace textio
