// Output conversions: A, I and F fields.
#include "textio/edit.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace textio::detail {
namespace {

void stars(char* out, int width) { std::memset(out, '*', std::size_t(width)); }

// Right-justifies `n` characters of `text` in `width` columns; asterisks when too long.
void justify(char* out, int width, const char* text, int n) {
    if (n > width) {
        stars(out, width);
        return;
    }
    std::memset(out, ' ', std::size_t(width - n));
    std::memcpy(out + (width - n), text, std::size_t(n));
}

} // namespace

void writeA(char* out, int width, std::string_view text) {
    const int n = int(text.size());
    if (width > n) {
        std::memset(out, ' ', std::size_t(width - n));
        if (n > 0) std::memcpy(out + (width - n), text.data(), text.size());
    } else if (width > 0) {
        std::memcpy(out, text.data(), std::size_t(width));
    }
}

void writeI(char* out, int width, long long value) {
    char text[24];
    const int n = std::snprintf(text, sizeof text, "%lld", value);
    justify(out, width, text, n);
}

void writeF(char* out, int width, int decimals, double value) {
    if (!std::isfinite(value)) {
        stars(out, width);
        return;
    }
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);

    // The exact decimal expansion of the binary value, with at least one digit past the
    // last one kept: printf is exact when asked for all the digits the value has.
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    int exact = magnitude == 0.0 ? 0 : 53 - exponent;
    if (exact > 1074) exact = 1074;
    if (exact < decimals + 1) exact = decimals + 1;
    char expansion[320 + 1100];
    std::snprintf(expansion, sizeof expansion, "%.*f", exact, magnitude);
    const char* point = std::strchr(expansion, '.');
    const int intDigits = int(point - expansion);

    // Integer digits and d fraction digits, with room for a carry in front.
    char digits[1 + 320 + recordLength];
    digits[0] = '0';
    std::memcpy(digits + 1, expansion, std::size_t(intDigits));
    std::memcpy(digits + 1 + intDigits, point + 1, std::size_t(decimals));
    int n = 1 + intDigits + decimals;
    if (point[1 + decimals] >= '5') { // half away from zero: the digits are exact
        int i = n - 1;
        while (digits[i] == '9') digits[i--] = '0';
        ++digits[i];
    }
    // Drop leading zeros of the integer part; a zero integer part becomes empty.
    int first = 0;
    const int intEnd = 1 + intDigits;
    while (first < intEnd && digits[first] == '0') ++first;
    bool zero = true;
    for (int i = first; i < n; ++i) zero = zero && digits[i] == '0';

    char text[1 + 1 + 320 + 1 + recordLength];
    int t = 0;
    if (negative && !zero) text[t++] = '-';
    const int intLength = intEnd - first;
    const int length = t + intLength + 1 + decimals;
    if (intLength == 0 && (length < width || decimals == 0)) text[t++] = '0';
    std::memcpy(text + t, digits + first, std::size_t(intLength));
    t += intLength;
    text[t++] = '.';
    std::memcpy(text + t, digits + intEnd, std::size_t(decimals));
    t += decimals;
    justify(out, width, text, t);
}

} // namespace textio::detail

namespace textio {

void formatReal(char* text, int width, int decimals, double value) {
    if (width < 1 || width > recordLength || decimals < 0 || decimals >= recordLength) return;
    detail::writeF(text, width, decimals, value);
}

} // namespace textio
