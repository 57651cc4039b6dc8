// The type walk: queryInterface with a null name records the object's classes and interfaces, in
// declaration order, into the caller's walk record, and stops at any of the caller's stop names.

#include "runtime/typewalk.h"

#include <cstring>

uint32_t VelHashTraits<PooledName>::hash(const PooledName& name) const {
    if (!name.text)
        return 0;
    uint32_t h = 5381;
    for (const char* p = name.text; *p; ++p)
        h = h * 33u + uint32_t(int32_t(static_cast<signed char>(*p)));
    return h;
}

bool VelHashTraits<PooledName>::equal(const PooledName& a, const PooledName& b) const {
    if (!a.text || !b.text)
        return !a.text && !b.text;
    return std::strcmp(a.text, b.text) == 0;
}

namespace {

// A stopped walk keeps no results: both lists are emptied (their elements stay in their slots).
void emptyLists(VelTypeWalk* walk) {
    if (walk->entries)
        walk->entries->setCount(0);
    if (walk->classStack)
        walk->classStack->setCount(0);
}

} // namespace

void velWalkRecord(VelTypeWalk* walk, const char* name, int32_t kind) {
    if (!walk)
        return;
    bool stop = walk->stopped;
    // The lookup only reads the name, so it borrows it instead of copying it into a pool block.
    if (!stop)
        stop = walk->stopNames.find(PooledName::borrowed(name)) != nullptr;
    if (stop) {
        walk->stopped = true;
        emptyLists(walk);
        return;
    }

    VelWalkEntry entry;
    entry.name = PooledName::borrowed(name);
    entry.kind = kind;
    if (walk->classStack && walk->classStack->count() > 0)
        entry.enclosing = walk->classStack->top();
    if (walk->entries)
        walk->entries->append(entry);
    if (kind == 1 && walk->classStack)
        walk->classStack->append(entry.name);
}

void velWalkPop(VelTypeWalk* walk) {
    if (!walk)
        return;
    if (walk->stopped) {
        emptyLists(walk);
        return;
    }
    if (walk->classStack)
        walk->classStack->pop();
}
