#include "tests/document/OlderSettingsFile.h"

#include "platform/ArchiveWriter.h"
#include "platform/ColorRef.h"

#include <string>

namespace kiv::test {

// The older layout, item by item, with every value telling where it came from.
QByteArray olderFile(bool show2D, bool model, const std::vector<ElementLines>& given)
{
    const std::vector<ElementLines> satellites =
        given.empty() ? std::vector<ElementLines>{{"A", "1 A", "2 A"}, {"B", "1 B", "2 B"}} : given;
    ArchiveWriter w;
    w.writeInt32(show2D ? 1 : 0);
    w.writeString("map2d.bmp");
    w.writeInt32(2);     // FootprintStyle
    w.writeInt32(3);     // PenWidth
    w.writeDouble(2.5);  // RouteLengthFactor
    w.writeInt32(44);    // NrOfPoints
    w.writeInt32(0);     // overwritten at once
    w.writeInt32(1);     // DisplayAll
    w.writeString("old.tle");
    w.writeString("old.clr");
    w.writeString("texture.bmp");
    w.writeInt32(0);     // ShadeMode
    w.writeInt32(1);     // TextureInterpolation
    w.writeFloat(0.25f); // TextureDeltaErde
    for (int v : {1, 1, 0, 1, 50, 7, 900})
        w.writeInt32(v); // ShowCenterCross .. Sterne
    w.writeFloat(12.0f);
    w.writeFloat(-34.0f);
    for (int v : {0, 1, 1, model ? 4 : 2, 2})
        w.writeInt32(v); // ShowCourse3D .. BeamDrawStyle
    w.writeFloat(0.5f);
    w.writeUInt32(0x80000000u); // SimTime
    w.writeInt32(60);           // TimeFactor
    w.writeInt32(static_cast<int>(satellites.size())); // n
    for (int i = 0; i < 8; ++i)
        w.writeInt32(i % 3 == 0 ? 2 : 1); // MouseMove, Normal
    for (const ElementLines& sat : satellites) {
        w.writeString(sat.name);
        w.writeString(sat.line1);
        w.writeString(sat.line2);
    }
    for (int i = 0; i < static_cast<int>(satellites.size()); ++i) {
        w.writeUInt32(rgb(1, i, 0));
        w.writeUInt32(rgb(2, i, 0));
        w.writeUInt32(rgb(0, i, 0));
        w.writeInt32(i);
    }
    w.writeInt32(2);                    // CameraPos
    w.writeInt32(0);                    // lighting
    w.writeInt32(1);                    // texturing
    w.writeInt32(0);                    // AnimationRunning
    for (int i = 0; i < 4; ++i)
        w.writeUInt32(123456u);         // ticks and the unused int
    if (show2D)
        for (int v : {32, 32, 1, 0})
            w.writeInt32(v);
    w.writeRect({0, 0, 800, 600});
    w.writeRect({10, 10, 400, 300});
    if (show2D)
        w.writeRect({400, 10, 800, 300});
    for (int i = 0; i < 32; ++i)
        w.writeFloat(static_cast<float>(i));
    w.writeFloat(30.0f); // BeamAngle
    w.writeInt32(1);     // CalculateExact
    if (model) {
        w.writeTextLine("StartModel");
        w.writeTextLine("gluSolidSphere {2}");
        w.writeTextLine("EndModel");
    }
    return w.bytes();
}

} // namespace kiv::test
