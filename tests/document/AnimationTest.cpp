// The simulated clock and the animation step.
#include "document/BeamFootprint.h"
#include "document/GroundTrack.h"
#include "document/TimeStep.h"
#include "tests/support/DocumentFixture.h"

#include <functional>

using namespace kiv;
using namespace kiv::test;

namespace {

const char* kProfile = "[Allgemein]\nSatellitenfilename=sats.tle\n";

class AnimationTest : public DocumentTest {
protected:
    CKivDoc& start(int factor, kiv::Time at = kiv::Time::fromUtc({2024, 1, 31, 12, 0, 0}))
    {
        writeFile("sats.tle", lowSatellites(3));
        CKivDoc& doc = makeDocument(kProfile);
        doc.TimeFactor = factor;
        doc.SetSimTime(at);
        for (int i = 0; i < doc.SatelliteCount; ++i)
            doc.SatInfo[i].shown = 1;
        return doc;
    }

    void tick(CKivDoc& doc, int ms = 20)
    {
        ui_.clock.advanceMs(static_cast<std::uint64_t>(ms));
        doc.AnimationStep();
    }

    // The redraws of that many steps.
    std::vector<std::string> redraws(CKivDoc& doc, FakeViews& views, int ticks)
    {
        views.calls.clear();
        for (int i = 0; i < ticks; ++i)
            tick(doc);
        std::erase(views.calls, "ShowFramesPerSecond");
        return views.calls;
    }
};

} // namespace

TEST(TimeStep, FactorsAndTheirSteps)
{
    double remainder = 0.0;
    EXPECT_EQ(stepSeconds(0, 1, remainder, 500), 0);
    EXPECT_EQ(stepSeconds(60, 1, remainder, 20), 60);
    EXPECT_EQ(stepSeconds(3600, 1, remainder, 20), 3600);
    EXPECT_EQ(stepSeconds(86400, 1, remainder, 20), 86400);
    EXPECT_EQ(stepSeconds(86163, 1, remainder, 20), 86163); // a sidereal day loses no second
    EXPECT_EQ(stepSeconds(-7200, 1, remainder, 20), -7200);
    EXPECT_EQ(stepSeconds(kOneMonth, 1, remainder, 20), 31 * 86400);
    EXPECT_EQ(stepSeconds(kOneMonth, 2, remainder, 20), 28 * 86400);
    EXPECT_EQ(stepSeconds(kOneMonth, 4, remainder, 20), 30 * 86400);
}

TEST(TimeStep, RealTimeAddsWholeSecondsAndCarriesTheFraction)
{
    double remainder = 0.0;
    int added = 0;
    for (int i = 0; i < 50; ++i) {
        const auto s = stepSeconds(kRealTime, 1, remainder, 20);
        EXPECT_TRUE(s == 0 || s == 1);
        added += static_cast<int>(s);
    }
    EXPECT_EQ(added, 1);
    EXPECT_NEAR(remainder, 0.0, 1e-9);
    EXPECT_STREQ(monthAbbreviation(5, true), "Mai");
    EXPECT_STREQ(monthAbbreviation(5, false), "May");
}

TEST_F(AnimationTest, OneStepAdvancesPropagatesAndRedrawsInOrder)
{
    CKivDoc& doc = start(60);
    FakeViews& views = attachFakeViews({ViewKind::World, ViewKind::Map, ViewKind::Obs, ViewKind::WDB, ViewKind::WDB});
    tick(doc);
    const double before = doc.SatInfo[0].lastJd;
    views.calls.clear();
    tick(doc);
    EXPECT_EQ(doc.SimTime, kiv::Time::fromUtc({2024, 1, 31, 12, 2, 0}));
    EXPECT_NEAR(doc.SatInfo[0].lastJd - before, 60.0 / 86400.0, 1e-9);
    EXPECT_EQ(views.calls, (std::vector<std::string>{"RenderScene", "RedrawMap", "RedrawSky", "RefreshSatellites",
                                                     "RefreshSatellites"}));
    EXPECT_EQ(frame_.clockText, "2024 , Jan , 31 / 12 : 2 : 0");
    EXPECT_EQ(frame_.factorText, "60");
    // A drag in the globe holds back the flat views it names, without touching their flags.
    doc.HeldRedraws = kHoldMap | kHoldWorldDataBank;
    views.calls.clear();
    tick(doc);
    EXPECT_EQ(views.calls, (std::vector<std::string>{"RenderScene", "RedrawSky"}));
    EXPECT_EQ(doc.Show2D, 1);
}

