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

const char* const kKey = "Software\\MelvoroTests\\Registry";

class PlatformRegistry : public ::testing::Test {
protected:
    // Stores `data` (its bytes as they are) as the value `name` under kKey.
    void store(const char* name, const std::string& data) {
#if defined(_WIN32)
        HKEY key = nullptr;
        ASSERT_EQ(
            RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        const LONG result = RegSetValueExA(key, name, 0, REG_BINARY,
                                           reinterpret_cast<const BYTE*>(data.data()), DWORD(data.size()));
        RegCloseKey(key);
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
        writeFile(path, std::string("[") + kKey + "]\n" + name + "=" + hex + "\n");
        setenv("MELVORO_REGISTRY_FILE", path.c_str(), 1);
#endif
    }
    void TearDown() override {
#if defined(_WIN32)
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
#else
        unsetenv("MELVORO_REGISTRY_FILE");
#endif
    }
};

} // namespace

TEST_F(PlatformRegistry, AValueIsReadWithItsLengthAndRefusedWhereItDoesNotFit) {
    store("ThemeActive", std::string("1\0", 2));
    char buffer[8] = {};
    uint32_t size = sizeof buffer;
    ASSERT_TRUE(velReadRegistryValue(VelRegistryHive::CurrentUser, kKey, "ThemeActive", buffer, &size));
    EXPECT_EQ(size, 2u);
    EXPECT_EQ(std::memcmp(buffer, "1\0", 2), 0);

    // A null buffer asks the length; a buffer too small answers false and the length it needs.
    size = 0;
    EXPECT_TRUE(velReadRegistryValue(VelRegistryHive::CurrentUser, kKey, "ThemeActive", nullptr, &size));
    EXPECT_EQ(size, 2u);
    size = 1;
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, kKey, "ThemeActive", buffer, &size));
    EXPECT_EQ(size, 2u);
}

TEST_F(PlatformRegistry, MissingNamesAndNullArgumentsAnswerFalse) {
    store("ThemeActive", "0");
    char buffer[8] = {};
    uint32_t size = sizeof buffer;
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, kKey, "Absent", buffer, &size));
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, "Software\\MelvoroTests\\Absent",
                                      "ThemeActive", buffer, &size));
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, nullptr, "ThemeActive", buffer, &size));
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, kKey, nullptr, buffer, &size));
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, kKey, "ThemeActive", buffer, nullptr));
    // Names compare without regard to case.
    size = sizeof buffer;
    EXPECT_TRUE(velReadRegistryValue(VelRegistryHive::CurrentUser, kKey, "themeactive", buffer, &size));
    EXPECT_EQ(size, 1u);
}
