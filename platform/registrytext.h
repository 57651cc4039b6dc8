#pragma once
// The text of a registry file, as the POSIX registry stand-in keeps it: one section per key, named by the
// key's path, and one line per value (see platform/registry.h for the format).

#include <optional>
#include <string>
#include <string_view>

// The data of `value` under `key` in `text`: for a text value its text and a terminating zero byte, for
// a hex:... value exactly the listed bytes. Nothing when the key or value is missing or the hex list is
// malformed. The first matching line counts; names compare without regard to ASCII case.
std::optional<std::string> velRegistryValueFromText(std::string_view text, std::string_view key,
                                                    std::string_view value);
