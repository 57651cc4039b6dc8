#include "platform/registrytext.h"

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

} // namespace

std::optional<std::string> velRegistryValueFromText(std::string_view text, std::string_view key,
                                                    std::string_view value) {
    bool inKey = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inKey = line.size() >= 2 && line.back() == ']' &&
                    sameName(trimmed(line.substr(1, line.size() - 2)), key);
            continue;
        }
        if (!inKey)
            continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos || !sameName(trimmed(line.substr(0, equals)), value))
            continue;
        return valueData(line.substr(equals + 1));
    }
    return std::nullopt;
}
