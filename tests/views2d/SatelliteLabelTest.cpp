// The label lines and the box they sit in.
#include "views2d/SatelliteLabel.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

std::string lat(double v)
{
    std::string s;
    latitudeLine(v, s);
    return s;
}
std::string lon(double v, char east = 'E')
{
    std::string s;
    longitudeLine(v, east, s);
    return s;
}
std::string alt(double v)
{
    std::string s;
    altitudeLine(v, s);
    return s;
}

TEST(SatelliteLabel, LatitudeLines)
{
    EXPECT_EQ(lat(0), "Lat : 0.00\xB0 N");
    EXPECT_EQ(lat(-12.5), "Lat : 12.50\xB0 S");
    EXPECT_EQ(lat(89.999), "Lat : 90.00\xB0 N");
}

TEST(SatelliteLabel, LongitudeLinesEastUpTo180ThenWest)
{
    EXPECT_EQ(lon(180), "Lon : 180.00\xB0 E");
    EXPECT_EQ(lon(180, 'O'), "Lon : 180.00\xB0 O");
    EXPECT_EQ(lon(200), "Lon : 160.00\xB0 W");
    EXPECT_EQ(lon(359.5), "Lon : 0.50\xB0 W");
}

TEST(SatelliteLabel, AltitudeInKmBelowTenThousand)
{
    EXPECT_EQ(alt(9.999), "Alt : 9999.00 km");
    EXPECT_EQ(alt(10.0), "Alt : 10.000 Tkm");
    EXPECT_EQ(alt(35.786), "Alt : 35.786 Tkm");
}

TEST(SatelliteLabel, BoxSitsCentredAboveTheIcon)
{
    const LabelMetrics m{12, 6};
    // "ISS" with names: (3 + 2) x 8 = 40 wide, two lines.
    EXPECT_EQ(labelRect(3, {true, false}, m), (PixelRect{-20, -40, 20, -16}));
    // Positions need at least 19 characters; five lines.
    EXPECT_EQ(labelRect(3, {true, true}, m), (PixelRect{-57, -76, 57, -16}));
    // A long name is wider than the minimum.
    EXPECT_EQ(labelRect(20, {false, true}, m), (PixelRect{-88, -64, 88, -16}));
}

TEST(SatelliteLabel, PlacedWhollyOnThePicture)
{
    const PixelRect box{-57, -86, 57, -16}; // 114 x 70
    const QSize picture(720, 360);
    const struct {
        QPoint centre;
        PixelRect expected;
    } cases[] = {
        {{360, 180}, {303, 94, 417, 164}},  // room everywhere: above, centred
        {{700, 180}, {606, 94, 720, 164}},  // right edge: moved left
        {{10, 180}, {0, 94, 114, 164}},     // left edge: moved right
        {{360, 50}, {303, 66, 417, 136}},   // top edge: below the icon
        {{715, 20}, {606, 36, 720, 106}},   // top-right corner
        {{360, 359}, {303, 273, 417, 343}}, // bottom: above as ever
    };
    for (const auto& c : cases)
        EXPECT_EQ(placeLabel(box, c.centre, picture), c.expected) << c.centre.x() << "," << c.centre.y();
    // Below the icon and still too low (a flat picture): pushed up, never above the top.
    EXPECT_EQ(placeLabel(box, {360, 30}, QSize(720, 80)), (PixelRect{303, 10, 417, 80}));
    EXPECT_EQ(placeLabel(box, {50, 30}, QSize(100, 40)), (PixelRect{0, 0, 114, 70}));
}

} // namespace
} // namespace kiv
