// Free-form statements: console lines of texts and integers, and one number read from
// the console.
#include "textio/edit.h"
#include "textio/unit.h"

#include <cstring>

namespace textio {
namespace {

using detail::Code;
using detail::Conversion;
using detail::Message;

bool endsValue(char c) { return c == ' ' || c == '\t' || c == ',' || c == '/' || c == ')'; }

// The value of the next non-blank line: false when it is "," or "/" (or r* with nothing
// after it), which leaves the item as it was. `column` is the token's first column.
bool nextValue(std::string_view& token, int& column) {
    for (;;) {
        detail::Record r;
        if (!detail::nextRecord(Unit::consoleIn, r)) detail::failEndOfFile(Unit::consoleIn);
        int i = 0;
        while (i < r.length && (r.chars[i] == ' ' || r.chars[i] == '\t')) ++i;
        if (i == r.length) continue;
        if (r.chars[i] == ',' || r.chars[i] == '/') return false;
        int end = i;
        while (end < r.length && !endsValue(r.chars[end])) ++end;
        if (end == i) end = i + 1; // a lone ")": not a number
        token = {r.chars + i, std::size_t(end - i)};
        column = i + 1;
        return true;
    }
}

[[noreturn]] void failValue(Code code, std::string_view token, int column, const char* what) {
    Message m;
    switch (code) {
    case Code::wrongType:
        m.add("wrong type: ");
        break;
    case Code::integerOverflow:
        m.add("integer overflow: ");
        break;
    case Code::realOverflow:
        m.add("real overflow: ");
        break;
    default:
        m.add("conversion error: ");
        break;
    }
    m.addQuoted(token).add(" ").add(what).add(" (");
    detail::addPlace(Unit::consoleIn, m);
    m.add(", columns ").add((long long)column).add("-");
    m.add((long long)column + (long long)token.size() - 1).add(")");
    detail::fail(code, m);
}

// Splits off a repeat count r* and rules out logical values. False for a null value.
bool valuePart(std::string_view token, int column, std::string_view& value, bool integer) {
    value = token;
    const std::size_t star = token.find('*');
    if (star != std::string_view::npos) {
        int repeat = 0;
        if (detail::convertListInteger(token.substr(0, star), repeat) != Conversion::ok ||
            repeat <= 0 || token[0] == '+' || token[0] == '-') {
            failValue(Code::conversion, token, column, "is not a repeat count and value");
        }
        value = token.substr(star + 1);
        if (value.empty()) return false;
    }
    const char c = value[0];
    if (c == 'T' || c == 't' || c == 'F' || c == 'f') {
        failValue(Code::wrongType, token, column,
                  integer ? "is a logical value where an integer is asked for"
                          : "is a logical value where a number is asked for");
    }
    return true;
}

void fail(Conversion c, std::string_view token, int column, bool integer) {
    if (c == Conversion::ok) return;
    if (c == Conversion::integerOverflow)
        failValue(Code::integerOverflow, token, column, "is too large for an integer");
    if (c == Conversion::realOverflow)
        failValue(Code::realOverflow, token, column, "is too large for a single real");
    failValue(Code::conversion, token, column, integer ? "is not an integer" : "is not a number");
}

} // namespace

void writeListLine(std::initializer_list<OutItem> items) {
    char line[recordLength];
    int length = 0;
    for (const OutItem& item : items) {
        const int width = item.type == OutItem::text ? int(item.textValue.size()) : 12;
        if (item.type == OutItem::real) {
            Message m;
            m.add("a free-form line takes texts and integers, not reals");
            detail::fail(Code::badLayout, m);
        }
        if (length + width > recordLength)
            detail::failBeyondRecord(Unit::consoleOut, "a free-form line", {length + 1, width},
                                     false);
        if (item.type == OutItem::text)
            detail::writeA(line + length, width, item.textValue);
        else
            detail::writeI(line + length, width, item.integerValue);
        length += width;
    }
    detail::putLine(Unit::consoleOut, line, length);
}

void readListValue(int& item) {
    std::string_view token, value;
    int column = 0;
    if (!nextValue(token, column) || !valuePart(token, column, value, true)) return;
    int v = 0;
    fail(detail::convertListInteger(value, v), token, column, true);
    item = v;
}

void readListValue(float& item) {
    std::string_view token, value;
    int column = 0;
    if (!nextValue(token, column) || !valuePart(token, column, value, false)) return;
    float v = 0.0f;
    fail(detail::convertListReal(value, v), token, column, false);
    item = v;
}

} // namespace textio
