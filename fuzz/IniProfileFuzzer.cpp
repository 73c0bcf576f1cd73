// The profile reader on arbitrary bytes: reading, typed look-ups and writes must neither crash
// nor change lines they do not touch, and a profile written out must read back the same.
#include "platform/IniProfile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    kiv::IniProfile profile;
    profile.parse(bytes);
    if (profile.toBytes() != bytes)
        std::abort();
    const QString section = QStringLiteral("Allgemein");
    profile.GetProfileFloat(section, QStringLiteral("RouteLengthFactor"), 1.0f);
    profile.GetProfileInt(section, QStringLiteral("NrOfPoints"), 35);
    profile.GetProfileBool(section, QStringLiteral("Show3D"), 1);
    profile.GetProfileString(QStringLiteral("Datei"), QStringLiteral("IconFileName"), QStringLiteral("kiv.sin"));
    profile.WriteProfileInt(section, QStringLiteral("NrOfPoints"), 50);
    profile.WriteProfileFloat(QStringLiteral("Weltkarte"), QStringLiteral("BeamAngle"), 20.0f);
    const QByteArray written = profile.toBytes();
    kiv::IniProfile again;
    again.parse(written);
    if (again.toBytes() != written || again.GetProfileInt(section, QStringLiteral("NrOfPoints"), 0) != 50)
        std::abort();
    return 0;
}
