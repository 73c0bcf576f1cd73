// libFuzzer target: the picture decoder (Qt's readers behind the whitelist), and for metafiles
// the conversion that the helper program runs in its child, here in the fuzzer's own process,
// under its memory limit (-malloc_limit_mb=512, as the child's address space).
#include "imaging/CPictureFile.h"
#include "imaging/Metafile.h"
#include "imaging/MetafileCheck.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

// Metafiles may draw text, which needs the application's fonts.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    if (kiv::metafileCheck::recognises(bytes))
        kiv::Metafile::render(bytes);
    else
        kiv::CPictureFile::decode(bytes, size % 2 ? kiv::Route::Display : kiv::Route::Stored);
    return 0;
}

// libemf2svg keeps a few bytes of every conversion, and fontconfig its configuration from the first
// text on; both are the libraries', not faults of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libemf2svg\nleak:libfontconfig\n";
}
