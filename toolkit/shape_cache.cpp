// The display-list cache: fixed pools of chain entries, one chain head per kind.
#include "toolkit/shape_cache.h"

#include <GL/gl.h>

namespace toolkit::shapes {

namespace {

struct Entry {
    unsigned list;
    int next; // older entry of the same kind, or -1
    int keyLength;
    double key[keyCapacity];
};

Entry entries[entryCapacity];
int entryCount = 0;
int heads[kindCapacity] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                           -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

bool keyFits(int kind, int keyLength) {
    return kind >= 0 && kind < kindCapacity && keyLength >= 0 && keyLength <= keyCapacity;
}

bool sameKey(const Entry& e, const double* key, int keyLength) {
    if (e.keyLength < keyLength) return false;
    for (int i = 0; i < keyLength; ++i)
        if (!(e.key[i] == key[i])) return false;
    return true;
}

} // namespace

unsigned findShapeList(int kind, const double* key, int keyLength) {
    if (!keyFits(kind, keyLength)) return 0;
    for (int i = heads[kind]; i >= 0; i = entries[i].next)
        if (sameKey(entries[i], key, keyLength)) return entries[i].list;
    return 0;
}

unsigned addShapeList(int kind, const double* key, int keyLength) {
    if (!keyFits(kind, keyLength) || entryCount >= entryCapacity) return 0;
    unsigned list = glGenLists(1);
    if (list == 0) return 0;
    Entry& e = entries[entryCount];
    e.list = list;
    e.next = heads[kind];
    e.keyLength = keyLength;
    for (int i = 0; i < keyLength; ++i) e.key[i] = key[i];
    heads[kind] = entryCount++;
    return list;
}

int shapeListCount() { return entryCount; }

void forgetShapeLists() {
    entryCount = 0;
    for (int& head : heads) head = -1;
}

} // namespace toolkit::shapes
