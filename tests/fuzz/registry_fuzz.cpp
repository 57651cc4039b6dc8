// The registry file on any bytes: the text parser for any key and value, and the file reader, which
// must answer exactly what the parser finds in the bytes it was given.

#include "fuzzinput.h"
#include "platform/registry.h"
#include "platform/registrytext.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

std::string g_folder;
std::string g_file;

void removeFile() {
    ::unlink(g_file.c_str());
    ::rmdir(g_folder.c_str());
}

bool writeFile(const std::string& bytes) {
    const int fd = ::open(g_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    ::close(fd);
    return written;
}

// A name from the input, or one of the names the files of the corpus use.
std::string nameFrom(FuzzInput& in, const char* usual) {
    if (in.byte() % 4 != 0)
        return usual;
    std::string name = in.bytes();
    name.resize(std::strlen(name.c_str())); // a C string ends at its first zero
    return name;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/melvoro-registry-fuzz-XXXXXX";
    if (!::mkdtemp(folder))
        return 1;
    g_folder = folder;
    g_file = g_folder + "/registry.ini";
    ::setenv("MELVORO_REGISTRY_FILE", g_file.c_str(), 1);
    std::atexit(removeFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const std::string key = nameFrom(in, "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager");
    const std::string value = nameFrom(in, "ThemeActive");
    const uint32_t capacity = in.byte() % 8;
    const std::string text = in.rest();

    const std::optional<std::string> parsed = velRegistryValueFromText(text, key, value);
    if (!writeFile(text))
        return 0;
    char buffer[8];
    std::memset(buffer, 0x7f, sizeof buffer);
    uint32_t length = capacity;
    const bool read =
        velReadRegistryValue(VelRegistryHive::CurrentUser, key.c_str(), value.c_str(), buffer, &length);
    if (!parsed) {
        FUZZ_CHECK(!read);
        return 0;
    }
    FUZZ_CHECK(length == parsed->size());
    FUZZ_CHECK(read == (parsed->size() <= capacity));
    if (read)
        FUZZ_CHECK(std::memcmp(buffer, parsed->data(), parsed->size()) == 0);
    else
        FUZZ_CHECK(buffer[0] == 0x7f);
    uint32_t asked = 0;
    FUZZ_CHECK(
        velReadRegistryValue(VelRegistryHive::CurrentUser, key.c_str(), value.c_str(), nullptr, &asked));
    FUZZ_CHECK(asked == parsed->size());
    return 0;
}
