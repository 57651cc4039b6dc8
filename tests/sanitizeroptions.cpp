// Test executables run without leak reports: the module keeps its class factory, pool and lock
// until the process ends, by design.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}
