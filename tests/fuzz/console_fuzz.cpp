// Fuzz target: arbitrary bytes as console input, read by the free-form number reads of the
// mode number (integer) and the amplitude (real). Each read is checked against a plain
// reading of the free-form rules: blank lines skipped, "," or "/" (or r*) leaving the item,
// the token up to a blank, tab, comma, slash or ")", r*value, the wrong-type values, plain
// integers and plain decimals to their exact values; every failure one diagnostic of the
// expected code naming the line and the token's columns; end of input the end-of-file
// diagnostic after the last line.
//
// Input: byte 0 chooses, bit by bit, an integer (0) or a real (1) read for reads 1 to 8,
// 9 to 16, ...; the rest is the console input.
#include "tests/fuzz/field_oracle.h"
#include "textio/open_flags.h"
#include "textio/textio.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace {

using fuzzing::require;

// What the next read should do, by the free-form rules.
struct Expected {
    enum Kind { endOfInput, unchanged, value, failure } kind = endOfInput;
    int line = 0;   // 0-based index of the line the read takes its value from
    int column = 0; // token's first column, 1-based
    std::string token;
    std::string valueText; // the value part (after r*)
};

bool endsToken(char c) { return c == ' ' || c == '\t' || c == ',' || c == '/' || c == ')'; }

Expected nextExpected(const std::vector<std::string>& lines, int from) {
    Expected e;
    for (int i = from; i < int(lines.size()); ++i) {
        const std::string& s = lines[std::size_t(i)];
        std::size_t p = s.find_first_not_of(" \t");
        if (p == std::string::npos) continue;
        e.line = i;
        if (s[p] == ',' || s[p] == '/') {
            e.kind = Expected::unchanged;
            return e;
        }
        std::size_t q = p;
        while (q < s.size() && !endsToken(s[q])) ++q;
        if (q == p) q = p + 1;
        e.column = int(p) + 1;
        e.token = s.substr(p, q - p);
        e.valueText = e.token;
        e.kind = Expected::value;
        const std::size_t star = e.token.find('*');
        if (star != std::string::npos) {
            const std::string r = e.token.substr(0, star);
            long long repeat = 0;
            bool digits = !r.empty();
            for (char c : r) {
                if (c < '0' || c > '9')
                    digits = false;
                else if (repeat <= INT_MAX)
                    repeat = repeat * 10 + (c - '0');
            }
            if (!digits || repeat < 1 || repeat > INT_MAX) e.kind = Expected::failure;
            e.valueText = e.token.substr(star + 1);
            if (e.kind == Expected::value && e.valueText.empty()) e.kind = Expected::unchanged;
        }
        return e;
    }
    e.line = int(lines.size());
    return e;
}

