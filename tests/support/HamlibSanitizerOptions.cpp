// Under the sanitizers, the system's Hamlib (built without them) keeps a few
// allocations of its own until the process ends; none of it is this
// program's, so this test executable leaves those reports out.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libhamlib.so\n";
}
#endif
