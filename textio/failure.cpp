// Failure diagnostics, failure lines and the end of the run: everything the layer writes on
// standard error.
#include "textio/failure.h"
#include "textio/textio.h"
#include "textio/unit.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace textio {
namespace {
RunEndHook runEndHook = nullptr;
DiagnosticHook diagnosticHook = nullptr;
} // namespace

Message& Message::add(std::string_view s) {
    const int n = int(s.size()) < capacity - length ? int(s.size()) : capacity - length;
    if (n > 0) std::memcpy(text + length, s.data(), std::size_t(n));
    length += n;
    return *this;
}

Message& Message::add(long long n) {
    char digits[24];
    const int k = std::snprintf(digits, sizeof digits, "%lld", n);
    return add(std::string_view(digits, std::size_t(k)));
}

Message& Message::addQuoted(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    const bool cut = s.size() > 60;
    if (cut) s = s.substr(0, 60);
    add("\"");
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 32 || b == 127) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02X", b);
            add(esc);
        } else {
            add(std::string_view(&c, 1));
        }
    }
    return add(cut ? "...\"" : "\"");
}

namespace detail {

void fail(Code code, const Message& message) {
    Message line;
    line.add("*ERR* ").add(static_cast<long long>(code)).add(" ").add(message.view());
    // Room for the line end is kept whatever the message's length.
    const int n = line.length < Message::capacity - 2 ? line.length : Message::capacity - 2;
    line.text[n] = '\r';
    line.text[n + 1] = '\n';
    std::fflush(stdout);
    if (diagnosticHook != nullptr)
        diagnosticHook(std::string_view(line.text, std::size_t(n)));
    else
        writeAll(2, line.text, std::size_t(n + 2));
    endRun(-1);
}

} // namespace detail

void writeFailureLine(std::initializer_list<std::string_view> parts) {
    char line[recordLength];
    std::size_t n = 0;
    // The line goes out in pieces of the buffer's size, however long its parts.
    const auto put = [&](std::string_view s) {
        while (!s.empty()) {
            if (n == sizeof line) {
                detail::writeAll(2, line, n);
                n = 0;
            }
            const std::size_t k = s.size() < sizeof line - n ? s.size() : sizeof line - n;
            std::memcpy(line + n, s.data(), k);
            n += k;
            s.remove_prefix(k);
        }
    };
    std::fflush(stdout);
    put("molvane: ");
    for (const std::string_view part : parts) put(part);
    put("\n");
    detail::writeAll(2, line, n);
}

void endRun(int status) {
    std::fflush(stdout);
    closeUnit();
    if (runEndHook != nullptr) runEndHook(status);
    std::exit(status);
}

void setRunEndHook(RunEndHook hook) { runEndHook = hook; }

void setDiagnosticHook(DiagnosticHook hook) { diagnosticHook = hook; }

void failRun(std::string_view message) {
    detail::Message m;
    m.add(message);
    detail::fail(detail::Code::data, m);
}

void failUnwritable(std::string_view message) {
    detail::Message m;
    m.add(message);
    detail::fail(detail::Code::unwritable, m);
}

} // namespace textio
