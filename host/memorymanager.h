#pragma once
// VelHostMemoryManager: the host's memory manager. It keeps a reserve of heap blocks and gives one back
// each time a module asks it to release memory, answering false once the reserve is gone.

#include "runtime/services.h"

#include <mutex>
#include <vector>

class VelHostMemoryManager : public virtual VelMM::IVelMManager {
public:
    static constexpr int kBlockBytes = 24576;

    // A reserve of `blocks` blocks of kBlockBytes each.
    explicit VelHostMemoryManager(int blocks = 0);
    ~VelHostMemoryManager() override;

    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "VelHostMemoryManager"; }

    // Frees one reserve block; false when there is none left.
    bool releaseMemory() override;

    // Tops the reserve up (or trims it) to `blocks` blocks; false when the heap had too little for that.
    bool setReserve(int blocks);
    int reserve() const;
    // How often releaseMemory was called, answered true or false.
    int asks() const;
    void resetAsks();

private:
    mutable std::mutex m_mutex;
    std::vector<void*> m_reserve;
    int m_asks = 0;
};
