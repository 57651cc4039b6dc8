#pragma once
// VelID: the 16-byte identifier of components and classes, laid out as a Windows GUID.

#include <cstdint>
#include <cstring>

class VelID {
public:
    VelID() = default;
    VelID(uint32_t d1, uint16_t d2, uint16_t d3, const uint8_t (&d4)[8]) : Data1(d1), Data2(d2), Data3(d3) {
        std::memcpy(Data4, d4, sizeof Data4);
    }
    VelID(const VelID& other) { copyBytes(other); }
    VelID& operator=(const VelID& other) {
        copyBytes(other);
        return *this;
    }
    virtual ~VelID() = default;

    bool operator==(const VelID& o) const {
        return Data1 == o.Data1 && Data2 == o.Data2 && Data3 == o.Data3 &&
               std::memcmp(Data4, o.Data4, 8) == 0;
    }
    bool operator!=(const VelID& o) const { return !(*this == o); }

    // Copies only the 16 identifier bytes; the vtable pointer of this object stays its own.
    void copyBytes(const VelID& other) {
        Data1 = other.Data1;
        Data2 = other.Data2;
        Data3 = other.Data3;
        std::memcpy(Data4, other.Data4, sizeof Data4);
    }

    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    uint8_t Data4[8] = {};
};
