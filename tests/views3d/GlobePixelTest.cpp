// The globe drawn off-screen at a fixed size, checked pixel by pixel with coarse tolerances.
#include "imaging/PictureLoader.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/OffscreenGl.h"
#include "views3d/GlobeLists.h"
#include "views3d/GlobeRenderer.h"

#include <GL/gl.h>

using namespace kiv::test;
using namespace kiv;

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;

// An equirectangular picture whose quarters of longitude have their own colours, with a white
// cap north of 60 degrees.
QImage quarterTexture()
{
    QImage image(512, 256, QImage::Format_RGB32);
    const QRgb quarters[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, y < image.height() / 6 ? qRgb(255, 255, 255) : quarters[x / 128]);
    return image;
}

bool near(QRgb pixel, QRgb expected, int tolerance = 8)
{
    return std::abs(qRed(pixel) - qRed(expected)) <= tolerance && std::abs(qGreen(pixel) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(pixel) - qBlue(expected)) <= tolerance;
}

int brightness(QRgb p) { return qRed(p) + qGreen(p) + qBlue(p); }

class GlobePixelTest : public DocumentTest {
protected:
    GlobePixelTest() : gl_(kWidth, kHeight) { pictures_ = &loader_; }

    // A document with the given satellites, drawn plainly: no stars, flare, cross or beams.
    CKivDoc& scene(const std::string& satellites = {})
    {
        writeFile("sats.tle", satellites);
        CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\nSterne=0\nNrOfOcularReflections=0\n"
                                    "ShowCenterCross=FALSE\nBeamDrawStyle=0\nFootprint3D=FALSE\n");
        for (int i = 0; i < doc.SatelliteCount; ++i)
            doc.SatInfo[i].shown = 1;
        doc.Normal = tagQUALITY{1, 0, 1, 0};
        return doc;
    }

    // A null texture: the document's texture file through the picture loader.
    GlobeRenderer& renderer(CKivDoc& doc, QImage texture = quarterTexture())
    {
        EXPECT_TRUE(gl_.valid()) << gl_.error().toStdString();
        renderer_ = texture.isNull()
                        ? std::make_unique<GlobeRenderer>(doc)
                        : std::make_unique<GlobeRenderer>(doc, [texture](const QString&) { return texture; });
        renderer_->initialize(kWidth, kHeight);
        return *renderer_;
    }

    // Top-down image coordinates of a window point (GL counts from the bottom).
    QRgb pixel(const QImage& image, WindowPoint p) { return image.pixel(p.x, kHeight - 1 - p.y); }

    void TearDown() override
    {
        if (renderer_)
            renderer_->release();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    OffscreenGl gl_;
    PictureLoader loader_{paths_, services_};
    std::unique_ptr<GlobeRenderer> renderer_;
};

} // namespace

TEST_F(GlobePixelTest, SetUpLeavesTheStateAndEveryList)
{
    writeFile("sats.tle", lowSatellites(3));
    CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\n[Texture]\nTextureErdeFileName=none.bmp\n");
    const std::size_t messages = ui_.messages.shown().size();
    renderer(doc, QImage()); // no such file: the standard texture, without a word
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint value = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    for (unsigned list = lists::kCross; list <= lists::kFlareRing; ++list)
        EXPECT_EQ(glIsList(list), list != lists::kFlareRing - 1) << list;
    for (unsigned i = 0; i < 3; ++i) {
        EXPECT_TRUE(glIsList(lists::kOrbits + i));
        EXPECT_TRUE(glIsList(lists::kBeams + i));
    }
    glBindTexture(GL_TEXTURE_2D, renderer_->texture());
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &value);
    EXPECT_EQ(value, 512);
    EXPECT_EQ(ui_.messages.shown().size(), messages);
    // The quality's filter applies to the bound texture at once.
    renderer_->setQuality({2, 0, 1, 1});
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_FLAT);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    renderer_->renderScene();
    // A new satellite table drops the old lists and builds the new ones.
    renderer_->freeOrbitBuffers();
    EXPECT_FALSE(glIsList(lists::kOrbits + 2));
    renderer_->buildOrbitLists();
    EXPECT_TRUE(glIsList(lists::kBeams + 2));
    // A context that goes and comes again (the window moved) gets everything back.
    renderer_->release();
    EXPECT_FALSE(glIsList(lists::kBeams));
    EXPECT_FALSE(glIsList(lists::kEarth));
    renderer_->initialize(kWidth, kHeight);
    EXPECT_TRUE(glIsList(lists::kBeams + 2));
    EXPECT_TRUE(glIsList(lists::kStars));
}

TEST_F(GlobePixelTest, TextureFacesTheCameraTheRightWayUp)
{
    CKivDoc& doc = scene();
    renderer(doc).lookAt(0.0, 0.0, 140.0); // 12:00 UT: Greenwich in the middle
    renderer_->renderScene();
    const QImage image = gl_.grab();
    const WindowPoint centre{kWidth / 2, kHeight / 2};
    EXPECT_TRUE(near(pixel(image, {centre.x + 12, centre.y}), qRgb(0, 0, 255))) << "east of Greenwich on the right";
    EXPECT_TRUE(near(pixel(image, {centre.x - 12, centre.y}), qRgb(0, 255, 0)));
    EXPECT_TRUE(near(pixel(image, {centre.x, centre.y + 36}), qRgb(255, 255, 255))) << "north at the top";
    EXPECT_TRUE(near(pixel(image, {5, 5}), qRgb(0, 0, 0)));
}

