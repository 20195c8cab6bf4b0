// Under the sanitizers, the system's browser engine (built without them) and
// the libraries it drives keep memory until the process ends, and the engine
// frees some objects through a base of another size; none of it is this
// program's, so the browser program leaves those reports out.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libQt6WebEngineCore.so\n"
           "leak:libfontconfig.so\n"
           "leak:libudev.so\n";
}

extern "C" const char* __asan_default_options() {
    return "new_delete_type_mismatch=0";
}
#endif
