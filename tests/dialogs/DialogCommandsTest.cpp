// The document's dialog commands with scripted dialogs: the timer bracket, what each command
// takes back and the reloads it runs.
#include "dialogs/DialogCommands.h"
#include "tests/support/DocumentFixture.h"

#include <QDir>
#include <QFile>

#include <bit>

using namespace kiv;
using namespace kiv::test;

namespace {

const char* kProfile = "[Allgemein]\nSatellitenfilename=sats.tle\n";

class DialogCommandsTest : public DocumentTest {
protected:
    CKivDoc& start()
    {
        writeFile("sats.tle", lowSatellites(3));
        writeFile("other.tle", lowSatellites(5, "OTHER "));
        CKivDoc& doc = makeDocument(kProfile);
        views_ = &attachFakeViews({ViewKind::World, ViewKind::Map});
        doc.Show2D = 0;
        doc.EnableAnimationTimer(true);
        return doc;
    }

    // An editor that notes whether the timer was off while it ran, and answers as told.
    template <class Values>
    Editor<Values> editor(std::function<std::optional<Values>(Values)> answer)
    {
        return [this, answer](const Values& in) {
            timerOffInDialog_ = timerOffInDialog_ && !frame_.timerOn;
            ++dialogs_;
            return answer(in);
        };
    }

    bool reloaded() const { return views_->count("FreeOrbitBuffers") > 0; }

    FakeViews* views_ = nullptr;
    bool timerOffInDialog_ = true;
    int dialogs_ = 0;
};

} // namespace

TEST_F(DialogCommandsTest, EveryDialogRunsWithTheTimerOffAndEndsWithItBackOn)
{
    CKivDoc& doc = start();
    for (const bool ok : {true, false}) {
        for (const int running : {1, 0}) {
            SCOPED_TRACE(testing::Message() << "ok " << ok << " running " << running);
            doc.AnimationRunning = running;
            doc.EnableAnimationTimer(true);
            commands::editGeneralOptions(doc, editor<GeneralOptions>([ok](GeneralOptions o) {
                                             return ok ? std::optional(o) : std::nullopt;
                                         }));
            EXPECT_EQ(frame_.timerOn, running == 1);
            commands::followSatellite(doc, editor<FollowOptions>([ok](FollowOptions o) {
                                          return ok ? std::optional(o) : std::nullopt;
                                      }));
            EXPECT_EQ(frame_.timerOn, running == 1);
            commands::openFromWeb(doc, editor<WebDownload>([ok](WebDownload d) {
                                      d.url = QStringLiteral("http://example.invalid/sats.tle");
                                      d.localFileName = QStringLiteral("sats.tle");
                                      return ok ? std::optional(d) : std::nullopt;
                                  }));
            EXPECT_EQ(frame_.timerOn, running == 1);
            commands::editSatelliteData(doc, [&] {
                timerOffInDialog_ = timerOffInDialog_ && !frame_.timerOn;
                ++dialogs_;
                return ok;
            });
            EXPECT_EQ(frame_.timerOn, running == 1);
        }
    }
    EXPECT_EQ(dialogs_, 16);
    EXPECT_TRUE(timerOffInDialog_);
}

TEST_F(DialogCommandsTest, OpenLocalReloadsOnlyForAnotherFile)
{
    CKivDoc& doc = start();
    ui_.files.queueAnswer(std::nullopt);
    ui_.files.queueAnswer(QStringLiteral("sats.tle"));
    ui_.files.queueAnswer(filePath("sats.tle")); // the same file, as the dialog names it
    for (int i = 0; i < 3; ++i) {
        commands::openLocal(doc);
        EXPECT_FALSE(reloaded());
    }
    const auto& request = ui_.files.shown().at(0).request;
    EXPECT_EQ(request.title, "Load new Satellite-Datas");
    EXPECT_EQ(request.initialPath, filePath("sats.tle"));

    ui_.files.queueAnswer(QString::fromStdString(path("other.tle")));
    commands::openLocal(doc);
    EXPECT_EQ(views_->calls, (std::vector<std::string>{"FreeOrbitBuffers", "ResetOrbitState", "BuildOrbitLists",
                                                      "LayoutLabels"}));
    EXPECT_EQ(doc.SatelliteCount, 5);
    EXPECT_TRUE(frame_.timerOn);
}

