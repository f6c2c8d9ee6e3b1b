// CSV and JSON rows in a fixed buffer, one write each.
#include "export/table.h"

#include "textio/textio.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace table {

void clear(Row& row) {
    row.length = 0;
    row.fieldOpen = false;
}

void append(Row& row, std::string_view text) {
    const int room = Row::capacity - row.length;
    const int n = int(text.size()) < room ? int(text.size()) : room;
    if (n > 0) std::memcpy(row.text + row.length, text.data(), std::size_t(n));
    row.length += n;
}

namespace {

void startField(Row& row) {
    if (row.fieldOpen) append(row, ",");
    row.fieldOpen = true;
}

} // namespace

std::size_t utf8Length(std::string_view text, std::size_t i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80       ? 1
                               : c >> 5 == 6  ? 2
                               : c >> 4 == 14 ? 3
                               : c >> 3 == 30 ? 4
                                              : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xc0) != 0x80) return 0;
    return length;
}

void csvText(Row& row, std::string_view text) {
    startField(row);
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        append(row, text);
        return;
    }
    append(row, "\"");
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') append(row, "\"");
        append(row, text.substr(i, 1));
    }
    append(row, "\"");
}

void csvNumber(Row& row, double value) {
    startField(row);
    char text[48];
    append(row, std::string_view(text, std::size_t(printedNumber(value, text))));
}

void csvEmpty(Row& row) { startField(row); }

void csvEnd(Row& row) {
    append(row, "\r\n");
    row.fieldOpen = false;
}

void jsonString(Row& row, std::string_view text) {
    append(row, "\"");
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8Length(text, i);
        if (c == '"' || c == '\\') {
            append(row, c == '"' ? "\\\"" : "\\\\");
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            append(row, escape);
        } else if (length == 0) {
            append(row, "\\ufffd");
            ++i;
            continue;
        } else {
            append(row, text.substr(i, length));
            i += length;
            continue;
        }
        ++i;
    }
    append(row, "\"");
}

void jsonNumber(Row& row, double value) {
    char text[48];
    if (!std::isfinite(value)) {
        append(row, "null");
        return;
    }
    append(row, std::string_view(text, std::size_t(printedNumber(value, text))));
}

void writeRow(const Row& row) {
    textio::writeConsoleText(std::string_view(row.text, std::size_t(row.length)));
}

int fixedNumber(double value, int decimals, char* text) {
    const int n = std::snprintf(text, 41, "%.*f", decimals, value);
    if (n > 0 && std::strcmp(text, "-0") == 0) return std::snprintf(text, 41, "0");
    return n < 0 ? 0 : n > 40 ? 40 : n;
}

int printedDecimals(double value) {
    char text[48];
    for (int decimals = 0; decimals < 10; ++decimals) {
        if (std::fabs(value) >= 1e15) return 0;
        fixedNumber(value, decimals, text);
        if (std::fabs(std::strtod(text, nullptr) - value) <= 1e-9 * std::fmax(1, std::fabs(value)))
            return decimals;
    }
    return 10;
}

int printedNumber(double value, char* text) {
    if (std::fabs(value) >= 1e15 || (value != 0 && std::fabs(value) < 1e-9))
        return std::snprintf(text, 41, "%.17g", value);
    return fixedNumber(value, printedDecimals(value), text);
}

} // namespace table
