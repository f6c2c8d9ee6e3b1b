// Parsing a layout text such as "(13X,F3.0,18X,F12.8)" into edit descriptors, once.
#include "textio/edit.h"
#include "textio/failure.h"

namespace textio {
namespace {

struct Parser {
    std::string_view text;
    std::size_t at = 0;

    char peek() {
        while (at < text.size() && text[at] == ' ') ++at;
        return at < text.size() ? text[at] : '\0';
    }
    bool isDigit() {
        const char c = peek();
        return c >= '0' && c <= '9';
    }
    // An unsigned number; -1 when none is written. Large values are capped above any width.
    int number() {
        if (!isDigit()) return -1;
        int n = 0;
        while (isDigit()) {
            n = n * 10 + (text[at++] - '0');
            if (n > 99999) n = 99999;
        }
        return n;
    }
};

[[noreturn]] void badLayout(const Parser& p, const char* why) {
    detail::Message m;
    m.add("cannot work the layout ").addQuoted(p.text).add(": ").add(why);
    m.add(" (at character ").add((long long)p.at + 1).add(")");
    detail::fail(detail::Code::badLayout, m);
}

char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

} // namespace

Layout parseLayout(std::string_view text) {
    Layout layout;
    Parser p{text};
    if (p.peek() != '(') badLayout(p, "a layout begins with \"(\"");
    ++p.at;
    if (p.peek() == ')') {
        ++p.at;
    } else {
        for (;;) {
            const int count = p.number();
            if (count == 0) badLayout(p, "a count must be at least 1");
            EditDescriptor d{};
            const char letter = upper(p.peek());
            if (letter == '\0') badLayout(p, "the layout ends without \")\"");
            ++p.at;
            if (letter == 'X') {
                if (count < 0) badLayout(p, "X needs a count, as in 5X");
                d = {EditDescriptor::skip, count, 0};
            } else if (letter == 'A' || letter == 'I' || letter == 'F') {
                const int width = p.number();
                if (width == 0) badLayout(p, "a field width must be at least 1");
                if (width > recordLength) badLayout(p, "a field cannot be wider than a record");
                if (letter != 'A' && width < 0) badLayout(p, "I and F need a field width");
                int decimals = 0;
                if (letter == 'F') {
                    if (p.peek() != '.') badLayout(p, "F needs decimals, as in F6.2");
                    ++p.at;
                    decimals = p.number();
                    if (decimals < 0) badLayout(p, "F needs decimals, as in F6.2");
                    if (decimals > width) badLayout(p, "more decimals than columns");
                }
                const auto kind = letter == 'A'   ? EditDescriptor::text
                                  : letter == 'I' ? EditDescriptor::integer
                                                  : EditDescriptor::real;
                d = {kind, width < 0 ? 0 : width, decimals};
            } else {
                --p.at;
                badLayout(p, "only nX, A, Aw, Iw and Fw.d are known");
            }
            const int copies = d.kind == EditDescriptor::skip || count < 0 ? 1 : count;
            if (copies > Layout::capacity - layout.count) badLayout(p, "too many descriptors");
            for (int i = 0; i < copies; ++i) layout.items[layout.count++] = d;
            const char next = p.peek();
            ++p.at;
            if (next == ')') break;
            if (next != ',') {
                --p.at;
                badLayout(p, "descriptors are separated by \",\"");
            }
        }
    }
    if (p.peek() != '\0') badLayout(p, "text follows the closing \")\"");
    return layout;
}

namespace detail {

void addDescriptor(Message& m, const EditDescriptor& d) {
    switch (d.kind) {
    case EditDescriptor::skip:
        m.add((long long)d.width).add("X");
        break;
    case EditDescriptor::text:
        m.add("A");
        if (d.width > 0) m.add((long long)d.width);
        break;
    case EditDescriptor::integer:
        m.add("I").add((long long)d.width);
        break;
    case EditDescriptor::real:
        m.add("F").add((long long)d.width).add(".").add((long long)d.decimals);
        break;
    }
}

} // namespace detail
const Layout& lineLayout() {
    static const Layout layout = parseLayout("(A)");
    return layout;
}

} // namespace textio
