// Consulted only in builds with the leak checker: the Inventor library keeps
// a few blocks of its type system until the process ends.
extern "C" const char *__lsan_default_suppressions() { return "leak:libCoin.so\n"; }
extern "C" const char *__lsan_default_options() { return "print_suppressions=0"; }
