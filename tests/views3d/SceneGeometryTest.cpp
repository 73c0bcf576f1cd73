// The scene's shapes as numbers: the earth sphere, circles, the cube, stars, the flare, the
// beams, and the texture's fitting.
#include "views3d/BeamPlan.h"
#include "views3d/EarthTexture.h"
#include "views3d/FrameRate.h"
#include "views3d/SceneFrame.h"
#include "views3d/SceneGeometry.h"
#include "views3d/StarField.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace kiv;

TEST(SceneGeometry, TexturedSphereFoldsItsOffsetAndWindsOutward)
{
    const Detail detail{16, 8};
    const auto reference = texturedSphere(kEarthRadius, detail, 270.0);
    for (const double offset : {-90.0, 630.0}) {
        const auto other = texturedSphere(kEarthRadius, detail, offset);
        for (std::size_t i = 0; i < reference.size(); ++i)
            for (std::size_t k = 0; k < reference[i].size(); ++k)
                EXPECT_LT(length(reference[i][k].position - other[i][k].position), 1e-9);
    }
    EXPECT_LT(length(texturedSphere(kEarthRadius, detail, 360.0)[3][5].position -
                     texturedSphere(kEarthRadius, detail, 0.0)[3][5].position),
              1e-9);
    const auto sphere = texturedSphere(kEarthRadius, detail, 90.0);
    ASSERT_EQ(sphere.size(), 16u);
    for (const auto& strip : sphere) {
        ASSERT_EQ(strip.size(), 18u);
        for (const SphereVertex& v : strip)
            EXPECT_NEAR(length(v.position), kEarthRadius, 1e-9);
        // The first triangle of each strip below the pole: counter-clockwise seen from outside.
        const Vec3 a = strip[2].position, b = strip[3].position, c = strip[4].position;
        EXPECT_GT(dot(cross(b - a, c - a), a), 0.0);
    }
    EXPECT_FLOAT_EQ(sphere[5][3].s, 1.0f - 6.0f / 16.0f);
    EXPECT_FLOAT_EQ(sphere[5][3].t, 1.0f - 1.0f / 8.0f);
    // With offset 90 and no turn, texture column 0.75 (longitude +90) faces -x, where longitude
    // +90 lies in the scene.
    const SphereVertex& east = sphere[4][8]; // k = 4 of 16, the equator's row
    EXPECT_FLOAT_EQ(east.s, 0.75f);
    EXPECT_LT(length(normalized(east.position) - geographicToScene(0.0, 90.0, 1.0, 0.0)), 1e-9);
}

TEST(SceneGeometry, CirclesAndTheCube)
{
    const auto circle = circlePoints(2.0, 4);
    ASSERT_EQ(circle.size(), 4u);
    EXPECT_NEAR(circle[1].y, 2.0, 1e-12);
    EXPECT_NEAR(circle[2].x, -2.0, 1e-12);
    EXPECT_TRUE(circlePoints(1.0, 0).empty());
    const CubeVertices cube = cubeVertices(1.0);
    EXPECT_EQ(cube.sides.front().x, -0.5);
    EXPECT_EQ(cube.sides[4].z, 0.5);
    EXPECT_EQ(cube.caps[7].y, -0.5);
    EXPECT_EQ(Detail::of(1, 0).slices, 3);
    EXPECT_EQ(Detail::of(1, 0).stacks, 2);
}

TEST(SceneGeometry, StarsLieOnTheirSphereTheSameEveryTime)
{
    const auto stars = starField(24000);
    ASSERT_EQ(stars.size(), 24000u);
    int behind = 0;
    for (const Vec3& s : stars) {
        ASSERT_NEAR(length(s), kStarSphereRadius, 0.5);
        behind += s.z < 0.0;
    }
    EXPECT_NEAR(behind / 24000.0, 11.0 / 24.0, 0.02);
    EXPECT_EQ(starField(10)[7].x, stars[7].x);
    EXPECT_NE(starField(10, 99)[7].x, stars[7].x);
    EXPECT_TRUE(starField(0).empty());
    EXPECT_TRUE(starField(-3).empty());
    Lcg15 lcg(0);
    EXPECT_EQ(lcg.next(), 38);
    EXPECT_EQ(lcg.next(), 7719);
}

TEST(SceneGeometry, FlareScalesByTheTighterSideAndHidesBehindTheEarth)
{
    EXPECT_TRUE(segmentMeetsSphere({0, 0, 140}, {0, 1000, -149600}, kEarthRadius));
    EXPECT_FALSE(segmentMeetsSphere({0, 0, 140}, {0, 30000, -149600}, kEarthRadius));
    EXPECT_FALSE(segmentMeetsSphere({0, 0, -140}, {0, 0, -149600}, kEarthRadius));
    EXPECT_FALSE(segmentMeetsSphere({10, 0, 0}, {10, 0, 0}, kEarthRadius));
    EXPECT_DOUBLE_EQ(flareScale(1024, 768), 33.0);
    EXPECT_DOUBLE_EQ(flareScale(2048, 768), 33.0);
    EXPECT_DOUBLE_EQ(flareScale(512, 768), 16.5);
    EXPECT_DOUBLE_EQ(flareScale(800, 300), 12.890625);
}

