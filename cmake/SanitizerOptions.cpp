// Runtime options built into every sanitized executable, so that no run depends on who starts it.
//
// intercept_tls_get_addr=0: Clang 14's runtime guesses the bounds of a thread-local block that a
// loaded library (Mesa's driver, for one) gets from malloc by reading the 16 bytes before it
// whenever its address lies 16 bytes past a page boundary; on this glibc those bytes are the
// allocator's chunk header, and the leak check at exit then scans a made-up range and dies
// ("Tracer caught signal 11"). Without the interception those blocks are ordinary heap blocks
// reached from the thread's vector of blocks, so the leak check still sees what they hold.
extern "C" const char* __asan_default_options();
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
