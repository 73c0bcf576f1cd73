// libemf2svg keeps a few bytes of every conversion; that is the library's, not a fault of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libemf2svg\n";
}