TEST_F(AnimationTest, MonthStepsAndDaylightSavingFollowTheLocalCalendar)
{
    CKivDoc& doc = start(kOneMonth, kiv::Time::fromUtc({2024, 1, 31, 0, 0, 0}));
    tick(doc);
    EXPECT_EQ(doc.SimTime, kiv::Time::fromUtc({2024, 3, 2, 0, 0, 0}));

    ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    doc.TimeFactor = 86400;
    doc.SetSimTime(kiv::Time::fromLocal({2024, 3, 30, 12, 0, 0}));
    EXPECT_EQ(doc.UtcOffset, -3600);
    tick(doc);
    EXPECT_EQ(doc.SimTime.local().hour, 13); // a day of absolute seconds across the change
    EXPECT_EQ(doc.UtcOffset, -7200);
    doc.ShowUTC = 1;
    tick(doc);
    EXPECT_EQ(frame_.clockText, "2024 , Apr , 1 / 11 : 0 : 0");
}

TEST_F(AnimationTest, RealTimeIgnoresTheTimeTheClockStoodStill)
{
    CKivDoc& doc = start(kRealTime);
    const kiv::Time t0 = doc.SimTime;
    for (int i = 0; i < 100; ++i)
        tick(doc);
    EXPECT_EQ(doc.SimTime - t0, 2);
    doc.EnableAnimationTimer(false);
    ui_.clock.advanceMs(60000); // a modal dialog
    doc.EnableAnimationTimer(true);
    EXPECT_TRUE(frame_.timerOn);
    tick(doc);
    EXPECT_EQ(doc.SimTime - t0, 2);
}

TEST_F(AnimationTest, TheClockStaysInRange)
{
    CKivDoc& doc = start(-86400, kiv::Time::fromUtc({1970, 1, 1, 12, 0, 0}));
    ui_.messages.clear();
    tick(doc);
    EXPECT_EQ(doc.SimTime, ui_.clock.now());
    ASSERT_EQ(ui_.messages.shown().size(), 1u);
    EXPECT_EQ(ui_.messages.captions()[0], "Note : ");
    EXPECT_EQ(ui_.messages.texts()[0], "Time run out of range.\nResetting to current time");
}

TEST_F(AnimationTest, PauseKeepsTheFactorToComeBackTo)
{
    CKivDoc& doc = start(3600);
    doc.OnPause();
    EXPECT_EQ(doc.TimeFactor, 0);
    EXPECT_EQ(doc.PersistentTimeFactor(), 3600);
    const kiv::Time stopped = doc.SimTime;
    tick(doc);
    EXPECT_EQ(doc.SimTime, stopped);
    doc.OnPause();
    EXPECT_EQ(doc.TimeFactor, 3600);
    doc.TimeFactor = 0;
    doc.OnPause(); // nothing saved: resume in real time
    EXPECT_EQ(doc.TimeFactor, 1);

    doc.TimeFactor = 86400;
    doc.OnPause();
    doc.SaveSettings();
    EXPECT_EQ(profile_.GetProfileInt("Allgemein", "TimeFactor", 0), 86400);
}

TEST_F(AnimationTest, PlayTogglesTheTimer)
{
    CKivDoc& doc = start(60);
    doc.EnableAnimationTimer(true);
    EXPECT_TRUE(frame_.timerOn);
    doc.OnPlay();
    EXPECT_EQ(doc.AnimationRunning, 0);
    EXPECT_FALSE(frame_.timerOn);
    const kiv::Time stopped = doc.SimTime;
    doc.AdvanceTime();
    EXPECT_EQ(doc.SimTime, stopped);
    doc.OnPlay();
    EXPECT_TRUE(frame_.timerOn);
}

TEST_F(AnimationTest, EveryTenThousandthStepResetsTheTracks)
{
    CKivDoc& doc = start(60);
    FakeViews& views = attachFakeViews({ViewKind::World});
    for (int i = 0; i < 9999; ++i)
        doc.AnimationStep();
    views.calls.clear();
    const kiv::Time before = doc.SimTime;
    doc.AnimationStep();
    EXPECT_EQ(doc.SimTime - before, 120); // the reset's own step and this one
    EXPECT_EQ(views.calls.front(), "ResetOrbitState");
}