bool plainInteger(const std::string& s) {
    std::size_t i = !s.empty() && (s[0] == '+' || s[0] == '-') ? 1 : 0;
    if (i == s.size()) return false;
    for (; i < s.size(); ++i)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

bool logical(const std::string& s) {
    return !s.empty() && (s[0] == 'T' || s[0] == 't' || s[0] == 'F' || s[0] == 'f');
}

struct Read {
    bool real = false;
    int integer = 0;
    float value = 0.0f;
};

void readOne(void* context) {
    Read& r = *static_cast<Read*>(context);
    if (r.real)
        textio::readListValue(r.value);
    else
        textio::readListValue(r.integer);
}

// "..., line K, columns A-B)" of a console diagnostic.
void expectPlace(std::string_view text, const Expected& e) {
    const std::string place = "(console input, line " + std::to_string(e.line + 1) + ", columns " +
                              std::to_string(e.column) + "-" +
                              std::to_string(e.column + int(e.token.size()) - 1) + ")\r\n";
    require(text.size() >= place.size() && text.substr(text.size() - place.size()) == place,
            "a console diagnostic names another place", text);
}

// Checks one read's outcome against e.
void check(const Read& before, const Read& after, const testsupport::RunEnd& end, const Expected& e,
           int lineCount) {
    if (e.kind == Expected::endOfInput) {
        require(fuzzing::diagnosticCode(end) == 104, "end of input gave another diagnostic",
                end.diagnostic());
        const std::string tail =
            "on console input after line " + std::to_string(lineCount) + "\r\n";
        require(end.diagnostic().ends_with(tail), "end of input after another line",
                end.diagnostic());
        return;
    }
    if (e.kind == Expected::unchanged) {
        require(!end.ended, "a null value ended the run", end.diagnostic());
        require(after.integer == before.integer && after.value == before.value,
                "a null value changed the item");
        return;
    }
    if (e.kind == Expected::failure) {
        require(fuzzing::diagnosticCode(end) == 101, "a bad repeat count gave another diagnostic",
                end.diagnostic());
        expectPlace(end.diagnostic(), e);
        return;
    }
    const std::string& v = e.valueText;
    if (logical(v)) {
        require(fuzzing::diagnosticCode(end) == 107, "a logical value was not a wrong-type error",
                end.diagnostic());
        expectPlace(end.diagnostic(), e);
        return;
    }
    if (!before.real) {
        if (!plainInteger(v)) {
            require(fuzzing::diagnosticCode(end) == 101, "a non-integer was not a conversion error",
                    end.diagnostic());
            expectPlace(end.diagnostic(), e);
            return;
        }
        errno = 0;
        const long long n = std::strtoll(v.c_str(), nullptr, 10);
        if (errno == ERANGE || n > INT_MAX || n < INT_MIN) {
            require(fuzzing::diagnosticCode(end) == 102, "a huge integer was not an overflow",
                    end.diagnostic());
            expectPlace(end.diagnostic(), e);
            return;
        }
        require(!end.ended, "a plain integer ended the run", end.diagnostic());
        require(after.integer == int(n), "a plain integer read as another value", v);
        return;
    }
    if (!fuzzing::onlyNumberCharacters(v) || v.empty()) {
        require(fuzzing::diagnosticCode(end) == 101, "a non-number was not a conversion error",
                end.diagnostic());
        expectPlace(end.diagnostic(), e);
        return;
    }
    if (end.ended) {
        const int code = fuzzing::diagnosticCode(end);
        require(code == 101 || code == 103, "a real failed with an unexpected code",
                end.diagnostic());
        expectPlace(end.diagnostic(), e);
        if (fuzzing::plainDecimal(v)) {
            require(code == 103, "a plain decimal was a conversion error", v);
            require(std::isinf(std::strtof(v.c_str(), nullptr)),
                    "a plain decimal in range overflowed", v);
        }
        return;
    }
    require(std::isfinite(after.value), "a real read as a value that is not finite", v);
    if (fuzzing::plainDecimal(v))
        require(after.value == std::strtof(v.c_str(), nullptr),
                "a plain decimal read as another value", v);
}

int devNull() {
    static const int fd = ::open("/dev/null", O_WRONLY | textio::openFlags);
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const int pattern = data[0];
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::vector<std::string> lines = hostile::referenceLines(bytes);
    const std::string path = fuzzing::writeScratch("console", bytes);
    const int fd = ::open(path.c_str(), O_RDONLY | textio::openFlags);
    require(fd >= 0, "cannot open the console file");
    textio::setConsole(fd, devNull());

    Read read;
    int next = 0; // first line the next read may take
    for (int i = 0;; ++i) {
        read.real = (pattern >> (i % 8)) & 1;
        const Expected e = nextExpected(lines, next);
        const Read before = read;
        const testsupport::RunEnd end = testsupport::guarded([&] { readOne(&read); });
        check(before, read, end, e, int(lines.size()));
        if (end.ended) break;
        next = e.line + 1;
    }
    textio::setConsole(0, 1);
    ::close(fd);
    return 0;
}
