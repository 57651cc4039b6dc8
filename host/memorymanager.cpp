// The host's memory manager and its reserve.

#include "host/memorymanager.h"

#include "host/saturatingcount.h"
#include "host/servicequery.h"

#include <cstdlib>

VelHostMemoryManager::VelHostMemoryManager(int blocks) {
    setReserve(blocks);
}

VelHostMemoryManager::~VelHostMemoryManager() {
    setReserve(0);
}

bool VelHostMemoryManager::queryInterface(const char* name, void* outOrWalk, int32_t) {
    return velQueryService<VelMM::IVelMManager>(this, "VelHostMemoryManager", name, outOrWalk);
}

bool VelHostMemoryManager::releaseMemory() {
    void* block = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        velCountUp(m_asks);
        if (m_reserve.empty())
            return false;
        block = m_reserve.back();
        m_reserve.pop_back();
    }
    std::free(block);
    return true;
}

bool VelHostMemoryManager::setReserve(int blocks) {
    if (blocks < 0)
        blocks = 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    while (int(m_reserve.size()) > blocks) {
        std::free(m_reserve.back());
        m_reserve.pop_back();
    }
    while (int(m_reserve.size()) < blocks) {
        void* block = std::malloc(kBlockBytes);
        if (!block)
            return false;
        m_reserve.push_back(block);
    }
    return true;
}

int VelHostMemoryManager::reserve() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_reserve.size());
}

int VelHostMemoryManager::asks() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_asks;
}

void VelHostMemoryManager::resetAsks() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_asks = 0;
}
