#pragma once
// The component object through which the host enters the module, and its factory and customizer.

#include "runtime/hostcontext.h"
#include "runtime/velid.h"
#include "runtime/velobject.h"

class IVelComponent : public virtual IVelUnknown {
public:
    virtual void initialize(IVelHostContext* context) = 0;
    virtual void terminate() = 0;
    virtual int32_t createObject(const VelID& classId, IVelUnknown** out) = 0;
    virtual const char* buildStamp() = 0;
};

// The host's test visitor: only its first operation is used.
class IVelTestVisitor {
public:
    virtual void visit(void* test) = 0;

protected:
    ~IVelTestVisitor() = default;
};

class IVelCompInternal : public virtual IVelUnknown {
public:
    virtual void reservedFirst() = 0;
    virtual void reservedSecond() = 0;
    virtual const VelID* componentId() = 0;
    virtual const char* componentName() = 0;
    virtual const char* componentBuildStamp() = 0;
    virtual int32_t classCount() = 0;
    virtual bool firstClass(VelID& out) = 0;
    virtual bool nextClass(VelID& out) = 0;
    virtual const char* className(const VelID& classId) = 0;
    virtual bool isComponent() = 0;
    virtual void runTests(IVelTestVisitor* visitor) = 0;
};

class IVelComponentFactory {
public:
    virtual ~IVelComponentFactory() = default;
    virtual IVelComponent* createComponent() = 0;
};

class IVelComponentCustomizer {
public:
    virtual ~IVelComponentCustomizer() = default;
    virtual bool onInitialize() = 0;
    virtual bool onTerminate() = 0;
};

class VelBaseComponentFact : public IVelComponentFactory {
public:
    IVelComponent* createComponent() override;
};

class CompInitializer : public virtual IVelComponentCustomizer {
public:
    bool onInitialize() override;
    bool onTerminate() override;
};

class VelBaseComponent : public IVelComponent, public IVelCompInternal {
public:
    VelBaseComponent();
    // The last component of the module to go gives the module's module-wide references back to the host
    // (the host's context still counts, as it does this very release).
    ~VelBaseComponent() override;

    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "VelBaseComponent"; }

    void initialize(IVelHostContext* context) override;
    void terminate() override;
    int32_t createObject(const VelID& classId, IVelUnknown** out) override;
    const char* buildStamp() override;

    void reservedFirst() override {}
    void reservedSecond() override {}
    const VelID* componentId() override;
    const char* componentName() override;
    const char* componentBuildStamp() override;
    int32_t classCount() override;
    bool firstClass(VelID& out) override;
    bool nextClass(VelID& out) override;
    const char* className(const VelID& classId) override;
    bool isComponent() override { return true; }
    void runTests(IVelTestVisitor* visitor) override;
};

// The module-wide objects made at load.
const VelID& velComponentId();
// Components of the module that are alive.
int32_t velLiveComponents();
IVelComponentFactory* velComponentFactory();
IVelComponentCustomizer* velCustomizer();
