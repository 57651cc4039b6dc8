// The memory tests' host, heap hooks and file helpers.

#include "memorytesthost.h"

#include "runtime/hostcontext.h"

#if !defined(MELVORO_RUNTIME_ONLY)
#include "host/dirservice.h"
#include "host/errorservice.h"
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#if defined(MELVORO_RUNTIME_ONLY)
MemoryTestHost& memoryTestHost() {
    static MemoryTestHost* host = [] {
        auto* h = new MemoryTestHost;
        velSetHostContext(&h->context);
        return h;
    }();
    velSetHostContext(&host->context);
    return *host;
}
#else
MemoryTestHost& memoryTestHost() {
    static MemoryTestHost* host = [] {
        auto* h = new MemoryTestHost;
        velSetHostContext(&h->context);
        h->manager = new VelHostMemoryManager(0);
        h->context.offer<VelMM::IVelMManager>(h->manager);
        h->directories = new VelHostDirService;
        // Shared by every test process, so it is made but never emptied here.
        const std::string temp = std::string(MELVORO_BINARY_DIR) + "/memory-tests";
        std::error_code error;
        std::filesystem::create_directory(temp, error);
        h->directories->setDirectory("temp", qstring(temp));
        h->context.offer<IVelDirService>(h->directories);
        return h;
    }();
    velSetHostContext(&host->context);
    return *host;
}

NoLeakCheckInChildren::NoLeakCheckInChildren() {
    const char* previous = std::getenv("ASAN_OPTIONS");
    m_hadPrevious = previous != nullptr;
    if (previous)
        m_previous = previous;
    const std::string options = m_previous.empty() ? "detect_leaks=0" : m_previous + ":detect_leaks=0";
    setenv("ASAN_OPTIONS", options.c_str(), 1);
}

NoLeakCheckInChildren::~NoLeakCheckInChildren() {
    if (m_hadPrevious)
        setenv("ASAN_OPTIONS", m_previous.c_str(), 1);
    else
        unsetenv("ASAN_OPTIONS");
}

MemoryTestHost& resetMemoryTestHost() {
    MemoryTestHost& host = memoryTestHost();
    host.manager->setReserve(0);
    host.manager->resetAsks();
    return host;
}
#endif

// ---- HeapFaults ----

namespace {

HeapFaults* g_faults = nullptr;

void* faultyMalloc(std::size_t bytes) {
    HeapFaults* f = g_faults;
    f->mallocs.push_back(bytes);
    const bool fail = f->failMalloc && f->failMalloc(bytes);
    if (f->onMalloc)
        f->onMalloc(bytes);
    void* block = fail ? nullptr : std::malloc(bytes);
    f->mallocResults.push_back(block);
    return block;
}

void* faultyRealloc(void* block, std::size_t bytes) {
    HeapFaults* f = g_faults;
    f->reallocs.push_back(bytes);
    if (f->failRealloc && f->failRealloc(bytes))
        return nullptr;
    return std::realloc(block, bytes);
}

void faultyFree(void* block) {
    g_faults->frees.push_back(block);
    std::free(block);
}

} // namespace

HeapFaults::HeapFaults() {
    g_faults = this;
    const VelHeapFunctions hooks{&faultyMalloc, &faultyRealloc, &faultyFree};
    m_previous = velSetHeapFunctions(&hooks);
}

HeapFaults::~HeapFaults() {
    velSetHeapFunctions(&m_previous);
    g_faults = nullptr;
}

#if !defined(MELVORO_RUNTIME_ONLY)
VelHostErrorService* makeEchoingErrorService(std::function<std::string()> status) {
    auto* service = new VelHostErrorService;
    service->setListener([status](const VelHostErrorService::Report& report) {
        const std::string extra = status ? status() : std::string();
        std::fprintf(stderr, "report level=%d context=[%s] %s\n%s\n", int(report.level),
                     report.context.toStdString().c_str(), extra.c_str(),
                     report.message.toStdString().c_str());
        std::fflush(stderr);
    });
    return service;
}
#endif

// ---- files ----

std::vector<std::string> directoryEntries(const std::string& path) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(path, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    return names;
}

std::string scratchDirectory(const std::string& name) {
    const std::string root = std::string(MELVORO_BINARY_DIR) + "/memory-tests";
    const std::string path = root + "/" + name;
    std::error_code error;
    std::filesystem::create_directories(path, error);
    for (const std::string& entry : directoryEntries(path))
        std::filesystem::remove(path + "/" + entry, error);
    return path;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

void writeFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
}

#if !defined(MELVORO_RUNTIME_ONLY)
std::string utf8(const PooledString& text) {
    return text.toQString().toStdString();
}

QString qstring(const std::string& text) {
    return QString::fromStdString(text);
}
#endif
