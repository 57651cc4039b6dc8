#pragma once
// The test programs' host context where the reference host (built on Qt) is not there: a table of offered
// services under a standard mutex and atomic reference counts, as the reference host keeps them.

#include "runtime/hostcontext.h"
#include "runtime/iptr.h"
#include "runtime/pooledstring.h"
#include "runtime/velobject.h"

#include <map>
#include <mutex>
#include <string>

class PlainHostContext : public IVelHostContext {
public:
    explicit PlainHostContext(char character = 'H') : m_character(character) {}
    ~PlainHostContext() {
        for (auto& service : m_services)
            service.second.unknown->release();
    }
    PlainHostContext(const PlainHostContext&) = delete;
    PlainHostContext& operator=(const PlainHostContext&) = delete;

    // Offers `service` under Interface's name; the context holds one reference until it is withdrawn.
    template <class T> void offer(T* service) {
        IVelUnknown* unknown = static_cast<IVelUnknown*>(service);
        unknown->addRef();
        Entry previous{};
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            Entry& entry = m_services[VelInterfaceName<T>::value];
            previous = entry;
            entry = Entry{service, unknown};
        }
        if (previous.unknown)
            previous.unknown->release();
    }
    void withdraw(const char* name) {
        Entry entry{};
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            auto it = m_services.find(name);
            if (it == m_services.end())
                return;
            entry = it->second;
            m_services.erase(it);
        }
        entry.unknown->release();
    }

    int32_t findService(const PooledName* name, void** out) override {
        if (!out)
            return 0;
        *out = nullptr;
        if (!name || !name->text)
            return 0;
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_services.find(name->text);
        if (it == m_services.end())
            return 0;
        *out = it->second.iface;
        return 1;
    }
    char characterValue() override { return m_character; }
    void increment(int32_t* count) override {
        if (count)
            __atomic_add_fetch(count, 1, __ATOMIC_ACQ_REL);
    }
    bool decrement(int32_t* count) override {
        if (!count || __atomic_sub_fetch(count, 1, __ATOMIC_ACQ_REL) != 0)
            return false;
        __atomic_store_n(count, -42, __ATOMIC_RELEASE);
        return true;
    }

private:
    struct Entry {
        void* iface = nullptr;
        IVelUnknown* unknown = nullptr;
    };
    std::mutex m_mutex;
    std::map<std::string, Entry> m_services;
    char m_character;
};
