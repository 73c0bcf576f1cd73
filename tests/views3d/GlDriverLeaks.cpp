// The GL driver (Mesa and its LLVM) keeps allocations until the process ends; they are not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:_dri.so\nleak:libLLVM\nleak:libGLX_mesa\nleak:libglapi\n";
}
