// The layer's one failure path: diagnostic codes, the message builder, and the end of
// the run through endRun. (Failure lines of the program, writeFailureLine, are in textio.h.)
#pragma once

#include <string_view>

namespace textio::detail {

// The code of each failure condition; listed with their meaning in textio.h.
enum class Code {
    conversion = 101,
    integerOverflow = 102,
    realOverflow = 103,
    endOfFile = 104,
    fileAccess = 105,
    beyondRecord = 106,
    wrongType = 107,
    badLayout = 108,
    data = 109,
    unwritable = 110,
};

// A diagnostic message under construction. Fixed capacity; text beyond it is cut.
struct Message {
    static constexpr int capacity = 1200;
    char text[capacity];
    int length = 0;
    Message& add(std::string_view s);
    Message& add(long long n);
    // The text between double quotes, surrounding blanks dropped, control bytes written
    // as \xNN, and cut with "..." after 60 characters.
    Message& addQuoted(std::string_view s);
    std::string_view view() const { return {text, std::size_t(length)}; }
};

// Writes "*ERR* <code> <message>" on standard error and ends the run with status -1.
[[noreturn]] void fail(Code code, const Message& message);

} // namespace textio::detail
