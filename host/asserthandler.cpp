// The host's record of failed checks.

#include "host/asserthandler.h"

#include "host/servicequery.h"

bool VelHostAssertHandler::queryInterface(const char* name, void* outOrWalk, int32_t) {
    return velQueryService<IVelAssertHandlerCB>(this, "VelHostAssertHandler", name, outOrWalk);
}

void VelHostAssertHandler::assertFailed(const char* condition, const char* file, int32_t line) {
    Record record;
    record.condition = condition ? condition : "";
    record.file = file ? file : "";
    record.line = line;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_records.push_back(std::move(record));
}

std::vector<VelHostAssertHandler::Record> VelHostAssertHandler::records() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_records;
}

int VelHostAssertHandler::count() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_records.size());
}

void VelHostAssertHandler::clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_records.clear();
}
