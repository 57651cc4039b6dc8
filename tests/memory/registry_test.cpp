// Reading one value of the current user's registry: the system registry on Windows, the registry file
// elsewhere. Each test writes the value the platform's way and reads it back through the one call.

#include "platform/registry.h"

#include "memorytesthost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace {

// CTest runs the tests of this file side by side, and the system registry is one for all of them: each
// test writes under a key of its own.
class PlatformRegistry : public ::testing::Test {
protected:
    PlatformRegistry()
        : key_(std::string("Software\\MelvoroTests\\Registry-") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name()) {}

    // Stores `data` (its bytes as they are) as the value `name` under key().
    void store(const char* name, const std::string& data) {
#if defined(_WIN32)
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                                  nullptr),
                  ERROR_SUCCESS);
        const LONG result = RegSetValueExA(handle, name, 0, REG_BINARY,
                                           reinterpret_cast<const BYTE*>(data.data()), DWORD(data.size()));
        RegCloseKey(handle);
        ASSERT_EQ(result, ERROR_SUCCESS);
#else
        const std::string path =
            scratchDirectory(std::string("registry-") +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name()) +
            "/registry.ini";
        std::string hex = "hex:";
        for (size_t i = 0; i < data.size(); ++i) {
            static const char digits[] = "0123456789abcdef";
            hex += i ? "," : "";
            hex += digits[(unsigned char)data[i] >> 4];
            hex += digits[(unsigned char)data[i] & 15];
        }
        writeFile(path, std::string("[") + key() + "]\n" + name + "=" + hex + "\n");
        setenv("MELVORO_REGISTRY_FILE", path.c_str(), 1);
#endif
    }
    void TearDown() override {
#if defined(_WIN32)
        RegDeleteKeyA(HKEY_CURRENT_USER, key());
#else
        unsetenv("MELVORO_REGISTRY_FILE");
#endif
    }

    const char* key() const {
        return key_.c_str();
    }
    const std::string key_;
};

} // namespace

TEST_F(PlatformRegistry, AValueIsReadWithItsLengthAndRefusedWhereItDoesNotFit) {
    store("ThemeActive", std::string("1\0", 2));
    char buffer[8] = {};
    uint32_t size = sizeof buffer;
    ASSERT_TRUE(velReadRegistryValue(VelRegistryHive::CurrentUser, key(), "ThemeActive", buffer, &size));
    EXPECT_EQ(size, 2u);
    EXPECT_EQ(std::memcmp(buffer, "1\0", 2), 0);

    // A null buffer asks the length; a buffer too small answers false and the length it needs.
    size = 0;
    EXPECT_TRUE(velReadRegistryValue(VelRegistryHive::CurrentUser, key(), "ThemeActive", nullptr, &size));
    EXPECT_EQ(size, 2u);
    size = 1;
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, key(), "ThemeActive", buffer, &size));
    EXPECT_EQ(size, 2u);
}

TEST_F(PlatformRegistry, MissingNamesAndNullArgumentsAnswerFalse) {
    store("ThemeActive", "0");
    char buffer[8] = {};
    uint32_t size = sizeof buffer;
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, key(), "Absent", buffer, &size));
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, "Software\\MelvoroTests\\Absent",
                                      "ThemeActive", buffer, &size));
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, nullptr, "ThemeActive", buffer, &size));
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, key(), nullptr, buffer, &size));
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, key(), "ThemeActive", buffer, nullptr));
    // Names compare without regard to case.
    size = sizeof buffer;
    EXPECT_TRUE(velReadRegistryValue(VelRegistryHive::CurrentUser, key(), "themeactive", buffer, &size));
    EXPECT_EQ(size, 1u);
}
