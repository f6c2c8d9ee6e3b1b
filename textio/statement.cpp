// Formatted statements: a layout worked against one record with a column pointer.
#include "textio/edit.h"
#include "textio/unit.h"

#include <cstring>

namespace textio {
namespace {

using detail::Code;
using detail::Conversion;
using detail::Field;
using detail::Message;

void addLayout(Message& m, const Layout& layout) {
    m.add("(");
    for (int i = 0; i < layout.count; ++i) {
        if (i > 0) m.add(",");
        detail::addDescriptor(m, layout.items[i]);
    }
    m.add(")");
}

// `item`: 0-based index of the item concerned, or -1.
[[noreturn]] void failLayout(const Layout& layout, const char* why, int item) {
    Message m;
    m.add("the layout ");
    addLayout(m, layout);
    m.add(" ").add(why);
    if (item >= 0) m.add(" (item ").add((long long)item + 1).add(")");
    detail::fail(Code::badLayout, m);
}

void addPlace(Message& m, Unit unit, Field f) {
    m.add(" (");
    detail::addPlace(unit, m);
    m.add(", columns ").add((long long)f.column).add("-").add((long long)f.column + f.width - 1);
    m.add(")");
}

void checkInRecord(Unit unit, const EditDescriptor& d, Field f, bool reading) {
    if (f.column + f.width - 1 <= recordLength) return;
    Message descriptor;
    detail::addDescriptor(descriptor, d);
    detail::failBeyondRecord(unit, descriptor.view(), f, reading);
}

[[noreturn]] void failConversion(Conversion c, Unit unit, const detail::Record& r, Field f,
                                 InItem::Type type) {
    std::string_view text;
    if (f.column - 1 < r.length) {
        const int n = r.length - (f.column - 1);
        text = {r.chars + f.column - 1, std::size_t(n < f.width ? n : f.width)};
    }
    Message m;
    Code code = Code::conversion;
    if (c == Conversion::bad) {
        m.add("conversion error: ").addQuoted(text).add(" is not a number");
    } else if (c == Conversion::integerOverflow) {
        code = Code::integerOverflow;
        m.add("integer overflow: ").addQuoted(text).add(" is too large for an integer");
    } else {
        code = Code::realOverflow;
        m.add("real overflow: ").addQuoted(text).add(" is too large for a ");
        m.add(type == InItem::single ? "single real" : "double real");
    }
    addPlace(m, unit, f);
    detail::fail(code, m);
}

// What a data descriptor asks of its item.
enum class ItemKind { text, integer, real };

ItemKind kindOf(const InItem& item) {
    if (item.type == InItem::text) return ItemKind::text;
    return item.type == InItem::integer ? ItemKind::integer : ItemKind::real;
}
ItemKind kindOf(const OutItem& item) {
    if (item.type == OutItem::text) return ItemKind::text;
    return item.type == OutItem::integer ? ItemKind::integer : ItemKind::real;
}
int textLength(const InItem& item) { return item.length; }
int textLength(const OutItem& item) { return int(item.textValue.size()); }

// The statement driver of both directions: works `layout` from column 1, skips moving the
// column pointer, each data descriptor checked against its item and given its field, which
// `transfer(descriptor, item, field)` reads or writes. Data descriptors left over end the
// statement; items left over fail it.
template <class Item, class Transfer>
void workLayout(const Layout& layout, std::initializer_list<Item> items, Transfer transfer) {
    int column = 1;
    int index = 0;
    const Item* item = items.begin();
    for (int i = 0; i < layout.count; ++i) {
        const EditDescriptor& d = layout.items[i];
        if (d.kind == EditDescriptor::skip) {
            column += d.width;
            continue;
        }
        if (item == items.end()) break; // data descriptors left over: the statement ends
        int width = d.width;
        const ItemKind kind = kindOf(*item);
        if (d.kind == EditDescriptor::text) {
            if (kind != ItemKind::text) failLayout(layout, "gives A for a number", index);
            if (width == 0) width = textLength(*item);
        } else if (d.kind == EditDescriptor::integer && kind != ItemKind::integer) {
            failLayout(layout, "gives I for an item that is not an integer", index);
        } else if (d.kind == EditDescriptor::real && kind != ItemKind::real) {
            failLayout(layout, "gives F for an item that is not a real", index);
        }
        transfer(d, *item, Field{column, width});
        column += width;
        ++item;
        ++index;
    }
    if (item != items.end()) failLayout(layout, "has fewer data descriptors than items", index);
}

// Works `layout` against `record`, the unit's current record, storing into `items`.
void readLayout(Unit unit, const Layout& layout, std::initializer_list<InItem> items,
                const detail::Record& record) {
    workLayout(layout, items, [&](const EditDescriptor& d, const InItem& item, Field field) {
        checkInRecord(unit, d, field, true);
        Conversion c = Conversion::ok;
        switch (item.type) {
        case InItem::text:
            detail::readA(record, field, static_cast<char*>(item.target), item.length);
            break;
        case InItem::integer:
            c = detail::readI(record, field, *static_cast<int*>(item.target));
            break;
        case InItem::single:
            c = detail::readF(record, field, d.decimals, *static_cast<float*>(item.target));
            break;
        case InItem::dbl:
            c = detail::readF(record, field, d.decimals, *static_cast<double*>(item.target));
            break;
        }
        if (c != Conversion::ok) failConversion(c, unit, record, field, item.type);
    });
}

} // namespace

void detail::failBeyondRecord(Unit unit, std::string_view what, Field f, bool reading) {
    Message m;
    m.add("field beyond the record: ").add(what);
    if (!reading) {
        m.add(" at columns ").add((long long)f.column).add("-");
        m.add((long long)f.column + f.width - 1);
    }
    m.add(" would reach past column 1024");
    if (reading) textio::addPlace(m, unit, f);
    detail::fail(Code::beyondRecord, m);
}

bool readRecord(Unit unit, const Layout& layout, std::initializer_list<InItem> items,
                bool endBranch) {
    if (unit == Unit::consoleOut) failLayout(layout, "cannot read from console output", -1);
    detail::Record record;
    if (!detail::nextRecord(unit, record)) {
        if (endBranch) return false;
        detail::failEndOfFile(unit);
    }
    readLayout(unit, layout, items, record);
    return true;
}

void rereadRecord(Unit unit, const Layout& layout, std::initializer_list<InItem> items) {
    if (unit == Unit::consoleOut) failLayout(layout, "cannot read from console output", -1);
    detail::Record record;
    if (!detail::currentRecord(unit, record))
        failLayout(layout,
                   "has no line to read again (no line has been read since the unit "
                   "was connected, rewound or written, or a read met the end of it)",
                   -1);
    readLayout(unit, layout, items, record);
}

bool skipToRecordHolding(Unit unit, std::string_view pattern, int columns, bool endBranch) {
    if (unit == Unit::consoleOut || columns < 1 || columns > recordLength) {
        Message m;
        if (unit == Unit::consoleOut)
            m.add("a search for a line cannot read console output");
        else
            m.add("a search for a line within ").add((long long)columns).add(" columns");
        detail::fail(Code::badLayout, m);
    }
    detail::Record record;
    if (detail::skipToRecord(unit, pattern, columns, record)) return true;
    if (endBranch) return false;
    detail::failEndOfFile(unit);
}

void writeRecord(Unit unit, const Layout& layout, std::initializer_list<OutItem> items) {
    if (unit == Unit::consoleIn) failLayout(layout, "cannot write to console input", -1);
    char line[recordLength];
    int length = 0; // columns written so far; skipped columns count once data follows
    workLayout(layout, items, [&](const EditDescriptor& d, const OutItem& item, Field field) {
        checkInRecord(unit, d, field, false);
        const int column = field.column, width = field.width;
        char* out = line + (column - 1);
        if (length < column - 1) std::memset(line + length, ' ', std::size_t(column - 1 - length));
        switch (d.kind) {
        case EditDescriptor::text:
            detail::writeA(out, width, item.textValue);
            break;
        case EditDescriptor::integer:
            detail::writeI(out, width, item.integerValue);
            break;
        case EditDescriptor::real:
            detail::writeF(out, width, d.decimals, item.realValue);
            break;
        case EditDescriptor::skip:
            break;
        }
        if (column + width - 1 > length) length = column + width - 1;
    });
    detail::putLine(unit, line, length);
}

int findSubstring(std::string_view text, std::string_view pattern) {
    const std::size_t at = text.find(pattern);
    return at == std::string_view::npos ? 0 : int(at) + 1;
}

} // namespace textio