TEST_F(DialogCommandsTest, OpenLocalStartsWhereTheElementFileIsFound)
{
    CKivDoc& doc = start();
    ASSERT_TRUE(QDir().mkpath(filePath("bundled")));
    writeFile("bundled/bundle.tle", lowSatellites(1));
    const struct {
        const char* elementFile;
        QString initialPath;
    } cases[] = {
        {"other.tle", filePath("other.tle")},
        {"C:\\Kiv\\bundle.tle", filePath("bundled/bundle.tle")},
        {"gone.tle", filePath("user/gone.tle")},
        {"", filePath("user")},
    };
    for (const auto& c : cases) {
        doc.Satellitenfilename = QString::fromLatin1(c.elementFile);
        commands::openLocal(doc);
        EXPECT_EQ(ui_.files.shown().back().request.initialPath, c.initialPath) << c.elementFile;
    }
}

TEST_F(DialogCommandsTest, GeneralTakesTheViewAngleAndReloadsOnlyWhenAsked)
{
    CKivDoc& doc = start();
    doc.BeamAngle = 20.0f;
    const struct {
        int reload;
        float angle;
        int stars;
        float expectedAngle;
        std::vector<std::string> calls;
    } cases[] = {
        {0, 180.0f, 5000, 20.0f, {"LayoutLabels"}},
        {1, 180.0f, 5000, static_cast<float>(179.99899),
         {"FreeOrbitBuffers", "ResetOrbitState", "BuildOrbitLists", "BuildStarList", "LayoutLabels"}},
        {1, 45.5f, 5000, 45.5f, {"FreeOrbitBuffers", "ResetOrbitState", "BuildOrbitLists", "BuildStarList", "LayoutLabels"}},
    };
    for (const auto& c : cases) {
        views_->calls.clear();
        commands::editGeneralOptions(doc, editor<GeneralOptions>([&c](GeneralOptions o) {
                                         o.ReloadNeeded = c.reload;
                                         o.BeamAngle = c.angle;
                                         o.Sterne = c.stars;
                                         return std::optional(o);
                                     }));
        EXPECT_EQ(doc.BeamAngle, c.expectedAngle);
        EXPECT_EQ(doc.Sterne, c.stars);
        EXPECT_EQ(views_->calls, c.calls);
    }
    EXPECT_TRUE(ui_.messages.shown().empty());

    commands::editGeneralOptions(doc, editor<GeneralOptions>([](GeneralOptions o) {
                                     o.AccuracyX = 0; // would divide by zero in the orbit step
                                     o.AccuracyY = 1000;
                                     return std::optional(o);
                                 }));
    EXPECT_EQ(doc.AccuracyX, 3);
    EXPECT_EQ(doc.AccuracyY, 180);
}

TEST_F(DialogCommandsTest, AnotherColourTableAsksToSaveTheEditedOne)
{
    CKivDoc& doc = start();
    for (const auto answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        removeFile("kiv.clr");
        const QString saved = paths_.writeTarget(QStringLiteral("kiv.clr"));
        QFile::remove(saved);
        ui_.messages.clear();
        doc.ColorTableFileName = QStringLiteral("kiv.clr");
        doc.ColorTableChanged = 1;
        ui_.messages.queueAnswer(answer);
        commands::editGeneralOptions(doc, editor<GeneralOptions>([](GeneralOptions o) {
                                         o.ColorTableFileName = QStringLiteral("new.clr");
                                         return std::optional(o);
                                     }));
        ASSERT_GE(ui_.messages.shown().size(), 1u);
        EXPECT_EQ(ui_.messages.captions().at(0), "Attention !");
        EXPECT_EQ(ui_.messages.texts().at(0),
                  "Attention, colordata in file : kiv.clr was changed.\nShould I save the changes now ?");
        EXPECT_EQ(QFile::exists(saved), answer == MessageAnswer::Yes);
        EXPECT_EQ(doc.ColorTableFileName, "new.clr");
        EXPECT_EQ(doc.ColorTableChanged, 0);
    }
}

