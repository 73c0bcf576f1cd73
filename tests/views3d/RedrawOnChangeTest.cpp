// Redraw on change: two documents run the same script of clock steps and changes. One redraws a
// view only when its picture would change; the other is told before every step that everything
// changed, so it propagates and redraws every view on every step, as a program without the rule
// does. After every step the globe, the map and the sky on screen must be the same pixels in both.
#include "tests/support/Checkerboard.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/OffscreenGl.h"
#include "views2d/SkyControls.h"
#include "views2d/SkyPicture.h"
#include "views2d/WorldMap.h"
#include "views3d/GlobeRenderer.h"

#include <functional>

using namespace kiv;
using namespace kiv::test;

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 180;

// The globe, the map and the sky as their windows show them: a redraw replaces the picture on
// screen.
class ScreenViews final : public WorldViewPort, public MapViewPort, public ObsViewPort {
public:
    explicit ScreenViews(CKivDoc& doc)
        : doc_(doc), gl_(kWidth, kHeight),
          renderer_(doc, [](const QString&) { return checkerboard(qRgb(40, 90, 200), qRgb(60, 160, 60), 32); })
    {
        gl_.makeCurrent();
        renderer_.initialize(kWidth, kHeight);
        map_.setMaps(checkerboard(qRgb(250, 250, 250), qRgb(120, 200, 120), 32),
                     checkerboard(qRgb(0, 0, 60), qRgb(0, 40, 0), 32));
        map_.setSize({kWidth, kHeight}, worldMapScene(doc));
        map_.layoutLabels(satelliteScene(doc), {true, true});
        sky_.setSize({kWidth, kHeight});
        sky_.loadSettings(doc);
        sky_.layoutLabels(satelliteScene(doc));
        doc_.Views.add(static_cast<WorldViewPort*>(this));
        doc_.Views.add(static_cast<MapViewPort*>(this));
        doc_.Views.add(static_cast<ObsViewPort*>(this));
        doc_.Show3D = doc_.Show2D = doc_.ShowObs = 1;
        doc_.ResetRouteSteps();
        // A window draws itself when it is first shown.
        RenderScene();
        RedrawMap();
        RedrawSky();
    }
    ~ScreenViews() override
    {
        gl_.makeCurrent();
        renderer_.release();
        doc_.Views.remove(static_cast<WorldViewPort*>(this));
        doc_.Views.remove(static_cast<MapViewPort*>(this));
        doc_.Views.remove(static_cast<ObsViewPort*>(this));
    }

    bool valid() const { return gl_.valid(); }
    GlobeCamera& camera() { return renderer_.camera(); }
    SkyPicture& skyPicture() { return sky_; }

    void RenderScene() override
    {
        gl_.makeCurrent();
        renderer_.renderScene();
        globe = gl_.grab();
        ++draws;
    }
    void RedrawMap() override
    {
        map_.redraw(worldMapScene(doc_));
        map = map_.image().copy();
        ++draws;
    }
    void RedrawSky() override
    {
        sky_.redraw(satelliteScene(doc_));
        sky = sky_.image().copy();
        ++draws;
    }
    void StoreObsSettings() override { sky_.storeSettings(doc_); }
    void LoadObsSettings() override
    {
        sky_.loadSettings(doc_);
        sky_.layoutLabels(satelliteScene(doc_));
    }
    void ShowFramesPerSecond() override {}
    void FreeOrbitBuffers() override { withContext([this] { renderer_.freeOrbitBuffers(); }); }
    void ResetOrbitState() override { withContext([this] { renderer_.resetOrbitState(); }); }
    void BuildOrbitLists() override { withContext([this] { renderer_.buildOrbitLists(); }); }
    void BuildStarList() override { withContext([this] { renderer_.buildStarList(); }); }
    void FollowFrom(const tagVECTOR& positionKm) override { renderer_.followFrom(positionKm); }
    void LookAt(double latitude, double westLongitude, double distance) override
    {
        renderer_.lookAt(latitude, westLongitude, distance);
    }
    void SetEarthTexture(const QImage& picture) override { withContext([&] { renderer_.setTexture(picture); }); }
    void SetQuality(const tagQUALITY& quality) override { withContext([&] { renderer_.setQuality(quality); }); }
    void MoveProjectionZ(double dz) override { renderer_.camera().zoom(dz); }
    void SetWDBZoomBox(const QRectF& extent) override { map_.setZoomBox(1, extent); }
    void LayoutLabels() override
    {
        map_.layoutLabels(satelliteScene(doc_), {true, true});
        sky_.layoutLabels(satelliteScene(doc_));
    }
    void ReloadBackground() override {}

    QImage globe, map, sky;
    int draws = 0;

private:
    void withContext(const std::function<void()>& work)
    {
        gl_.makeCurrent();
        work();
    }

    CKivDoc& doc_;
    OffscreenGl gl_;
    GlobeRenderer renderer_;
    WorldMap map_;
    SkyPicture sky_;
};

class RedrawOnChangeTest : public DocumentTest {
protected:
    std::unique_ptr<CKivDoc> document(FakeFrame& frame)
    {
        auto doc = std::make_unique<CKivDoc>(DocumentContext{services_, profile_, paths_, &frame});
        doc->SetSimTime(kiv::Time::fromUtc({2024, 6, 21, 10, 0, 0}));
        doc->TimeFactor = 1;
        for (int i = 0; i < doc->SatelliteCount; ++i)
            doc->SatInfo[i].shown = i % 2 == 0;
        return doc;
    }
};