TEST(BeamPlan, StylesDecideConeLineAndCircle)
{
    const BeamPlan cone = beamPlan(2, true, 35.786, 5.0, 1.5);
    EXPECT_EQ(cone.style, BeamStyle::Cone);
    EXPECT_FALSE(cone.circle);
    EXPECT_NEAR(cone.coneHeight, kEarthRadius - 1.5 + 35.786, 1e-12);
    const BeamPlan none = beamPlan(0, true, 0.4, 0.07, 6.3);
    EXPECT_EQ(none.style, BeamStyle::None);
    EXPECT_TRUE(none.circle);
    EXPECT_EQ(none.circleDistance, 6.3);
    const BeamPlan line = beamPlan(1, false, 0.4, 0.07, 6.3);
    EXPECT_NEAR(line.satelliteDistance, 0.4 + kEarthRadius, 1e-12);
    EXPECT_FALSE(line.circle);
    EXPECT_TRUE(beamPlan(3, true, 1, 1, 1).circle);
    EXPECT_EQ(beamPlan(7, false, 1, 1, 1).style, BeamStyle::None);
}

TEST(FrameRate, RateWithAWinkingFace)
{
    FrameRate rate;
    EXPECT_EQ(rate.text(10, 500), QStringLiteral("20.00 Frames per second :-><"));
    EXPECT_EQ(rate.text(10, 500), QStringLiteral("20.00 Frames per second :-<>"));
    EXPECT_EQ(rate.text(3, 0), QStringLiteral("0.00 Frames per second :-><"));
}

// The strips of a texture put together as GL receives them: row 0 at the bottom.
QImage uploaded(const QImage& picture, QSize size)
{
    QImage texture(size, QImage::Format_RGB888);
    texture.fill(Qt::magenta);
    int nextRow = 0;
    textureStrips(picture, size, [&](int firstRow, const QImage& rows) {
        EXPECT_EQ(firstRow, nextRow) << "strips run from the bottom up without gaps";
        EXPECT_EQ(rows.format(), QImage::Format_RGB888);
        for (int y = 0; y < rows.height(); ++y)
            std::memcpy(texture.scanLine(firstRow + y), rows.constScanLine(y), size_t(rows.width()) * 3);
        nextRow = firstRow + rows.height();
        return true;
    });
    EXPECT_EQ(nextRow, size.height());
    return texture;
}

TEST(EarthTexture, FitsToPowersOfTwo)
{
    struct Case {
        int w, h, fittedW, fittedH;
        bool resized;
    };
    for (const Case c : {Case{512, 256, 512, 256, false}, Case{1000, 500, 512, 256, true},
                         Case{1023, 511, 1024, 512, true}, Case{511, 255, 512, 256, true}}) {
        const FittedTexture fitted = fitTextureSize(QSize(c.w, c.h), 8192);
        EXPECT_EQ(fitted.size, QSize(c.fittedW, c.fittedH));
        EXPECT_EQ(fitted.resized, c.resized);
    }
    EXPECT_EQ(fitTextureSize(QSize(4096, 2048), 1024).size, QSize(1024, 1024));
    EXPECT_TRUE(fitTextureSize(QSize(), 1024).size.isEmpty());
    EXPECT_TRUE(textureSizeWarning(512, 256, true).contains(QStringLiteral("512 * 256")));
    QImage indexed(512, 256, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3)});
    indexed.fill(0);
    EXPECT_EQ(uploaded(indexed, indexed.size()).pixel(5, 5), qRgb(1, 2, 3));
}

TEST(EarthTexture, TheNorthPoleGoesToGlLastInEveryStripAndScale)
{
    // Tall enough for several strips at the widths below; the top row white, the bottom row blue.
    for (const QSize source : {QSize(512, 4096), QSize(1000, 3000), QSize(2048, 2048)}) {
        QImage picture(source, QImage::Format_RGB32);
        picture.fill(qRgb(200, 0, 0));
        for (int x = 0; x < source.width(); ++x) {
            picture.setPixel(x, 0, qRgb(255, 255, 255));
            picture.setPixel(x, source.height() - 1, qRgb(0, 0, 255));
        }
        const QSize size = fitTextureSize(source, 1024).size;
        const QImage texture = uploaded(picture, size);
        // A texel averages the rows it covers: the edge row has 1/scale of the outermost texels.
        const double share = double(size.height()) / source.height();
        EXPECT_EQ(qRed(texture.pixel(7, size.height() - 1)), std::lround(255 * share + 200 * (1 - share)))
            << source.width();
        EXPECT_EQ(qBlue(texture.pixel(7, 0)), std::lround(255 * share)) << source.width();
        EXPECT_EQ(texture.pixel(7, size.height() / 2), qRgb(200, 0, 0)) << source.width();
    }
}
