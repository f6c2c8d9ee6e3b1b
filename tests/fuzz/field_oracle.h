// An independent reading of F fields for the fuzz targets: the field's columns taken from
// the reference line, blanks dropped, and plain decimal numbers (sign, digits, one point)
// converted directly. Other forms (exponents) are left to the layer; only their
// finiteness is checked.
#pragma once

#include "tests/fuzz/fuzz_support.h"
#include "tests/hostile/reference_lines.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace fuzzing {

struct FieldSpec {
    int column; // first column, 1-based
    int width;
    int decimals;
};

// The field's characters without blanks.
inline std::string fieldText(const std::string& line, FieldSpec f) {
    std::string packed;
    for (char c : hostile::columns(line, f.column, f.width))
        if (c != ' ') packed += c;
    return packed;
}

// True for [sign] digits [. digits] or [sign] . digits.
inline bool plainDecimal(const std::string& s) {
    std::size_t i = s.empty() || (s[0] != '+' && s[0] != '-') ? 0 : 1;
    int digits = 0, points = 0;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9')
            ++digits;
        else if (s[i] == '.' && points == 0)
            ++points;
        else
            return false;
    }
    return digits > 0;
}

// The plain decimal's value text for strtod/strtof: the implied point applied.
inline std::string withImpliedPoint(const std::string& s, int decimals) {
    if (s.find('.') != std::string::npos) return s;
    return s + "e-" + std::to_string(decimals);
}

// True when the field could hold a real by the layer's rules (characters only).
inline bool onlyNumberCharacters(const std::string& s) {
    for (char c : s)
        if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E' ||
              c == 'd' || c == 'D' || c == 'q' || c == 'Q'))
            return false;
    return true;
}

// Checks a value the layer read from field f of `line`.
template <class Real> void checkField(const std::string& line, FieldSpec f, Real got) {
    require(std::isfinite(got), "a field read as a value that is not finite", line);
    const std::string s = fieldText(line, f);
    if (s.empty()) {
        require(got == 0, "a blank field did not read as 0", line);
        return;
    }
    require(onlyNumberCharacters(s), "a field with a foreign character was read", line);
    if (!plainDecimal(s)) return;
    const std::string text = withImpliedPoint(s, f.decimals);
    const Real expected = sizeof(Real) == sizeof(float) ? Real(std::strtof(text.c_str(), nullptr))
                                                        : Real(std::strtod(text.c_str(), nullptr));
    require(got == expected, "a plain decimal field read as another value", line);
}

// Checks a conversion failure (codes 101, 103) reported for field f of `line`.
inline void checkFailedField(const std::string& line, FieldSpec f, int code) {
    const std::string s = fieldText(line, f);
    require(!s.empty(), "a blank field was reported", line);
    if (code == 101) {
        require(!plainDecimal(s), "a plain decimal field was reported as a conversion error", line);
    } else {
        require(code == 103, "a field failed with an unexpected code", line);
        require(s.find_first_of("eEdDqQ+-", 1) != std::string::npos,
                "a field without an exponent overflowed", line);
    }
}

} // namespace fuzzing
