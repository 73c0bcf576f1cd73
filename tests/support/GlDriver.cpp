#include "tests/support/GlDriver.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>

namespace kiv::test {

void keepGlDriverLoaded()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void*) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

} // namespace kiv::test

// The driver's, and the session bus connection that Qt's display platform keeps to the end.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:_dri.so\nleak:libLLVM\nleak:libGLX_mesa\nleak:libglapi\nleak:libdbus-1\n";
}
