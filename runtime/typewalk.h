#pragma once
// VelTypeWalk: the record a type walk (queryInterface with a null name) fills for its caller.

#include "runtime/pooledstring.h"
#include "runtime/velarray.h"
#include "runtime/velhashmap.h"

// Key trait of PooledName: djb2 over the signed bytes of the text; a null text hashes to 0.
template <> struct VelHashTraits<PooledName> {
    uint32_t hash(const PooledName& name) const;
    bool equal(const PooledName& a, const PooledName& b) const;
};

struct VelWalkEntry {
    PooledName name;
    int32_t kind = 0; // 1 for a class, 0 for an interface
    PooledName enclosing;
};

struct VelTypeWalk {
    VelArray<PooledName>* classStack = nullptr;
    VelArray<VelWalkEntry>* entries = nullptr;
    VelHashMap<PooledName, int32_t> stopNames;
    bool stopped = false;
};

// Records a class (kind 1) or an interface (kind 0) name into the walk.
void velWalkRecord(VelTypeWalk* walk, const char* name, int32_t kind);
// Pops the walk's class stack once (or empties both lists of a stopped walk).
void velWalkPop(VelTypeWalk* walk);
