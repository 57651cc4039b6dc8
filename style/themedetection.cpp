// Whether the desktop runs with a visual theme: the current user's "ThemeActive" value, read anew at every
// call so that a change of theme shows at the next paint.

#include "platform/registry.h"
#include "style/melvorostyle.h"

#include <cstring>
#include <string_view>

bool isThemeActive() {
    static const char* const key = "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";
    char buffer[2] = {0, 0};
    uint32_t size = sizeof buffer;
    if (!velReadRegistryValue(VelRegistryHive::CurrentUser, key, "ThemeActive", buffer, &size))
        return false;
    // The text ends at its first zero byte or at the end of the data read, whichever comes first: data
    // that is not terminated inside the buffer is never read past.
    const size_t length = size < sizeof buffer ? size : sizeof buffer;
    const std::string_view text(buffer, strnlen(buffer, length));
    if (text == "0")
        return false;
    return text == "1";
}
