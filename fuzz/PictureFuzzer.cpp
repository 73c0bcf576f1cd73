// libFuzzer target: the picture decoder (Qt's readers behind the whitelist, and the metafiles).
#include "imaging/CPictureFile.h"

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
    kiv::CPictureFile::decode(bytes, size % 2 ? kiv::Route::Display : kiv::Route::Stored);
    return 0;
}

// libemf2svg keeps a few bytes of every conversion; that is the library's, not a fault of ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libemf2svg\n";
}
