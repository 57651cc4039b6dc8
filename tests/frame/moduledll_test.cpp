// The module of the component frame alone (built without the style), loaded by the system's loader: its
// one entry hands out a component that lists no class.

#include "frame/component.h"

#include <gtest/gtest.h>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

using EntryPointFunction = int32_t (*)(int32_t*, IVelComponent**);

// The loaded module, unloaded again at the end of the scope.
class LoadedModule {
public:
    explicit LoadedModule(const char* path) {
#if defined(_WIN32)
        m_handle = LoadLibraryA(path);
#else
        m_handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
#endif
    }
    ~LoadedModule() {
#if defined(_WIN32)
        if (m_handle)
            FreeLibrary(static_cast<HMODULE>(m_handle));
#else
        if (m_handle)
            dlclose(m_handle);
#endif
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool loaded() const {
        return m_handle != nullptr;
    }
    void* symbol(const char* name) const {
#if defined(_WIN32)
        return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(m_handle), name));
#else
        return dlsym(m_handle, name);
#endif
    }

private:
    void* m_handle = nullptr;
};

} // namespace

TEST(FrameModuleLibrary, TheEntryHandsOutAComponentWithoutClasses) {
    LoadedModule module(MELVORO_MODULE_PATH);
    ASSERT_TRUE(module.loaded()) << MELVORO_MODULE_PATH;
    const auto entry = reinterpret_cast<EntryPointFunction>(module.symbol("EntryPoint"));
    ASSERT_NE(entry, nullptr);

    int32_t version = 0;
    IVelComponent* component = nullptr;
    ASSERT_EQ(entry(&version, &component), 1);
    EXPECT_EQ(version, 100);
    ASSERT_NE(component, nullptr);
    component->addRef();
    EXPECT_EQ(component->refCount(), 1);
    void* internal = nullptr;
    ASSERT_TRUE(component->queryInterface("IVelCompInternal", &internal, 0));
    EXPECT_EQ(static_cast<IVelCompInternal*>(internal)->classCount(), 0);
    EXPECT_STREQ(component->className(), "VelBaseComponent");
    component->release();
}
