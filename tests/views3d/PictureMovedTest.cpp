// A view whose clock moved redraws only when that moved its picture by half a pixel or more:
// after a minute of real time under that rule each picture is the one a full recomposition at the
// same instant gives, to within one pixel of position, and pictures of slow things drew in few of
// the seconds.
#include "tests/support/Checkerboard.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/OffscreenGl.h"
#include "tests/support/ScratchDocument.h"
#include "views2d/SkyPicture.h"
#include "views2d/WDBMap.h"
#include "views2d/WorldMap.h"
#include "views3d/GlobeRenderer.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

using namespace kiv;
using namespace kiv::test;

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 180;
constexpr int kSteps = 3000; // a minute of 20 ms steps

// Pixels of `a` that have no counterpart in `b` one pixel away at most: in every channel (within
// `levels`) a colour between those of b's nine pixels around the place, which takes both a pixel
// of its colour and smooth shading shifted by part of a pixel.
int unmatched(const QImage& a, const QImage& b, int levels)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb own = a.pixel(x, y);
            for (const int shift : {16, 8, 0}) { // red, green, blue
                const auto channel = [shift](QRgb c) { return static_cast<int>(c >> shift) & 0xFF; };
                int low = 255, high = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        if (b.rect().contains(x + dx, y + dy)) {
                            low = std::min(low, channel(b.pixel(x + dx, y + dy)));
                            high = std::max(high, channel(b.pixel(x + dx, y + dy)));
                        }
                    }
                }
                if (channel(own) < low - levels || channel(own) > high + levels) {
                    ++count;
                    break;
                }
            }
        }
    }
    return count;
}

