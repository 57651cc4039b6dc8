#pragma once
// VelClassRegistry: the item factories of a class factory keyed by class identifier, with the one
// enumeration position that first() starts and next() moves. The module-wide class factory keeps one.

#include "frame/classfactory.h"
#include "runtime/velhashmap.h"
#include "runtime/velid.h"

#include <cstdint>

class VelClassRegistry {
public:
    // The bucket count asked for a new registry; the table makes 131 of it.
    static constexpr uint32_t kRequestedBuckets = 99;

    VelClassRegistry();
    VelClassRegistry(const VelClassRegistry&) = delete;
    VelClassRegistry& operator=(const VelClassRegistry&) = delete;

    // A later factory with the same identifier replaces the earlier one, which is neither destroyed nor
    // told. A null factory is ignored.
    void add(VelItemFactory* factory);
    VelItemFactory* find(const VelID& classId) const;

    // Status of the item factory's create, or 0 (out untouched) for an unknown identifier.
    int32_t create(const VelID& classId, IVelUnknown** out);
    int32_t count() const { return m_map.count(); }
    bool first(VelID& out);
    bool next(VelID& out);
    const char* className(const VelID& classId) const;

    uint32_t bucketCount() const { return m_map.bucketCount(); }

private:
    using Map = VelHashMap<VelID, VelItemFactory*>;

    Map m_map;
    // The enumeration position: whether first() has made one, and the element at it (null past the end).
    bool m_enumerating = false;
    Map::Node* m_current = nullptr;
};
