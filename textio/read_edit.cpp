// Input conversions: A, I and F fields, and free-form numbers.
#include "textio/edit.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace textio::detail {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSign(char c) { return c == '+' || c == '-'; }
bool isExponentLetter(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd' || c == 'Q' || c == 'q';
}

// The columns of the field that the line holds; those beyond it are blanks.
std::string_view storedPart(const Record& r, Field f) {
    const int first = f.column - 1;
    if (first >= r.length) return {};
    const int n = r.length - first < f.width ? r.length - first : f.width;
    return {r.chars + first, std::size_t(n)};
}

// A number text cleaned for strtod: "[-]digits[.digits]e<exponent>".
struct CleanNumber {
    char text[recordLength + 32];
    bool blank = true; // nothing but blanks was given
};

// Scans a real by the rules above. `formatted`: blanks are ignored and a sign alone may
// introduce the exponent (F fields); otherwise the free-form rules.
bool cleanReal(std::string_view s, bool formatted, int decimals, CleanNumber& out) {
    // A NUL byte is a foreign character like any other, not the end of the field.
    if (s.find('\0') != std::string_view::npos) return false;
    std::size_t i = 0;
    int o = 0;
    auto next = [&]() -> char {
        while (formatted && i < s.size() && s[i] == ' ') ++i;
        return i < s.size() ? s[i] : '\0';
    };
    if (next() == '\0') return true;
    out.blank = false;
    if (isSign(next())) {
        if (s[i] == '-') out.text[o++] = '-';
        ++i;
    }
    int digits = 0;
    bool point = false;
    for (char c = next(); isDigit(c) || (c == '.' && !point); c = next()) {
        if (c == '.')
            point = true;
        else
            ++digits;
        out.text[o++] = c;
        ++i;
    }
    if (digits == 0) return false;
    long exponent = 0;
    const char c = next();
    if (isExponentLetter(c) || (formatted && isSign(c))) {
        if (!isSign(c)) ++i;
        bool negative = false;
        if (isSign(next())) negative = s[i++] == '-';
        int expDigits = 0;
        while (isDigit(next())) {
            exponent = exponent * 10 + (s[i++] - '0');
            if (exponent > 1000000) exponent = 1000000; // far beyond any range
            ++expDigits;
        }
        if (expDigits == 0) return false;
        if (negative) exponent = -exponent;
    }
    if (next() != '\0') return false;
    if (!point) exponent -= decimals;
    o += std::snprintf(out.text + o, sizeof out.text - std::size_t(o), "e%ld", exponent);
    return true;
}

Conversion toDouble(const CleanNumber& n, double& value) {
    if (n.blank) {
        value = 0.0;
        return Conversion::ok;
    }
    errno = 0;
    const double v = std::strtod(n.text, nullptr);
    if (errno == ERANGE && std::isinf(v)) return Conversion::realOverflow;
    value = v;
    return Conversion::ok;
}

Conversion toFloat(const CleanNumber& n, float& value) {
    if (n.blank) {
        value = 0.0f;
        return Conversion::ok;
    }
    errno = 0;
    const float v = std::strtof(n.text, nullptr); // one rounding, from the decimal value
    if (errno == ERANGE && std::isinf(v)) return Conversion::realOverflow;
    value = v;
    return Conversion::ok;
}

// Optional sign and digits; blanks skipped when `formatted`. Empty (or all blank) gives 0
// when `emptyIsZero`.
Conversion toInteger(std::string_view s, bool formatted, bool emptyIsZero, int& value) {
    if (s.find('\0') != std::string_view::npos) return Conversion::bad; // not the field's end
    std::size_t i = 0;
    auto next = [&]() -> char {
        while (formatted && i < s.size() && s[i] == ' ') ++i;
        return i < s.size() ? s[i] : '\0';
    };
    if (next() == '\0') {
        if (!emptyIsZero) return Conversion::bad;
        value = 0;
        return Conversion::ok;
    }
    bool negative = false;
    if (isSign(next())) negative = s[i++] == '-';
    long long v = 0;
    int digits = 0;
    bool overflow = false;
    while (isDigit(next())) {
        v = v * 10 + (s[i++] - '0');
        if (v > 1LL + INT_MAX) {
            overflow = true;
            v = 1LL + INT_MAX;
        }
        ++digits;
    }
    if (digits == 0 || next() != '\0') return Conversion::bad;
    if (negative) v = -v;
    if (overflow || v > INT_MAX || v < INT_MIN) return Conversion::integerOverflow;
    value = int(v);
    return Conversion::ok;
}

} // namespace

void readA(const Record& r, Field f, char* text, int length) {
    Field from = f;
    if (f.width >= length) {
        from = {f.column + f.width - length, length};
    }
    const std::string_view stored = storedPart(r, from);
    if (!stored.empty()) std::memcpy(text, stored.data(), stored.size());
    std::memset(text + stored.size(), ' ', std::size_t(length) - stored.size());
}

Conversion readI(const Record& r, Field f, int& value) {
    return toInteger(storedPart(r, f), true, true, value);
}

// A mode row read by (5X,F3.0,4X,F6.2,1X,F6.2,1X,F6.2): the atomic number from columns
// 6-8, the displacements from 13-18, 20-25 and 27-32. The fields take in blanks on either
// side of the numbers, which are ignored; every number holds its point, so the layout's
// 2 decimals never apply.
//          1         2         3
// 12345678901234567890123456789012
//    3   8     0.00  -0.08  -0.20
//      ---    ------ ------ ------
Conversion readF(const Record& r, Field f, int decimals, float& value) {
    CleanNumber n;
    if (!cleanReal(storedPart(r, f), true, decimals, n)) return Conversion::bad;
    return toFloat(n, value);
}

Conversion readF(const Record& r, Field f, int decimals, double& value) {
    CleanNumber n;
    if (!cleanReal(storedPart(r, f), true, decimals, n)) return Conversion::bad;
    return toDouble(n, value);
}

Conversion convertListInteger(std::string_view token, int& value) {
    return toInteger(token, false, false, value);
}

Conversion convertListReal(std::string_view token, float& value) {
    CleanNumber n;
    if (token.empty() || !cleanReal(token, false, 0, n)) return Conversion::bad;
    return toFloat(n, value);
}

} // namespace textio::detail
