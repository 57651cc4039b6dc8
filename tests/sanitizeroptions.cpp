// Test executables run with leak detection on. What Qt and the system libraries keep until the process
// ends on purpose is listed, with the reason for each entry, in tests/lsan.supp; the test programs name
// that file themselves, so a test program run by hand uses it too.
extern "C" const char* __lsan_default_options() {
    return "suppressions=" MELVORO_SOURCE_DIR "/tests/lsan.supp:print_suppressions=0:fast_unwind_on_malloc=0";
}
