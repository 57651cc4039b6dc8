// The list of the module's module-wide holders.

#include "runtime/modulereferences.h"

#include "platform/lock.h"

namespace {

// Ready before any static object of the module is made, never torn down.
VelLock g_lock;
VelModuleReference* g_first = nullptr;

} // namespace

void VelModuleReference::enlistOnce() {
    VelLockGuard guard(g_lock);
    if (m_listed)
        return;
    m_next = g_first;
    g_first = this;
    m_listed = true;
}

VelModuleReference::~VelModuleReference() {
    VelLockGuard guard(g_lock);
    if (!m_listed)
        return;
    for (VelModuleReference** at = &g_first; *at; at = &(*at)->m_next) {
        if (*at == this) {
            *at = m_next;
            break;
        }
    }
    m_listed = false;
}

void velReleaseModuleReferences() {
    // The holders stay listed: a holder that looks its object up again later needs no new entry. They let
    // go outside the lock, since a release may run a destructor that needs other locks of the runtime
    // (the pool lock), under which holders enlist.
    constexpr int kMostAtOnce = 32;
    VelModuleReference* holders[kMostAtOnce];
    VelModuleReference* rest = nullptr;
    int count = 0;
    {
        VelLockGuard guard(g_lock);
        for (rest = g_first; rest && count < kMostAtOnce; rest = rest->m_next)
            holders[count++] = rest;
    }
    for (int i = 0; i < count; ++i)
        holders[i]->letGo();
    // A module with more holders than that lets the others go under the lock.
    if (rest) {
        VelLockGuard guard(g_lock);
        for (VelModuleReference* holder = rest; holder; holder = holder->m_next)
            holder->letGo();
    }
}
