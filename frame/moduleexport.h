#pragma once
// VEL_MODULE_EXPORT: marks the function a module shows the system's loader; a module shows EntryPoint
// alone. On Windows the mark exports it from the DLL, and the linker then exports nothing unmarked;
// elsewhere it is the one symbol of default visibility.

#if defined(_WIN32)
#define VEL_MODULE_EXPORT __declspec(dllexport)
#else
#define VEL_MODULE_EXPORT __attribute__((visibility("default")))
#endif