TEST_F(GlobePixelTest, SunLitSideFacesTheSun)
{
    CKivDoc& doc = scene();
    doc.Normal = tagQUALITY{1, 1, 0, 0};
    // 18:00 UT: the camera over Greenwich looks along +x; the sun (-z) is on the left.
    doc.SetSimTime(kiv::Time::fromUtc({2024, 4, 10, 18, 0, 0}));
    renderer(doc).lookAt(0.0, 0.0, 140.0);
    renderer_->renderScene();
    const QImage image = gl_.grab();
    const int lit = brightness(pixel(image, {kWidth / 2 - 30, kHeight / 2}));
    const int dark = brightness(pixel(image, {kWidth / 2 + 30, kHeight / 2}));
    EXPECT_GT(lit, dark + 200);
}

TEST_F(GlobePixelTest, BodySitsOnItsOrbitLineAndTheFollowCameraCentresIt)
{
    kiv::test::Elements geo;
    geo.meanMotion = 1.0027;
    geo.inclinationDeg = 0.05;
    geo.meanAnomalyDeg = 200.0;
    CKivDoc& doc = scene(tleText(makeTle("GEO", geo)));
    float(&colors)[3][4] = doc.SatInfo[0].glColor;
    colors[0][0] = 0.0f, colors[0][1] = 1.0f, colors[0][2] = 0.0f;
    colors[2][0] = 1.0f, colors[2][1] = 0.0f, colors[2][2] = 0.0f;
    doc.SatelliteDrawStyle = 2;
    doc.AccuracyX = 200; // a ring fine enough to pass within a tenth of a pixel of the body
    renderer(doc).followFrom(doc.FollowedPos);
    renderer_->renderScene();
    const WindowPoint centre{kWidth / 2, kHeight / 2};
    EXPECT_TRUE(near(pixel(gl_.grab(), centre), qRgb(255, 0, 0)));
    // Without the body, the orbit's line runs through the same spot.
    doc.SatelliteDrawStyle = 0;
    renderer_->buildSatelliteModelList();
    renderer_->renderScene();
    const QImage image = gl_.grab();
    int green = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            green += near(pixel(image, {centre.x + dx, centre.y + dy}), qRgb(0, 255, 0), 40);
    EXPECT_GT(green, 0);
}

TEST_F(GlobePixelTest, ModelShowsWhereTheBodyIsAndComesBackFromTheArchive)
{
    writeFile("model.dat", "StartModel\nglColor3f {1, 0, 1}\ngluSolidCube {3}\nEndModel\n");
    kiv::test::Elements geo;
    geo.meanMotion = 1.0027;
    CKivDoc& doc = scene(tleText(makeTle("GEO", geo)));
    doc.SatelliteModelFileName = QString::fromStdString(path("model.dat"));
    doc.SatelliteDrawStyle = 4;
    doc.ShowCourse3D = 0;
    renderer(doc);
    const tagSATINFO& info = doc.SatInfo[0];
    // Look at the satellite from above it, from twice its distance: the model file's colour.
    renderer_->lookAt(info.lat, -info.lon, 2.0 * (info.alt + kEarthRadius));
    renderer_->renderScene();
    EXPECT_TRUE(near(pixel(gl_.grab(), {kWidth / 2, kHeight / 2}), qRgb(255, 0, 255)));
    const GlobeArchiveState saved = renderer_->archiveState();
    EXPECT_EQ(saved.lighting, 0); // the normal quality of the scene
    EXPECT_EQ(saved.texturing, 1);

    // Elsewhere, then back from the archive, whose model is a yellow cube.
    renderer_->lookAt(0.0, info.lon + 90.0, 60.0);
    renderer_->restoreArchiveState(saved, std::vector<std::string>{"glColor3f {1, 1, 0}", "gluSolidCube {3}"});
    EXPECT_EQ(renderer_->archiveState(), saved);
    renderer_->renderScene();
    EXPECT_TRUE(near(pixel(gl_.grab(), {kWidth / 2, kHeight / 2}), qRgb(255, 255, 0)));

    // Without a block from an archive, the model file's model again.
    renderer_->restoreArchiveState(saved, std::nullopt);
    renderer_->renderScene();
    EXPECT_TRUE(near(pixel(gl_.grab(), {kWidth / 2, kHeight / 2}), qRgb(255, 0, 255)));
}

TEST_F(GlobePixelTest, SunAndItsLensFlare)
{
    CKivDoc& doc = scene();
    renderer(doc);
    // The sun, 8 degrees north in April, lies just above the picture's middle, behind the earth's
    // top edge; flare discs go the other way through the centre.
    renderer_->camera().lookAt({0.0, 0.0, 140.0});
    const Vec3 sun = SceneFrame::at(doc.SimTime).inertialToScene(doc.Orbit.CalculateSolarPosition(doc.SimTime.julianDate()));
    const auto at = renderer_->camera().project(sun);
    ASSERT_TRUE(at);
    renderer_->renderScene();
    const QImage plain = gl_.grab();
    const QRgb sunPixel = pixel(plain, *at);
    EXPECT_GT(qRed(sunPixel), 200);
    EXPECT_GT(qGreen(sunPixel), 200);
    EXPECT_LT(qBlue(sunPixel), 160);
    // Halfway beyond the centre the second ring and disc 0 land; without reflections it is dark.
    const WindowPoint beyond{kWidth / 2 + (kWidth / 2 - at->x) / 2, kHeight / 2 + (kHeight / 2 - at->y) / 2};
    EXPECT_LT(brightness(pixel(plain, beyond)), 30);
    doc.NrOfOcularReflections = 20;
    renderer_->renderScene();
    EXPECT_GT(brightness(pixel(gl_.grab(), beyond)), 60);
}
