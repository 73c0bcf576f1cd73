// Saving the document into a settings archive and restoring it, without windows.
#include "document/SettingsArchive.h"
#include "document/SettingsSnapshot.h"
#include "tests/document/OlderSettingsFile.h"
#include "tests/support/DocumentFixture.h"

#include <QDir>
#include <QFile>

using namespace kiv;
using namespace kiv::test;

namespace {

const char* kProfile = "[Allgemein]\nSatellitenfilename=sats.tle\n";

// What a restore must not touch when it refuses a file.
struct Observed {
    int count;
    std::int64_t time;
    int points;
    COLORREF colour;
    QString elementFile;
    std::string firstName;
    friend bool operator==(const Observed&, const Observed&) = default;
};

Observed observe(const CKivDoc& doc)
{
    return {doc.SatelliteCount, doc.SimTime.secondsSince1970(), doc.NrOfPoints, doc.SatInfo[0].color[0],
            doc.Satellitenfilename, doc.SatelliteLines[0].name};
}

} // namespace

TEST_F(DocumentTest, SavedStateComesBackAfterChanges)
{
    writeFile("sats.tle", lowSatellites(4, "SAT "));
    CKivDoc& doc = makeDocument(kProfile);
    ASSERT_EQ(doc.SatelliteCount, 4);
    doc.SetSimTime(Time(1'800'000'000));
    doc.NrOfPoints = 77;
    doc.TimeFactor = 0; // paused, so that the restore's one step leaves the clock
    doc.SatInfo[2].color[0] = rgb(1, 2, 3);
    doc.SatInfo[3].shown = 1;
    doc.FollowActive = 1;
    doc.FollowedSatellite = 3;
    const QString file = filePath("scene.set");
    ASSERT_TRUE(doc.SaveSettingsArchive(file));

    writeFile("sats.tle", lowSatellites(2));
    doc.ReloadSatellites();
    doc.SetSimTime(Time(1'000'000'000));
    doc.NrOfPoints = 35;
    doc.TimeFactor = 60;
    doc.FollowActive = 0;
    ui_.clock.setMonotonicMs(987654);
    ASSERT_TRUE(doc.RestoreSettingsArchive(file));
    EXPECT_EQ(doc.SatelliteCount, 4);
    EXPECT_EQ(doc.SatelliteLines[3].name, "SAT 3");
    EXPECT_EQ(doc.SimTime.secondsSince1970(), 1'800'000'000);
    EXPECT_EQ(doc.NrOfPoints, 77);
    EXPECT_EQ(doc.TimeFactor, 0);
    EXPECT_EQ(doc.SatInfo[2].color[0], rgb(1, 2, 3));
    EXPECT_EQ(doc.SatInfo[3].shown, 1);
    EXPECT_EQ(doc.FollowActive, 1);
    EXPECT_EQ(doc.FollowedSatellite, 3);
    // The clocks count from now, not from the ticks of the session that saved.
    EXPECT_EQ(doc.LastTick, 987654u);
    EXPECT_EQ(doc.StartTick, 987654u);
}

TEST_F(DocumentTest, StateIsSavedFromMemoryNotFromTheElementFile)
{
    writeFile("sats.tle", lowSatellites(3));
    CKivDoc& doc = makeDocument(kProfile);
    removeFile("sats.tle"); // gone or edited since: the loaded sets are what is saved
    const QString file = filePath("scene.set");
    ASSERT_TRUE(doc.SaveSettingsArchive(file));
    doc.FreeSatellites();
    ui_.messages.clear();
    ASSERT_TRUE(doc.RestoreSettingsArchive(file));
    EXPECT_EQ(doc.SatelliteCount, 3);
    // The named file no longer exists: the name is emptied, the title says so.
    EXPECT_EQ(doc.Satellitenfilename, QString());
    EXPECT_TRUE(frame_.title.endsWith(" File not found !")) << frame_.title.toStdString();
}

TEST_F(DocumentTest, IconsAreRenumberedSoThatEveryIndexHasAnEntry)
{
    writeFile("sats.tle", lowSatellites(2));
    CKivDoc& doc = makeDocument(kProfile);
    // Slot 0 uses entry 7: beyond what k < n writes (only entry 1), so it is written as entry 1.
    doc.Icons[7].fileName = "seven.png";
    doc.Icons[7].icon = QImage(32, 32, QImage::Format_ARGB32);
    doc.Icons[7].icon.fill(qRgb(10, 200, 30));
    doc.SatInfo[0].iconIndex = 7;
    const SettingsSnapshot s = doc.CollectSettings();
    ASSERT_EQ(s.icons.size(), 1u);
    EXPECT_EQ(s.icons[0].fileName, "seven.png");
    EXPECT_EQ(s.icons[0].refCount, 1);
    EXPECT_EQ(s.satellites[0].iconIndex, 1);
    EXPECT_EQ(s.satellites[1].iconIndex, 0);
    ASSERT_EQ(s.images.size(), 1u);

    const QString file = filePath("icons.set");
    ASSERT_TRUE(doc.SaveSettingsArchive(file));
    doc.SatInfo[0].iconIndex = 0;
    ASSERT_TRUE(doc.RestoreSettingsArchive(file));
    EXPECT_EQ(doc.SatInfo[0].iconIndex, 1);
    EXPECT_EQ(doc.Icons[1].fileName, "seven.png");
    EXPECT_EQ(doc.Icons[1].refCount, 1);
    // The archive's picture, not a load of the (missing) file.
    EXPECT_EQ(doc.Icons[1].icon.pixel(16, 16), qRgb(10, 200, 30));
}

TEST_F(DocumentTest, DamagedFilesChangeNothing)
{
    writeFile("sats.tle", lowSatellites(3));
    CKivDoc& doc = makeDocument(kProfile);
    const QString file = filePath("scene.set");
    ASSERT_TRUE(doc.SaveSettingsArchive(file));
    const QByteArray good = readFile("scene.set");
    doc.NrOfPoints = 99;
    doc.SatInfo[0].color[0] = rgb(9, 9, 9);
    const Observed before = observe(doc);

    struct Case {
        const char* what;
        QByteArray bytes;
        const char* start; // of the message
    };
    QByteArray tooMany = good;
    tooMany[663] = static_cast<char>(0); // n = 256
    tooMany[664] = static_cast<char>(1);
    QByteArray old = good;
    old.replace(30, 4, "1.50");
    const Case cases[] = {
        {"cut in half", good.left(good.size() / 2), "The settings file "},
        {"cut by one byte", good.left(good.size() - 1), "The settings file "},
        {"256 satellites", tooMany, "The settings file "},
        {"version 1.50", old, "The settings file "},
        {"text", QByteArray("hello, world\n"), "The file "},
        {"empty", QByteArray(), "The file "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString bad = filePath("bad.set");
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        ui_.messages.clear();
        EXPECT_FALSE(doc.RestoreSettingsArchive(bad));
        ASSERT_EQ(ui_.messages.texts().size(), 1u);
        EXPECT_TRUE(ui_.messages.texts()[0].startsWith(QLatin1String(c.start))) << ui_.messages.texts()[0].toStdString();
        EXPECT_TRUE(ui_.messages.texts()[0].endsWith("Nothing has been changed.")) << ui_.messages.texts()[0].toStdString();
        EXPECT_EQ(observe(doc), before);
        EXPECT_EQ(ui_.waitDepth(), 0);
    }
    ui_.messages.clear();
    EXPECT_FALSE(doc.RestoreSettingsArchive(filePath("missing.set")));
    EXPECT_TRUE(ui_.messages.texts().at(0).startsWith("Could not open the settings file ")) << ui_.messages.texts()[0].toStdString();
    EXPECT_EQ(observe(doc), before);
}

TEST_F(DocumentTest, TimeBeyondTheArchiveRangeRefusesTheSaveBeforeTheFileIsTouched)
{
    writeFile("sats.tle", lowSatellites(1));
    writeFile("scene.set", "the old file");
    CKivDoc& doc = makeDocument(kProfile);
    for (const std::int64_t t : {std::int64_t{-1}, std::int64_t{0x100000000}}) {
        doc.SimTime = Time(t);
        ui_.messages.clear();
        EXPECT_FALSE(doc.SaveSettingsArchive(filePath("scene.set")));
        EXPECT_EQ(readFile("scene.set"), QByteArray("the old file"));
        ASSERT_EQ(ui_.messages.texts().size(), 1u);
        EXPECT_TRUE(ui_.messages.texts()[0].endsWith("Nothing was saved."));
    }
    doc.SimTime = Time(0xFFFFFFFF);
    EXPECT_TRUE(doc.SaveSettingsArchive(filePath("scene.set")));
}

TEST_F(DocumentTest, SaveCommandAsksForAFileAndAddsTheExtension)
{
    writeFile("sats.tle", lowSatellites(1));
    CKivDoc& doc = makeDocument(kProfile);
    ui_.files.queueAnswer(filePath("scene"));
    doc.OnSaveSettings();
    ASSERT_EQ(ui_.files.shown().size(), 1u);
    const FileDialogRequest& r = ui_.files.shown()[0].request;
    EXPECT_EQ(r.title, "File-Save-Dialog for the actual configuration");
    EXPECT_EQ(r.filter, "Settings (*.set *.SET)");
    EXPECT_FALSE(r.confirmOverwrite);
    EXPECT_TRUE(QFile::exists(filePath("scene.set")));

    // Without the element file, or without satellites, there is nothing to save: the message
    // comes before any dialog, in the document's language.
    ASSERT_TRUE(QFile::remove(filePath("sats.tle")));
    for (const int language : {1, 0}) {
        doc.Language = language;
        ui_.messages.clear();
        doc.OnSaveSettings();
        EXPECT_EQ(ui_.files.shown().size(), 1u);
        EXPECT_EQ(ui_.messages.captions(), std::vector<QString>{"Attention"});
        ASSERT_EQ(ui_.messages.texts().size(), 1u);
        EXPECT_TRUE(ui_.messages.texts()[0].startsWith(language ? "Sorry, to save the status I need the satellite data file sats.tle,"
                                                                : "Sorry, um den Status zu speichern benötige ich das Satelliten-Daten-File sats.tle."))
            << ui_.messages.texts()[0].toStdString();
    }
    writeFile("sats.tle", lowSatellites(1));
    doc.FreeSatellites();
    ui_.messages.clear();
    doc.OnSaveSettings();
    EXPECT_EQ(ui_.files.shown().size(), 1u);
    EXPECT_EQ(ui_.messages.captions(), std::vector<QString>{"Attention"});
}

TEST_F(DocumentTest, ArchiveDialogsStartInTheFolderOfTheLastArchive)
{
    writeFile("sats.tle", lowSatellites(1));
    CKivDoc& doc = makeDocument(kProfile);
    for (const char* folder : {"saved", "copied", "bad"})
        ASSERT_TRUE(QDir().mkpath(filePath(folder)));
    writeFile("bad/broken.set", "no archive");
    const auto run = [&](void (CKivDoc::*command)(), std::optional<QString> answer) {
        ui_.files.queueAnswer(std::move(answer));
        (doc.*command)();
        return ui_.files.shown().back().request.initialPath;
    };
    // The first of a session starts in the user data folder, made for it.
    EXPECT_EQ(run(&CKivDoc::OnRestoreSettings, std::nullopt), filePath("user"));
    EXPECT_TRUE(QDir(filePath("user")).exists());
    EXPECT_EQ(run(&CKivDoc::OnSaveSettings, filePath("saved/scene")), filePath("user"));
    ASSERT_TRUE(QFile::copy(filePath("saved/scene.set"), filePath("copied/scene.set")));
    EXPECT_EQ(run(&CKivDoc::OnRestoreSettings, filePath("copied/scene.set")), filePath("saved"));
    EXPECT_EQ(run(&CKivDoc::OnRestoreSettings, filePath("bad/broken.set")), filePath("copied"));
    EXPECT_EQ(run(&CKivDoc::OnSaveSettings, std::nullopt), filePath("copied")) << "a refused file is no archive";
}

TEST_F(DocumentTest, RestoreCommandAsksAboutAChangedColourTableFirst)
{
    writeFile("sats.tle", lowSatellites(1));
    CKivDoc& doc = makeDocument(kProfile);
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        doc.ColorTableChanged = 1;
        ui_.messages.clear();
        ui_.messages.queueAnswer(answer);
        doc.OnRestoreSettings(); // Cancel in the file dialog
        EXPECT_EQ(ui_.messages.captions(), std::vector<QString>{"Attention !"});
        EXPECT_EQ(doc.ColorTableChanged, 0);
    }
    EXPECT_EQ(ui_.files.shown().back().request.title, "File-Restore-Dialog for saved Configurations");
}

TEST_F(DocumentTest, OlderLayoutKeepsTheIconsAndTakesOnlyExistingFiles)
{
    writeFile("sats.tle", lowSatellites(3));
    writeFile("old.clr", "");
    CKivDoc& doc = makeDocument(kProfile);
    doc.SatInfo[1].iconIndex = 5;
    doc.Icons[5].fileName = "five.ico";
    const QString mapBefore = doc.ErdkarteFileName;
    std::vector<ElementLines> sets;
    for (int i = 0; i < 2; ++i) {
        Elements e;
        e.catalogNumber = 300 + i;
        e.meanMotion = 1.0027; // still up in 2038, the file's time
        e.bstar = 0.0;
        const Tle tle = makeTle("OLD " + std::to_string(i), e);
        sets.push_back({tle.name, tle.line1, tle.line2});
    }
    const QString file = filePath("old.set");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(olderFile(false, false, sets));
    f.close();
    ui_.messages.clear();
    ASSERT_TRUE(doc.RestoreSettingsArchive(file));
    EXPECT_TRUE(ui_.messages.texts().empty()) << ui_.messages.texts().front().toStdString();
    EXPECT_EQ(doc.SatelliteCount, 2);
    EXPECT_EQ(doc.SatelliteLines[1].name, "OLD 1");
    EXPECT_EQ(doc.SatInfo[1].iconIndex, 5); // the older layout has no icons
    EXPECT_EQ(doc.Icons[5].fileName, "five.ico");
    EXPECT_EQ(doc.ColorTableFileName, "old.clr");      // there
    EXPECT_EQ(doc.ErdkarteFileName, mapBefore);         // "map2d.bmp" is not
    EXPECT_EQ(doc.Satellitenfilename, QString());       // nor "old.tle"
    EXPECT_EQ(doc.SimTime.secondsSince1970(), 0x80000000LL); // unsigned: 2038, not 1901
    EXPECT_EQ(doc.NrOfPoints, 44);
    EXPECT_EQ(doc.AnimationRunning, 0);
}

// Every document value an archive keeps comes back, whichever step of the restore takes it.
TEST_F(DocumentTest, EveryDocumentValueOfTheArchiveComesBack)
{
    writeFile("sats.tle", lowSatellites(4, "SAT "));
    CKivDoc& doc = makeDocument(kProfile);
    // Every view open, so that every section of the file is written.
    attachFakeViews({ViewKind::World, ViewKind::Map, ViewKind::WDB, ViewKind::Obs});
    const auto values = [&doc] {
        return std::tie(doc.DisplayAll, doc.AnimationRunning, doc.FollowActive, doc.FollowedSatellite, doc.FollowIn3D,
                        doc.FollowMode3D, doc.FollowInWDB, doc.ShadeMode, doc.ShowCourseEarth3D,
                        doc.TownPopulationMin, doc.ObsSetValue, doc.fUserW);
    };
    using Values = std::tuple<int, int, int, int, int, int, int, int, int, int, int, double>;
    const Values saved{1, 0, 1, 3, 1, 0, 1, 3, 1, 250000, 7, 0.25};
    values() = saved;
    doc.TimeFactor = 0;
    ASSERT_TRUE(doc.SaveSettingsArchive(filePath("all.set")));

    values() = Values{0, 1, 0, 1, 0, 2, 0, 2, 0, 5, 2, -1.0};
    ASSERT_TRUE(doc.RestoreSettingsArchive(filePath("all.set")));
    EXPECT_EQ(Values(values()), saved);
}
