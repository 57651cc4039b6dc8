// VelTrivialTranslator: every text translates to itself; only the argument markers are substituted.

#include "translation/markers.h"
#include "translation/translator.h"

bool VelTrivialTranslator::queryInterface(const char* name, void* outOrWalk, int32_t) {
    if (velCheckClass(name, outOrWalk, "VelTrivialTranslator", this, static_cast<IVelUnknown*>(this)))
        return true;
    return velCheckInterface(name, outOrWalk, "IVelTranslator", static_cast<IVelTranslator*>(this));
}

bool VelTrivialTranslator::lookup(const char* text, PooledString& out) {
    out.setLatin1(text);
    return true;
}

PooledString VelTrivialTranslator::substituted(const char* text, const PooledString* const* args,
                                               int32_t count) {
    PooledString result;
    lookup(text, result);
    velSubstituteArguments(result, args, count);
    return result;
}

PooledString VelTrivialTranslator::translate(const char* text) {
    PooledString result;
    lookup(text, result);
    return result;
}

PooledString VelTrivialTranslator::translate(const char* text, int32_t count, const PooledString* args) {
    PooledString result;
    lookup(text, result);
    velReplaceArgumentMarkers(result, count, args);
    return result;
}

PooledString VelTrivialTranslator::translate(const char* text, const PooledString& a1) {
    const PooledString* args[] = {&a1};
    return substituted(text, args, 1);
}

PooledString VelTrivialTranslator::translate(const char* text, const PooledString& a1,
                                             const PooledString& a2) {
    const PooledString* args[] = {&a1, &a2};
    return substituted(text, args, 2);
}

PooledString VelTrivialTranslator::translate(const char* text, const PooledString& a1, const PooledString& a2,
                                             const PooledString& a3) {
    const PooledString* args[] = {&a1, &a2, &a3};
    return substituted(text, args, 3);
}

PooledString VelTrivialTranslator::translate(const char* text, const PooledString& a1, const PooledString& a2,
                                             const PooledString& a3, const PooledString& a4) {
    const PooledString* args[] = {&a1, &a2, &a3, &a4};
    return substituted(text, args, 4);
}

PooledString VelTrivialTranslator::translate(const char* text, const PooledString& a1, const PooledString& a2,
                                             const PooledString& a3, const PooledString& a4,
                                             const PooledString& a5) {
    const PooledString* args[] = {&a1, &a2, &a3, &a4, &a5};
    return substituted(text, args, 5);
}

PooledString VelTrivialTranslator::translate(const char* text, const PooledString& a1, const PooledString& a2,
                                             const PooledString& a3, const PooledString& a4,
                                             const PooledString& a5, const PooledString& a6) {
    const PooledString* args[] = {&a1, &a2, &a3, &a4, &a5, &a6};
    return substituted(text, args, 6);
}

bool VelTrivialTranslator::query(int32_t) {
    return false;
}
