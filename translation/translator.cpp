// The module's current translator: fetched lazily from the host's translator service for this component,
// or the trivial translator when the host has none.

#include "translation/translator.h"

#include "frame/component.h"
#include "runtime/modulereferences.h"
#include "runtime/services.h"
#include "translation/currenttranslator.h"

namespace {

// One per module; holds one reference on the current translator and releases it at unload (or when the
// module gives its module-wide references back).
struct CurrentTranslator : VelModuleReference {
    IPtr<IVelTranslator> translator;
    // The translator service has answered once; no further asks are made.
    bool resolved = false;

    void letGo() override {
        translator.reset();
        resolved = false;
    }
};

CurrentTranslator g_current;

// The new translator's reference is taken before the old one's is dropped.
void install(IVelTranslator* translator) {
    g_current.translator = translator;
    g_current.enlistOnce();
}

void resolve() {
    SPtr<IVelTranslatorService> service;
    if (!service)
        return; // asked again on the next get
    IVelTranslator* answer = service->translatorFor(velComponentId());
    if (answer != g_current.translator.get())
        install(answer);
    if (!g_current.translator) {
        g_current.translator.query(VelInterfaceName<IVelTranslator>::value);
        g_current.enlistOnce();
    }
    g_current.resolved = true;
}

} // namespace

IVelTranslator* velTranslator() {
    if (!g_current.translator || !g_current.resolved)
        resolve();
    // A service that answers with no translator, after an earlier fallback, must not leave the module
    // without one: the trivial translator serves again.
    if (!g_current.translator)
        install(new VelTrivialTranslator());
    return g_current.translator.get();
}

void velForgetTranslator() {
    g_current.translator.reset();
    g_current.resolved = false;
}
