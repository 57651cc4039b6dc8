// The component object, its factory and its customizer, and the module-wide objects they rest on.

#include "frame/component.h"

#include "frame/classfactory.h"
#include "runtime/modulereferences.h"

#include <atomic>

namespace {

// The module's identity towards the host and its translator service.
const uint8_t kComponentIdTail[8] = {0x9a, 0x1b, 0x2c, 0x3d, 0x4e, 0x5f, 0x60, 0x71};
const VelID kComponentId(0x7b3e2a91u, 0x4c5du, 0x4e8fu, kComponentIdTail);

const char kComponentName[] = "MelvoroGUI";
const char kBuildStamp[] = "2010-12-16 11:42";

// Made at load, in this order. At unload they are freed by g_frameEnd below, unless a component is still
// alive (a host that never released it may still call it), in which case they stay.
VelID g_componentId(kComponentId);
IVelComponentFactory* g_componentFactory = new VelBaseComponentFact;
IVelClassFactory* g_classFactory = VelDefaultClassFactory::instance();
IVelComponentCustomizer* g_customizer = new CompInitializer;

std::atomic<int32_t> g_liveComponents{0};

// Made after the objects above, so destroyed before the identifier copy. The static item factories,
// made later (at the first initialize), are gone by then.
struct FrameEnd {
    FrameEnd() = default;
    FrameEnd(const FrameEnd&) = delete;
    FrameEnd& operator=(const FrameEnd&) = delete;
    ~FrameEnd() {
        if (g_liveComponents.load(std::memory_order_acquire) != 0)
            return;
        delete g_customizer;
        g_customizer = nullptr;
        delete g_componentFactory;
        g_componentFactory = nullptr;
        g_classFactory = nullptr;
        velDestroyClassFactory();
    }
};
FrameEnd g_frameEnd;

} // namespace

int32_t velLiveComponents() {
    return g_liveComponents.load(std::memory_order_acquire);
}

VelBaseComponent::VelBaseComponent() {
    g_liveComponents.fetch_add(1, std::memory_order_acq_rel);
}

VelBaseComponent::~VelBaseComponent() {
    if (g_liveComponents.fetch_sub(1, std::memory_order_acq_rel) == 1)
        velReleaseModuleReferences();
}

const VelID& velComponentId() {
    return g_componentId;
}

IVelComponentFactory* velComponentFactory() {
    return g_componentFactory;
}

IVelComponentCustomizer* velCustomizer() {
    return g_customizer;
}

IVelComponent* VelBaseComponentFact::createComponent() {
    return new VelBaseComponent;
}

bool CompInitializer::onInitialize() {
    // A registration that fails by an exception is tried again at the next initialize; the host learns
    // of the failure from the empty class list, not from an exception thrown through initialize.
    try {
        velRegisterModuleClasses();
    } catch (...) {
        return false;
    }
    return true;
}

bool CompInitializer::onTerminate() {
    return true;
}

bool VelBaseComponent::queryInterface(const char* name, void* outOrWalk, int32_t /*reserved*/) {
    // The component never shows up in type walks.
    if (velCheckClass(name, outOrWalk, "VelBaseComponent", this, static_cast<IVelUnknown*>(this), true))
        return true;
    if (velCheckInterface(name, outOrWalk, "IVelComponent", static_cast<IVelComponent*>(this)))
        return true;
    return velCheckInterface(name, outOrWalk, "IVelCompInternal", static_cast<IVelCompInternal*>(this));
}

void VelBaseComponent::initialize(IVelHostContext* context) {
    velSetHostContext(context);
    if (g_customizer)
        g_customizer->onInitialize();
}

void VelBaseComponent::terminate() {
    if (g_customizer)
        g_customizer->onTerminate();
}

int32_t VelBaseComponent::createObject(const VelID& classId, IVelUnknown** out) {
    if (!g_classFactory) {
        if (out)
            *out = nullptr;
        return 0;
    }
    return g_classFactory->create(classId, out);
}

const char* VelBaseComponent::buildStamp() {
    return kBuildStamp;
}

const VelID* VelBaseComponent::componentId() {
    return &g_componentId;
}

const char* VelBaseComponent::componentName() {
    return kComponentName;
}

const char* VelBaseComponent::componentBuildStamp() {
    return kBuildStamp;
}

int32_t VelBaseComponent::classCount() {
    return g_classFactory ? g_classFactory->count() : 0;
}

bool VelBaseComponent::firstClass(VelID& out) {
    return g_classFactory ? g_classFactory->first(out) : false;
}

bool VelBaseComponent::nextClass(VelID& out) {
    return g_classFactory ? g_classFactory->next(out) : false;
}

const char* VelBaseComponent::className(const VelID& classId) {
    return g_classFactory ? g_classFactory->className(classId) : nullptr;
}
