// The readers' tests run under the same allocation limit as the replay of the fuzz corpus: a
// small crafted file that makes a reader ask for more fails the test instead of passing.
extern "C" const char* __asan_default_options()
{
    return "max_allocation_size_mb=256";
}

// libemf2svg keeps a few bytes of every conversion; that is the library's, not a fault of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libemf2svg\n";
}
