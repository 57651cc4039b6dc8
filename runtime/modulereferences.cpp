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
    // The holders stay listed: a holder that looks its object up again later needs no new entry. A release
    // may run a destructor that uses the runtime (and so a holder) again; the lock is re-entrant.
    VelLockGuard guard(g_lock);
    for (VelModuleReference* holder = g_first; holder; holder = holder->m_next)
        holder->letGo();
}
