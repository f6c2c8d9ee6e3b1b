// The layer's one failure path: diagnostic codes and the end of the run through endRun (the
// message builder and the failure lines of the program, writeFailureLine, are in textio.h).
#pragma once

#include "textio/textio.h"

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

// The message builder, published in textio.h for callers that build the message of failRun.
using Message = textio::Message;

// Writes "*ERR* <code> <message>" on standard error and ends the run with status -1.
[[noreturn]] void fail(Code code, const Message& message);

} // namespace textio::detail
