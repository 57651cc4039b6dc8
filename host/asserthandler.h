#pragma once
// VelHostAssertHandler: the host's handler of failed checks. It records each one (condition, source
// file, line) and returns to the caller.

#include "runtime/services.h"

#include <mutex>
#include <string>
#include <vector>

class VelHostAssertHandler : public virtual IVelAssertHandlerCB {
public:
    struct Record {
        std::string condition;
        std::string file;
        int32_t line = 0;
    };

    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "VelHostAssertHandler"; }

    void assertFailed(const char* condition, const char* file, int32_t line) override;

    std::vector<Record> records() const;
    int count() const;
    void clear();

private:
    mutable std::mutex m_mutex;
    std::vector<Record> m_records;
};
