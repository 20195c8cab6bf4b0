// Under the sanitizers, system libraries built without them keep a few
// allocations of their own until the process ends: Hamlib, and libdbus behind
// Qt's X11 platform. None of it is this program's, so every test executable
// leaves those reports out.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libhamlib.so\n"
           "leak:libdbus-1.so\n";
}
#endif