TEST_F(AnimationTest, FollowingANonexistentSatelliteSwitchesFollowOff)
{
    CKivDoc& doc = start(60);
    FakeViews& views = attachFakeViews({ViewKind::World});
    doc.FollowIn3D = doc.FollowActive = 1;
    doc.FollowedSatellite = 1;
    tick(doc);
    EXPECT_GE(views.count("FollowFrom"), 1);
    // Mode 0 looks down from twice the satellite's distance from the centre.
    doc.FollowMode3D = 0;
    tick(doc);
    EXPECT_NEAR(views.lookAtDistance, 2.0 * (doc.SatInfo[1].alt + kEarthRadius), 1e-9);
    doc.FollowedSatellite = 7;
    tick(doc);
    EXPECT_EQ(doc.FollowActive, 0);
}

TEST_F(AnimationTest, AStepThatChangesNoPictureRedrawsNothing)
{
    CKivDoc& doc = start(kRealTime);
    FakeViews& views = attachFakeViews({ViewKind::World, ViewKind::Map});
    doc.EnableAnimationTimer(true);
    const auto redraws = [&](int ticks) { return AnimationTest::redraws(doc, views, ticks); };
    const std::vector<std::string> both{"RenderScene", "RedrawMap"};
    redraws(1);
    EXPECT_EQ(redraws(50), both); // one second of real time: one picture
    EXPECT_EQ(doc.FpsSteps, 51);  // the globe's rate still counts every step
    doc.OnPause();
    doc.DocumentChanged(); // as after every command
    EXPECT_EQ(redraws(1), both);
    EXPECT_TRUE(redraws(100).empty());
    doc.InvalidateViews(kRedrawMap); // a view setting: redrawn by the next step
    EXPECT_TRUE(views.calls.empty());
    EXPECT_EQ(redraws(1), std::vector<std::string>{"RedrawMap"});
    doc.HeldRedraws = kHoldMap; // a drag in the globe
    doc.DocumentChanged();
    EXPECT_EQ(redraws(1), std::vector<std::string>{"RenderScene"});
    doc.HeldRedraws = 0;
    EXPECT_EQ(redraws(1), std::vector<std::string>{"RedrawMap"});
    doc.OnPlay(); // the timer stands: a change redraws at once
    views.calls.clear();
    doc.InvalidateViews(kRedrawGlobe);
    EXPECT_EQ(views.calls, std::vector<std::string>{"RenderScene"});
}

namespace {

// Satellite 2's position and ring as a calculation from scratch at the document's time gives them.
tagSATINFO freshlyCalculated(CKivDoc& doc)
{
    const double jd = doc.SimTime.julianDate();
    tagSATINFO info;
    tagSATHISTORY history;
    info.step = trackStep(doc.RouteLengthFactor, doc.NrOfPoints, doc.Satellites[2].meanMotion);
    allocateTrack(info, history, doc.NrOfPoints);
    CSGP4_SDP4 orbit;
    orbit.SetSatellite(&doc.Satellites[2], true);
    EXPECT_TRUE(orbit.SGP(jd));
    orbit.CalculateLatLonAlt(jd);
    info.lat = orbit.GetLat();
    info.lon = orbit.GetLon();
    info.alt = orbit.GetAlt() / 1000.0;
    advanceTrack(info, history, orbit, jd, {doc.NrOfPoints, true, false});
    setFootprint(info, beamFootprint(doc.BeamAngle, info.alt));
    return info;
}

} // namespace

