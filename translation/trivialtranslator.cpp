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
    PooledString result;
    lookup(text, result);
    velSubstituteArguments(result, args, 1);
    return result;
}

PooledString VelTrivialTranslator::translate(const char* text, const PooledString& a1,
                                             const PooledString& a2) {
    const PooledString* args[] = {&a1, &a2};
    PooledString result;
    lookup(text, result);
    velSubstituteArguments(result, args, 2);
    return result;
}

PooledString VelTrivialTranslator::translate(const char* text, const PooledString& a1, const PooledString& a2,
                                             const PooledString& a3) {
    const PooledString* args[] = {&a1, &a2, &a3};
    PooledString result;
    lookup(text, result);
    velSubstituteArguments(result, args, 3);
    return result;
}

PooledString VelTrivialTranslator::translate(const char* text, const PooledString& a1, const PooledString& a2,
                                             const PooledString& a3, const PooledString& a4) {
    const PooledString* args[] = {&a1, &a2, &a3, &a4};
    PooledString result;
    lookup(text, result);
    velSubstituteArguments(result, args, 4);
    return result;
}

PooledString VelTrivialTranslator::translate(const char* text, const PooledString& a1, const PooledString& a2,
                                             const PooledString& a3, const PooledString& a4,
                                             const PooledString& a5) {
    const PooledString* args[] = {&a1, &a2, &a3, &a4, &a5};
    PooledString result;
    lookup(text, result);
    velSubstituteArguments(result, args, 5);
    return result;
}

PooledString VelTrivialTranslator::translate(const char* text, const PooledString& a1, const PooledString& a2,
                                             const PooledString& a3, const PooledString& a4,
                                             const PooledString& a5, const PooledString& a6) {
    const PooledString* args[] = {&a1, &a2, &a3, &a4, &a5, &a6};
    PooledString result;
    lookup(text, result);
    velSubstituteArguments(result, args, 6);
    return result;
}

bool VelTrivialTranslator::query(int32_t) {
    return false;
}
