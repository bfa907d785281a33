// Defaults for the sanitizers in every test program: allocation failures
// must reach our own error paths (impossible sizes are tested), not abort.
extern "C" const char *__asan_default_options() {
    return "allocator_may_return_null=1:detect_leaks=1";
}
