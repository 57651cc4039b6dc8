#include "platform/registry.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>

bool velReadRegistryValue(VelRegistryHive hive, const char* key, const char* value, char* buffer,
                          uint32_t* size) {
    if (!key || !value || !size)
        return false;
    HKEY root = HKEY_CURRENT_USER;
    switch (hive) {
    case VelRegistryHive::CurrentUser:
        root = HKEY_CURRENT_USER;
        break;
    }
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD length = *size;
    const LONG result =
        RegQueryValueExA(handle, value, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &length);
    RegCloseKey(handle);
    *size = length;
    return result == ERROR_SUCCESS;
}

#else

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>

namespace {

std::string_view trimmed(std::string_view text) {
    const char* blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The bytes a value line stands for; nothing when its hex list is malformed.
std::optional<std::string> valueData(std::string_view text) {
    text = trimmed(text);
    const std::string_view hexPrefix = "hex:";
    if (text.size() >= hexPrefix.size() && sameName(text.substr(0, hexPrefix.size()), hexPrefix)) {
        std::string bytes;
        std::string_view rest = text.substr(hexPrefix.size());
        while (!trimmed(rest).empty()) {
            const size_t comma = rest.find(',');
            const std::string_view item = trimmed(rest.substr(0, comma));
            if (item.size() != 2 || hexDigit(item[0]) < 0 || hexDigit(item[1]) < 0)
                return std::nullopt;
            bytes.push_back(char(hexDigit(item[0]) * 16 + hexDigit(item[1])));
            if (comma == std::string_view::npos)
                break;
            rest = rest.substr(comma + 1);
            if (trimmed(rest).empty())
                return std::nullopt; // a trailing comma leaves a byte out
        }
        return bytes;
    }
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    std::string bytes(text);
    bytes.push_back('\0');
    return bytes;
}

// The data of value under key in the registry file at path.
std::optional<std::string> readValue(const std::string& path, std::string_view key, std::string_view value) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    bool inKey = false;
    std::string line;
    while (std::getline(file, line)) {
        const std::string_view text = trimmed(line);
        if (text.empty() || text.front() == ';' || text.front() == '#')
            continue;
        if (text.front() == '[') {
            inKey = text.back() == ']' && sameName(trimmed(text.substr(1, text.size() - 2)), key);
            continue;
        }
        if (!inKey)
            continue;
        const size_t equals = text.find('=');
        if (equals == std::string_view::npos || !sameName(trimmed(text.substr(0, equals)), value))
            continue;
        return valueData(text.substr(equals + 1));
    }
    return std::nullopt;
}

std::string environment(const char* name) {
    const char* text = std::getenv(name);
    return text ? std::string(text) : std::string();
}

} // namespace

std::string velRegistryFilePath() {
    std::string path = environment("MELVORO_REGISTRY_FILE");
    if (!path.empty())
        return path;
    const std::string config = environment("XDG_CONFIG_HOME");
    if (!config.empty() && config.front() == '/')
        return config + "/melvoro/registry.ini";
    const std::string home = environment("HOME");
    if (!home.empty())
        return home + "/.config/melvoro/registry.ini";
    return {};
}

bool velReadRegistryValue(VelRegistryHive hive, const char* key, const char* value, char* buffer,
                          uint32_t* size) {
    if (!key || !value || !size)
        return false;
    switch (hive) {
    case VelRegistryHive::CurrentUser:
        break;
    }
    const std::string path = velRegistryFilePath();
    if (path.empty())
        return false;
    const std::optional<std::string> data = readValue(path, key, value);
    if (!data)
        return false;
    const uint32_t capacity = *size;
    *size = uint32_t(data->size());
    if (!buffer)
        return true;
    if (data->size() > capacity)
        return false;
    std::memcpy(buffer, data->data(), data->size());
    return true;
}

#endif