// One change of the script, made to both documents alike.
struct Change {
    int steps;     // animation steps of 20 ms after the change
    const char* what;
    std::function<void(CKivDoc&, ScreenViews&)> make;
};

} // namespace

TEST_F(RedrawOnChangeTest, EveryPictureIsTheOneAFullRedrawWouldShow)
{
    writeFile("sats.tle", lowSatellites(6));
    profile_.parse("[Allgemein]\nSatellitenfilename=sats.tle\nNrOfPoints=60\nShowCourse3D=TRUE\n"
                   "ShowCourse2D=TRUE\nCalculateExact=TRUE\n");
    FakeFrame otherFrame;
    auto ruled = document(frame_);
    auto every = document(otherFrame);
    ScreenViews ruledViews(*ruled);
    ScreenViews everyViews(*every);
    ASSERT_TRUE(ruledViews.valid());

    const auto changed = [](auto change) {
        return [change](CKivDoc& doc, ScreenViews& views) {
            change(doc, views);
            doc.DocumentChanged(); // what the command registry does after every command
        };
    };
    const Change script[] = {
        {120, "real time", [](CKivDoc&, ScreenViews&) {}},
        {30, "paused", [](CKivDoc& doc, ScreenViews&) { doc.OnPause(); }},
        {5, "a satellite shown while paused", changed([](CKivDoc& doc, ScreenViews&) { doc.SatInfo[1].shown = 1; })},
        {5, "a view setting", changed([](CKivDoc& doc, ScreenViews&) { doc.ShowCourse3D = 0; })},
        {5, "the globe turned by the mouse",
         [](CKivDoc& doc, ScreenViews& views) {
             views.camera().turn(12.0, -5.0);
             doc.InvalidateViews(kRedrawGlobe);
         }},
        {5, "the observer dragged",
         [](CKivDoc& doc, ScreenViews& views) {
             dragObserver(views.skyPicture().settings().observer, {-40, 25});
             views.StoreObsSettings();
             doc.InvalidateViews(kRedrawObserver | kRedrawMap);
         }},
        {5, "the sky turned and tilted",
         [](CKivDoc& doc, ScreenViews& views) {
             dragSphere(views.skyPicture().projection(), {30, 20}, false);
             doc.InvalidateViews(kRedrawObserver);
         }},
        {5, "a sky setting", changed([](CKivDoc&, ScreenViews& views) {
             views.skyPicture().settings().showRaDec = false;
             views.StoreObsSettings();
             views.LayoutLabels();
         })},
        {10, "the clock set", [](CKivDoc& doc, ScreenViews&) { doc.SetSimTime(kiv::Time::fromUtc({2024, 12, 1, 3, 0, 0})); }},
        {5, "resumed at an hour a step", [](CKivDoc& doc, ScreenViews&) { doc.TimeFactor = 3600; }},
        {10, "following satellite 0",
         changed([](CKivDoc& doc, ScreenViews&) { doc.FollowActive = doc.FollowIn3D = 1; })},
        {10, "a drag holding the map",
         [](CKivDoc& doc, ScreenViews& views) {
             doc.HeldRedraws = kHoldMap;
             views.camera().pan(4.0, 2.0);
             doc.InvalidateViews(kRedrawGlobe);
         }},
        {5, "the drag ended",
         [](CKivDoc& doc, ScreenViews&) {
             doc.HeldRedraws = 0;
             doc.InvalidateViews(kRedrawGlobe);
         }},
        {5, "real time again", changed([](CKivDoc& doc, ScreenViews&) {
             doc.FollowActive = 0;
             doc.TimeFactor = 1;
         })},
        {5, "the clock stopped", [](CKivDoc& doc, ScreenViews&) { doc.OnPlay(); }},
        {3, "a camera move while stopped",
         [](CKivDoc& doc, ScreenViews& views) {
             views.camera().zoom(3.0);
             doc.InvalidateViews(kRedrawGlobe);
         }},
        {10, "started again", [](CKivDoc& doc, ScreenViews&) { doc.OnPlay(); }},
        {5, "the satellites reloaded", [](CKivDoc& doc, ScreenViews&) { doc.ReloadSatellites(); }},
        {5, "the tracks reset", [](CKivDoc& doc, ScreenViews&) { doc.OnReset(); }},
        {60, "a day a step", [](CKivDoc& doc, ScreenViews&) { doc.TimeFactor = 86400; }},
    };
    int step = 0;
    for (const Change& change : script) {
        change.make(*ruled, ruledViews);
        change.make(*every, everyViews);
        for (int i = 0; i < change.steps; ++i, ++step) {
            ui_.clock.advanceMs(20);
            if (every->AnimationRunning) {
                every->DocumentChanged();
                every->AnimationStep();
                ruled->AnimationStep();
            }
            ASSERT_EQ(ruledViews.globe, everyViews.globe) << change.what << ", step " << step;
            ASSERT_EQ(ruledViews.map, everyViews.map) << change.what << ", step " << step;
            ASSERT_EQ(ruledViews.sky, everyViews.sky) << change.what << ", step " << step;
        }
    }
    // The rule saved most of the drawing.
    EXPECT_LT(ruledViews.draws * 2, everyViews.draws);
}
