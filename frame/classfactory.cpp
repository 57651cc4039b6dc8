// The module-wide class factory, its registry, the item factories that register themselves, and the
// one-time registration of the module's classes.

#include "frame/classfactory.h"

#include "frame/classregistry.h"

#include <memory>

namespace {

// Created by the first call of VelDefaultClassFactory::instance() and kept until the module unloads.
VelDefaultClassFactory* g_instance = nullptr;
VelClassRegistry* g_registry = nullptr;

// The registration function the module installed at load, and whether it has run to its end.
VelClassRegistration g_registration = nullptr;
bool g_classesRegistered = false;

VelClassRegistry& registry() {
    VelDefaultClassFactory::instance();
    return *g_registry;
}

} // namespace

VelClassRegistry::VelClassRegistry() : m_map(kRequestedBuckets) {}

void VelClassRegistry::add(VelItemFactory* factory) {
    if (!factory)
        return;
    m_map.findOrInsert(factory->classId()) = factory;
}

VelItemFactory* VelClassRegistry::find(const VelID& classId) const {
    const Map::Node* node = m_map.find(classId);
    return node ? node->value : nullptr;
}

int32_t VelClassRegistry::create(const VelID& classId, IVelUnknown** out) {
    VelItemFactory* factory = find(classId);
    // Without a place to put it, a new object (count 0, owned by nobody) would be lost: make none.
    if (!factory || !out)
        return 0;
    int32_t status = 0;
    IVelUnknown* object = factory->create(&status);
    *out = object;
    return status;
}

bool VelClassRegistry::first(VelID& out) {
    m_enumerating = true;
    m_current = m_map.first();
    if (!m_current)
        return false;
    out = m_current->key;
    return true;
}

bool VelClassRegistry::next(VelID& out) {
    // Before any first, or once the walk has run past the end, there is nothing after.
    if (!m_enumerating || !m_current)
        return false;
    m_current = m_map.next(m_current);
    if (!m_current)
        return false;
    out = m_current->key;
    return true;
}

const char* VelClassRegistry::className(const VelID& classId) const {
    VelItemFactory* factory = find(classId);
    return factory ? factory->className() : nullptr;
}

VelItemFactory::VelItemFactory(const char* className, const VelID& classId)
    : m_className(className), m_classId(classId) {
    VelDefaultClassFactory::instance()->registerFactory(this);
}

VelDefaultClassFactory* VelDefaultClassFactory::instance() {
    if (!g_instance) {
        // Both or neither: a failed allocation of the registry must not leave an instance without one.
        std::unique_ptr<VelDefaultClassFactory> instance(new VelDefaultClassFactory);
        g_registry = new VelClassRegistry;
        g_instance = instance.release();
    }
    return g_instance;
}

void velDestroyClassFactory() {
    delete g_registry;
    g_registry = nullptr;
    delete g_instance;
    g_instance = nullptr;
}

void VelDefaultClassFactory::registerFactory(VelItemFactory* factory) {
    registry().add(factory);
}

int32_t VelDefaultClassFactory::create(const VelID& classId, IVelUnknown** out) {
    return registry().create(classId, out);
}

int32_t VelDefaultClassFactory::count() {
    return registry().count();
}

bool VelDefaultClassFactory::first(VelID& out) {
    return registry().first(out);
}

bool VelDefaultClassFactory::next(VelID& out) {
    return registry().next(out);
}

const char* VelDefaultClassFactory::className(const VelID& classId) {
    return registry().className(classId);
}

VelModuleClasses::VelModuleClasses(VelClassRegistration registration) {
    g_registration = registration;
}

void velRegisterModuleClasses() {
    if (g_classesRegistered || !g_registration)
        return;
    // An exception leaves the guard unset, so that the next initialize tries again.
    g_registration();
    g_classesRegistered = true;
}
