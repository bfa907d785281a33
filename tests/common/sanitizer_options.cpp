// Defaults for the sanitizers in every test program: allocation failures
// must reach our own error paths (impossible sizes are tested), not abort.
extern "C" const char *__asan_default_options() {
    return "allocator_may_return_null=1:detect_leaks=1";
}

// The Inventor library keeps a few blocks of its own type system alive until
// the process ends; they are not ours to free.
extern "C" const char *__lsan_default_suppressions() { return "leak:libCoin.so\n"; }
extern "C" const char *__lsan_default_options() { return "print_suppressions=0"; }
