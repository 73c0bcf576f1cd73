// The style dialog's preview drawn off-screen: bodies by style, the model file's report and its
// fallback cube, the beam's cone and the state the see-through beam leaves behind.
#include "document/BeamFootprint.h"
#include "tests/support/OffscreenGl.h"
#include "views3d/GlobeLists.h"
#include "views3d/PreviewScene.h"

#include <QTemporaryDir>

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>

using namespace kiv;

namespace {

constexpr int kSize = 120;

bool dark(QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) < 30; }

int litPixels(const QImage& image)
{
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit += dark(image.pixel(x, y)) ? 0 : 1;
    return lit;
}

class PreviewPixelTest : public ::testing::Test {
protected:
    PreviewPixelTest() : gl_(kSize, kSize)
    {
        EXPECT_TRUE(gl_.valid()) << gl_.error().toStdString();
        scene_.initialize(kSize, kSize);
        std::ofstream(dir_.filePath(QStringLiteral("models.dat")).toStdString())
            << "# two models\nStartModel\ngluSolidCube {1.0}\nEndModel\nStartModel\n"
               "gluSolidSphere {0.5}\nEndModel\n";
    }

    void TearDown() override
    {
        scene_.release();
        EXPECT_FALSE(glIsList(lists::kSatelliteModel));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    QImage draw(const PreviewLook& look)
    {
        read_ = scene_.build(look);
        scene_.render();
        return gl_.grab();
    }

    static PreviewLook body(int style, QString file = {}, int model = 1)
    {
        PreviewLook look;
        look.body = {style, std::move(file), model, Detail::of(20, 10)};
        return look;
    }

    kiv::test::OffscreenGl gl_;
    QTemporaryDir dir_;
    PreviewScene scene_;
    ModelFileRead read_;
};

} // namespace

TEST_F(PreviewPixelTest, EveryBodyStyleDrawsAtTheCentreAndNothingDrawsNothing)
{
    const QString models = dir_.filePath(QStringLiteral("models.dat"));
    const struct {
        const char* what;
        PreviewLook look;
        bool centreLit;
        ModelFileRead read;
    } cases[] = {
        {"nothing", body(0), false, {}},
        {"cube", body(2), true, {}},
        {"sphere", body(3), true, {}},
        {"second model of two", body(4, models, 2), true, {true, 2}},
        {"a model past the last: the cube", body(4, models, 3), true, {true, 0}},
        {"no model file: the cube", body(4, dir_.filePath(QStringLiteral("none.dat"))), true, {false, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image = draw(c.look);
        EXPECT_EQ(!dark(image.pixel(kSize / 2, kSize / 2)), c.centreLit);
        if (!c.centreLit) {
            EXPECT_EQ(litPixels(image), 0);
        }
        EXPECT_EQ(read_.opened, c.read.opened);
        EXPECT_EQ(read_.modelCount, c.read.modelCount);
    }
}

TEST_F(PreviewPixelTest, TheConeWidensWithTheAngleAndTheSeeThroughStateIsUndone)
{
    EXPECT_DOUBLE_EQ(PreviewScene::beamTopRadius(90.0), 10.0);
    EXPECT_DOUBLE_EQ(PreviewScene::beamTopRadius(-30.0), 0.0);
    EXPECT_DOUBLE_EQ(PreviewScene::beamTopRadius(180.0), std::tan(kMaxBeamAngle * std::numbers::pi / 360.0) * 10.0);
    EXPECT_TRUE(std::isfinite(PreviewScene::beamTopRadius(1e9)));

    // Turned half round, the cone opens away from the viewer; a wider one covers more of the picture.
    int previous = 0;
    for (const double angle : {10.0, 40.0, 90.0}) {
        PreviewLook look = body(0);
        look.beamDrawStyle = 2;
        look.beamAngle = angle;
        scene_.turn(angle == 10.0 ? 180.0 : 0.0, {0, 1, 0});
        const int lit = litPixels(draw(look));
        EXPECT_GT(lit, previous) << angle;
        previous = lit;
    }

    PreviewLook seeThrough = body(3);
    seeThrough.beamDrawStyle = 3;
    seeThrough.beamAngle = 60.0;
    seeThrough.transparency = 0.3f;
    draw(seeThrough);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_EQ(depthWrites, GL_TRUE);
}

TEST_F(PreviewPixelTest, TurnsAndZoomsMoveTheMatrices)
{
    const Matrix4 start = scene_.modelView();
    EXPECT_DOUBLE_EQ(start(2, 3), -5.0);
    scene_.turn(5.0, {0, 0, 1});
    EXPECT_NE(scene_.modelView()(0, 1), start(0, 1));
    scene_.turn(5.0, {0, 0, -1});
    EXPECT_NEAR(scene_.modelView()(0, 1), start(0, 1), 1e-12);

    const int before = litPixels(draw(body(3)));
    scene_.moveProjection(2.0); // nearer: the sphere grows
    scene_.resize(kSize, kSize); // a resize keeps the move
    EXPECT_GT(litPixels(draw(body(3))), before);
}