TEST_F(DialogCommandsTest, WebAndSatelliteDataReloadOnlyAfterTheirDialogSucceeded)
{
    CKivDoc& doc = start();
    commands::openFromWeb(doc, editor<WebDownload>([](WebDownload) { return std::optional<WebDownload>(); }));
    commands::editSatelliteData(doc, [] { return false; });
    EXPECT_FALSE(reloaded());

    const std::array<QString, 5> before = doc.InternetFileName;
    commands::openFromWeb(doc, editor<WebDownload>([&](WebDownload d) {
                              EXPECT_EQ(d.urls, before);
                              d.url = QStringLiteral("http://example.invalid/other.tle");
                              d.localFileName = QStringLiteral("other.tle");
                              return std::optional(d);
                          }));
    EXPECT_TRUE(reloaded());
    EXPECT_EQ(doc.InternetFileName[0], "http://example.invalid/other.tle");
    EXPECT_EQ(doc.InternetFileName[1], before[0]);
    EXPECT_EQ(doc.Satellitenfilename, "other.tle");
    EXPECT_EQ(doc.SatelliteCount, 5);

    views_->calls.clear();
    commands::editSatelliteData(doc, [] { return true; });
    EXPECT_TRUE(reloaded()); // the whole reload, the globe's buffers and the labels included
    EXPECT_EQ(views_->calls.back(), "LayoutLabels");
}

TEST_F(DialogCommandsTest, FollowTakesOnlyLoadedSatellitesAndMovesTheCameraOnlyIn3D)
{
    CKivDoc& doc = start();
    const struct {
        FollowOptions chosen;
        int cameraBefore;
        int followActive;
        int followed;
        int cameraAfter;
    } cases[] = {
        {{0, 1, 2, 1}, 0, 1, 2, 2},  // following in 3D
        {{0, 0, 2, 1}, 2, 0, 2, 0},  // both boxes clear: the free camera comes back
        {{1, 0, 1, 1}, 1, 1, 1, 1},  // WDB only: the geostationary camera stays
        {{1, 1, 3, 1}, 0, 0, 1, 0},  // slot 3 of 3 is no satellite: refused
        {{1, 1, 255, 1}, 0, 0, 1, 0}, // beyond the table
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen.FollowedSatellite);
        doc.CameraPos = c.cameraBefore;
        for (int i = 0; i < doc.SatelliteCount; ++i)
            doc.SatInfo[i].shown = 0;
        commands::followSatellite(doc, editor<FollowOptions>([&c](FollowOptions) { return std::optional(c.chosen); }));
        EXPECT_EQ(doc.FollowActive, c.followActive);
        EXPECT_EQ(doc.FollowedSatellite, c.followed);
        EXPECT_EQ(doc.CameraPos, c.cameraAfter);
        EXPECT_EQ(doc.SatInfo[c.followed].shown, c.chosen.FollowedSatellite == c.followed);
    }
}

TEST_F(DialogCommandsTest, OkClampsOnlyWhatTheDialogEditsAndAPauseSurvivesIt)
{
    CKivDoc& doc = start();
    doc.TimeFactor = 3600;
    doc.OnPause();
    doc.XExtension = 250; // out of range, and no business of these dialogs
    const auto unchanged = [](auto values) { return std::optional(values); };
    const std::pair<const char*, std::function<void()>> oks[] = {
        {"general", [&] { commands::editGeneralOptions(doc, editor<GeneralOptions>(unchanged)); }},
        {"weather", [&] { commands::editWeather(doc, editor<WeatherSettings>(unchanged)); }},
        {"2D style", [&] { commands::satelliteStyle2D(doc, editor<SatelliteStyle2D>(unchanged)); }},
        {"3D style", [&] { commands::satelliteStyle3D(doc, editor<SatelliteStyle3D>(unchanged)); }},
    };
    for (const auto& [name, ok] : oks) {
        SCOPED_TRACE(name);
        ok();
        EXPECT_EQ(doc.TimeFactor, 0);
        EXPECT_EQ(doc.PersistentTimeFactor(), 3600);
        EXPECT_EQ(doc.XExtension, 250);
    }
    doc.OnPause();
    EXPECT_EQ(doc.TimeFactor, 3600);
    // What a dialog edits is still brought into range.
    commands::editWeather(doc, editor<WeatherSettings>([](WeatherSettings w) {
                              w.WeatherStartLat = 700.0;
                              return std::optional(w);
                          }));
    EXPECT_EQ(doc.WeatherStartLat, 90.0);
}