QImage plain(QRgb colour)
{
    QImage image(256, 128, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// One view's picture as its window shows it: drawn when the document asks, kept otherwise.
struct Screen {
    QImage shown;
    int draws = 0;
    void show(const QImage& picture)
    {
        shown = picture.copy();
        ++draws;
    }
};

class MapScreen final : public MapViewPort, public Screen {
public:
    explicit MapScreen(CKivDoc& doc) : doc_(doc)
    {
        // Plain maps: a boundary moved by a pixel shows the same colours a pixel away.
        map_.setMaps(plain(qRgb(250, 250, 250)), plain(qRgb(0, 40, 0)));
        map_.setSize({kWidth, kHeight}, worldMapScene(doc));
        map_.layoutLabels(satelliteScene(doc), {true, false});
    }
    void RedrawMap() override
    {
        map_.redraw(worldMapScene(doc_));
        show(map_.image());
    }
    bool PictureMoved() override { return map_.moved(worldMapScene(doc_)); }
    void SetWDBZoomBox(const QRectF&) override {}
    void LayoutLabels() override {}
    void ReloadBackground() override {}

private:
    CKivDoc& doc_;
    WorldMap map_;
};

class SkyScreen final : public ObsViewPort, public Screen {
public:
    explicit SkyScreen(CKivDoc& doc) : doc_(doc)
    {
        sky_.setSize({kWidth, kHeight});
        sky_.loadSettings(doc);
        sky_.settings().showRaDec = false; // its seconds change every second
        sky_.layoutLabels(satelliteScene(doc));
    }
    void RedrawSky() override
    {
        sky_.redraw(satelliteScene(doc_));
        show(sky_.image());
    }
    bool PictureMoved() override { return sky_.moved(satelliteScene(doc_)); }
    void LayoutLabels() override {}
    void StoreObsSettings() override {}
    void LoadObsSettings() override {}

private:
    CKivDoc& doc_;
    SkyPicture sky_;
};

class WDBScreen final : public WDBViewPort, public Screen {
public:
    // A region (west-positive longitudes) in a picture twice the window's size.
    WDBScreen(CKivDoc& doc, QRectF region) : doc_(doc), region_(region)
    {
        WDBViewState s = map_.state();
        s.left = region.left(), s.right = region.right(), s.top = region.top(), s.bottom = region.bottom();
        s.width = 2 * kWidth, s.height = 2 * kHeight;
        s.showNames = true;
        map_.setState(s);
        map_.drawBackground(plain(qRgb(30, 60, 200)), true);
        map_.keepAsBase();
    }
    void RefreshSatellites() override
    {
        map_.drawSatellites(wdbScene(doc_), {true, false});
        show(map_.image());
    }
    bool PictureMoved() override { return map_.moved(wdbScene(doc_), {true, false}); }
    void CentreOn(double, double) override {}
    QRectF Extent() const override { return region_; }
    void ShowWholeWorld(const QSize&) override {}
    void ShowRegion(const QRectF&, const QSize&) override {}
    void ReloadBackground() override {}

private:
    CKivDoc& doc_;
    QRectF region_;
    WDBMap map_;
};

class GlobeScreen final : public WorldViewPort, public Screen {
public:
    explicit GlobeScreen(CKivDoc& doc)
        : gl_(kWidth, kHeight), renderer_(doc, [](const QString&) { return checkerboard(qRgb(40, 90, 200), qRgb(60, 160, 60), 16); })
    {
        gl_.makeCurrent();
        renderer_.initialize(kWidth, kHeight);
    }
    ~GlobeScreen() override
    {
        gl_.makeCurrent();
        renderer_.release();
    }
    bool valid() const { return gl_.valid(); }
    void RenderScene() override
    {
        gl_.makeCurrent();
        renderer_.renderScene();
        show(gl_.grab());
    }
    bool PictureMoved() override { return renderer_.pictureMoved(); }
    void ShowFramesPerSecond() override {}
    void FreeOrbitBuffers() override {}
    void ResetOrbitState() override {}
    void BuildOrbitLists() override {}
    void BuildStarList() override {}
    void FollowFrom(const tagVECTOR&) override {}
    void LookAt(double, double, double) override {}
    void SetEarthTexture(const QImage&) override {}
    void SetQuality(const tagQUALITY&) override {}
    void MoveProjectionZ(double) override {}

private:
    OffscreenGl gl_;
    GlobeRenderer renderer_;
};

class PictureMovedTest : public DocumentTest {
protected:
    // Two geostationary satellites over the Atlantic and two low ones, a minute of real time.
    CKivDoc& runAMinute(const std::string& profile)
    {
        writeFile("sats.tle", geostationarySatellites() + lowSatellites(2));
        CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\n" + profile);
        doc.SetSimTime(kiv::Time::fromUtc({2024, 6, 21, 10, 0, 0}));
        doc.TimeFactor = 1;
        for (int i = 0; i < doc.SatelliteCount; ++i)
            doc.SatInfo[i].shown = i < 2 || i >= doc.SatelliteCount - 2;
        doc.ResetRouteSteps();
        return doc;
    }
    void steps(CKivDoc& doc, int count)
    {
        for (int i = 0; i < count; ++i) {
            ui_.clock.advanceMs(20);
            doc.AnimationStep();
        }
    }
};

} // namespace

TEST_F(PictureMovedTest, AfterAMinuteTheFlatPicturesAreWithinAPixelOfAFullRedraw)
{
    const OffscreenGl application(kWidth, kHeight); // the GUI application the labels' fonts need
    CKivDoc& doc = runAMinute("Show2D=TRUE\nShowObs=TRUE\nShowWDB=TRUE\nShowCourse2D=TRUE\nShowCourseWDB=TRUE\n"
                              "Footprint2D=TRUE\nFootprintWDB=TRUE\n");
    // The sky's observer and the first WDB view below the first low satellite, the second WDB
    // view round the first geostationary one.
    doc.fUserLat = 45.0;
    doc.fUserLon = 35.0;
    MapScreen map(doc);
    SkyScreen sky(doc);
    WDBScreen low(doc, QRectF(QPointF(-20.0, 70.0), QPointF(-60.0, 30.0)));
    WDBScreen still(doc, QRectF(QPointF(-30.0, 20.0), QPointF(-70.0, -20.0)));
    doc.Views.add(static_cast<MapViewPort*>(&map));
    doc.Views.add(static_cast<ObsViewPort*>(&sky));
    doc.Views.add(static_cast<WDBViewPort*>(&low));
    doc.Views.add(static_cast<WDBViewPort*>(&still));
    doc.Show2D = doc.ShowObs = doc.ShowWDB = 1;
    doc.DrawDayNightLine2D = 1; // the line as well as the night map
    doc.EnableAnimationTimer(true);
    steps(doc, kSteps);
    // Pictures of slow things skip most seconds; the low satellite moves on the sky and the first
    // WDB view by half a pixel nearly every second.
    const struct {
        const char* view;
        Screen& screen;
        std::function<void()> redraw;
        int mostDraws;
    } views[] = {
        {"map", map, [&] { map.RedrawMap(); }, 20},
        {"sky", sky, [&] { sky.RedrawSky(); }, kSteps / 50 + 1},
        {"WDB below the low satellite", low, [&] { low.RefreshSatellites(); }, kSteps / 50 + 1},
        {"WDB round the geostationary one", still, [&] { still.RefreshSatellites(); }, 20},
    };
    for (const auto& v : views) {
        const QImage ruled = v.screen.shown;
        const int draws = v.screen.draws;
        v.redraw();
        EXPECT_EQ(unmatched(ruled, v.screen.shown, 0), 0) << v.view;
        EXPECT_EQ(unmatched(v.screen.shown, ruled, 0), 0) << v.view;
        EXPECT_LE(draws, v.mostDraws) << v.view;
    }
    doc.Views.remove(static_cast<MapViewPort*>(&map));
    doc.Views.remove(static_cast<ObsViewPort*>(&sky));
    doc.Views.remove(static_cast<WDBViewPort*>(&low));
    doc.Views.remove(static_cast<WDBViewPort*>(&still));
}

// Light and texture sampling may round a colour differently after a turn of less than half a
// pixel: two levels per channel are allowed besides the pixel of position.
TEST_F(PictureMovedTest, AfterAMinuteTheGlobeIsWithinAPixelOfAFullRedrawInEitherCamera)
{
    for (const int camera : {0, 1}) {
        SCOPED_TRACE(camera == 0 ? "stationary camera" : "geostationary camera");
        doc_.reset();
        CKivDoc& doc = runAMinute("Show3D=TRUE\nShowCourse3D=TRUE\n");
        doc.CameraPos = camera;
        GlobeScreen globe(doc);
        ASSERT_TRUE(globe.valid());
        doc.Views.add(static_cast<WorldViewPort*>(&globe));
        doc.Show3D = 1;
        doc.EnableAnimationTimer(true);
        steps(doc, kSteps);
        const QImage ruled = globe.shown;
        const int draws = globe.draws;
        globe.RenderScene();
        EXPECT_EQ(unmatched(ruled, globe.shown, 2), 0);
        EXPECT_EQ(unmatched(globe.shown, ruled, 2), 0);
        EXPECT_LT(draws, 40);
        doc.Views.remove(static_cast<WorldViewPort*>(&globe));
    }
}