TEST_F(AnimationTest, ASatelliteSwitchedOnWhileTheClockStandsIsWhereItIsThen)
{
    struct Case {
        const char* name;
        bool pause;                      // else the animation is stopped
        std::function<void(CKivDoc&)> on; // switches satellite 2 on
    };
    const Case cases[] = {
        {"button while paused", true, [](CKivDoc& doc) { doc.OnSatelliteButton(2); }},
        {"display all while paused", true, [](CKivDoc& doc) { doc.OnDisplayAll(); }},
        {"button while stopped", false, [](CKivDoc& doc) { doc.OnSatelliteButton(2); }},
        {"time set while paused", true, [](CKivDoc& doc) {
             doc.SatInfo[2].shown = 1;
             doc.SetSimTime(kiv::Time::fromUtc({2018, 1, 22, 8, 30, 0}));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKivDoc& doc = start(3600, kiv::Time::fromUtc({2018, 1, 21, 12, 0, 0}));
        doc.CalculateExact = 1;
        doc.ShowCourse2D = 1;
        for (int i = 1; i < doc.SatelliteCount; ++i)
            doc.SatInfo[i].shown = 0;
        tick(doc);
        if (c.pause)
            doc.OnPause();
        else
            doc.OnPlay();
        tick(doc);
        c.on(doc);
        const tagSATINFO expected = freshlyCalculated(doc);
        const tagSATINFO& got = doc.SatInfo[2];
        EXPECT_EQ(got.lastJd, doc.SimTime.julianDate());
        EXPECT_EQ(got.lat, expected.lat);
        EXPECT_EQ(got.lon, expected.lon);
        EXPECT_EQ(got.alt, expected.alt);
        EXPECT_EQ(got.trackLat, expected.trackLat);
        EXPECT_EQ(got.trackLon, expected.trackLon);
        EXPECT_EQ(got.footprintRadius, expected.footprintRadius);
    }
}

TEST_F(AnimationTest, ASatelliteSwitchedOnWhileTheClockRunsWaitsForTheStep)
{
    CKivDoc& doc = start(3600);
    doc.SatInfo[2].shown = 0;
    tick(doc);
    const double before = doc.SatInfo[2].lastJd;
    doc.OnSatelliteButton(2);
    EXPECT_EQ(doc.SatInfo[2].lastJd, before);
    tick(doc);
    EXPECT_EQ(doc.SatInfo[2].lastJd, doc.SimTime.julianDate());
}

TEST_F(AnimationTest, AClockThatMovedNoPictureRedrawsNothingButEveryOtherChangeStillDoes)
{
    writeFile("other.tle", lowSatellites(2, "OTHER "));
    CKivDoc& doc = start(kRealTime);
    FakeViews& views = attachFakeViews({ViewKind::World, ViewKind::Map, ViewKind::Obs, ViewKind::WDB});
    doc.EnableAnimationTimer(true);
    const auto redraws = [&](int ticks) { return AnimationTest::redraws(doc, views, ticks); };
    const std::vector<std::string> all{"RenderScene", "RedrawMap", "RedrawSky", "RefreshSatellites"};
    redraws(1);
    views.pictureMoved = false; // the clock's seconds move nothing by half a pixel
    EXPECT_TRUE(redraws(150).empty());
    const struct {
        const char* what;
        std::function<void()> change;
        std::vector<std::string> redrawn;
    } changes[] = {
        {"a setting", [&] { doc.ShowCourse2D = !doc.ShowCourse2D, doc.DocumentChanged(); }, all},
        {"a satellite switched", [&] { doc.OnSatelliteButton(1); }, all},
        {"a time jump", [&] { doc.SetSimTime(doc.SimTime + 1); }, all},
        {"an element file", [&] {
             doc.Satellitenfilename = QStringLiteral("other.tle");
             doc.ReloadSatellites();
         }, all},
        {"the camera", [&] { doc.InvalidateViews(kRedrawGlobe); }, {"RenderScene"}},
        {"a sky drag holding the globe and the WDB view", [&] {
             doc.HeldRedraws = kHoldGlobe | kHoldWorldDataBank;
             doc.InvalidateViews(kRedrawObserver | kRedrawMap);
         }, {"RedrawMap", "RedrawSky"}},
        {"the drag's end", [&] {
             doc.HeldRedraws = 0;
             doc.InvalidateViews(kRedrawGlobe | kRedrawWorldDataBank);
         }, {"RenderScene", "RefreshSatellites"}},
    };
    for (const auto& c : changes) {
        views.calls.clear();
        c.change();
        EXPECT_EQ(redraws(1), c.redrawn) << c.what;
        EXPECT_TRUE(redraws(60).empty()) << c.what << ": then the clock alone";
    }
    // A second that moved the pictures draws them.
    views.pictureMoved = true;
    views.calls.clear();
    tick(doc, 1000);
    std::erase(views.calls, "ShowFramesPerSecond");
    EXPECT_EQ(views.calls, all);
}

TEST_F(AnimationTest, StatusTextsAreMadeWhenWhatTheyShowChanges)
{
    CKivDoc& doc = start(kRealTime);
    doc.EnableAnimationTimer(true);
    tick(doc);
    const auto writes = [&](int ticks) {
        frame_.statusWrites = 0;
        for (int i = 0; i < ticks; ++i)
            tick(doc);
        return frame_.statusWrites;
    };
    EXPECT_EQ(writes(150), 3) << "one clock text a second";
    EXPECT_EQ(frame_.clockText, "2024 , Jan , 31 / 12 : 0 : 3");
    doc.OnPause();
    EXPECT_EQ(writes(1), 1) << "the factor's";
    EXPECT_EQ(frame_.factorText, "0");
    EXPECT_EQ(writes(200), 0) << "paused";
    doc.ShowUTC = 1;
    EXPECT_EQ(writes(1), 1);
    doc.OnPause();
    doc.TimeFactor = 60;
    EXPECT_EQ(writes(3), 4) << "a minute a step and the new factor";
    EXPECT_EQ(frame_.factorText, "60");
}
