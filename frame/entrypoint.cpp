// The module's one exported function: the host's way in.

#include "frame/component.h"
#include "frame/moduleexport.h"

#include <cstdint>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// At process attach the module only turns off the thread attach and detach notifications.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}
#endif

// Hands out a new component (count 0) and the interface version 100. Never lets an exception out.
extern "C" VEL_MODULE_EXPORT int32_t EntryPoint(int32_t* version, IVelComponent** component) {
    // Nowhere to put the version would leave the host with a component it cannot judge: make none.
    if (!component || !version)
        return 0;
    IVelComponentFactory* factory = velComponentFactory();
    if (!factory)
        return 0;
    try {
        IVelComponent* created = factory->createComponent();
        *component = created;
        *version = 100;
        return 1;
    } catch (...) {
        *version = 0;
        *component = nullptr;
        return 0;
    }
}
