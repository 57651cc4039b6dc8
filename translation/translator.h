#pragma once
// Access to the host's translator for this component, with an identity translator when there is none.

#include "runtime/iptr.h"
#include "runtime/pooledstring.h"
#include "runtime/velobject.h"

class IVelTranslator : public virtual IVelUnknown {
public:
    virtual PooledString translate(const char* text, int32_t count, const PooledString* args) = 0;
    virtual PooledString translate(const char* text, const PooledString& a1, const PooledString& a2,
                                   const PooledString& a3, const PooledString& a4, const PooledString& a5,
                                   const PooledString& a6) = 0;
    virtual PooledString translate(const char* text, const PooledString& a1, const PooledString& a2,
                                   const PooledString& a3, const PooledString& a4,
                                   const PooledString& a5) = 0;
    virtual PooledString translate(const char* text, const PooledString& a1, const PooledString& a2,
                                   const PooledString& a3, const PooledString& a4) = 0;
    virtual PooledString translate(const char* text, const PooledString& a1, const PooledString& a2,
                                   const PooledString& a3) = 0;
    virtual PooledString translate(const char* text, const PooledString& a1, const PooledString& a2) = 0;
    virtual PooledString translate(const char* text, const PooledString& a1) = 0;
    virtual PooledString translate(const char* text) = 0;
    virtual bool query(int32_t what) = 0;
};
VEL_INTERFACE_NAME(IVelTranslator, "IVelTranslator");

// Returns every text unchanged, substituting numbered argument markers ("%1" ... ).
class VelTrivialTranslator : public virtual IVelTranslator {
public:
    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "VelTrivialTranslator"; }

    PooledString translate(const char* text, int32_t count, const PooledString* args) override;
    PooledString translate(const char* text, const PooledString& a1, const PooledString& a2,
                           const PooledString& a3, const PooledString& a4, const PooledString& a5,
                           const PooledString& a6) override;
    PooledString translate(const char* text, const PooledString& a1, const PooledString& a2,
                           const PooledString& a3, const PooledString& a4, const PooledString& a5) override;
    PooledString translate(const char* text, const PooledString& a1, const PooledString& a2,
                           const PooledString& a3, const PooledString& a4) override;
    PooledString translate(const char* text, const PooledString& a1, const PooledString& a2,
                           const PooledString& a3) override;
    PooledString translate(const char* text, const PooledString& a1, const PooledString& a2) override;
    PooledString translate(const char* text, const PooledString& a1) override;
    PooledString translate(const char* text) override;
    bool query(int32_t what) override;

    virtual bool lookup(const char* text, PooledString& out);

private:
    // The looked-up text with the one-digit markers replaced by args (the fixed-argument forms).
    PooledString substituted(const char* text, const PooledString* const* args, int32_t count);
};

// The module's current translator; never null. The caller takes no reference.
IVelTranslator* velTranslator();
