// Every field of every dialog: handed to the dialog as the document has it, taken back as the
// dialog left it (or kept, for what the dialog only shows), and a real dialog's OK without a
// change gives back what it was handed. A field dropped from a dialog's list, copied one way
// only or paired with the wrong member fails here. The dialogs' values carry the document's
// names, so each test names its fields once and reads them on both sides.
#include "dialogs/CAllgDlg.h"
#include "dialogs/CDrwstDlg.h"
#include "dialogs/CDstDlg2d.h"
#include "dialogs/CFolowDlg.h"
#include "dialogs/CWDBDlg.h"
#include "dialogs/DialogCommands.h"
#include "dialogs/WDBLayerCommand.h"
#include "tests/support/DocumentFixture.h"

#include <QFile>

#include <tuple>

using namespace kiv;
using namespace kiv::test;

namespace {

template <class Tie>
auto copied(const Tie& fields)
{
    return std::apply([](const auto&... f) { return std::tuple(f...); }, fields);
}

class DialogRoundTripTest : public DocumentTest {
protected:
    // Routes of 40 points, so that the tracks are made for them.
    CKivDoc& start()
    {
        writeFile("sats.tle", lowSatellites(3));
        writeFile("other.tle", lowSatellites(4, "OTHER "));
        CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\nNrOfPoints=40\n");
        attachFakeViews({ViewKind::World, ViewKind::Map});
        return doc;
    }

    // The named fields set to `before` in the document; the command runs with a dialog that sets
    // them to `after` in what it was handed. Checks what the dialog saw and what the document
    // then holds; returns what the dialog was handed.
    template <class Values, class Fields, class Tuple, class Command>
    static Values roundTrip(CKivDoc& doc, const Fields& fields, const Tuple& before, const Tuple& after,
                            const Command& command)
    {
        fields(doc) = before;
        Values seen{};
        command([&](const Values& in) {
            seen = in;
            Values out = in;
            fields(out) = after;
            return std::optional(out);
        });
        EXPECT_EQ(copied(fields(seen)), before);
        EXPECT_EQ(copied(fields(doc)), after);
        return seen;
    }
};

} // namespace

TEST_F(DialogRoundTripTest, GeneralOptions)
{
    CKivDoc& doc = start();
    ASSERT_TRUE(QFile::copy(filePath("kiv.clr"), filePath("other.clr")));
    const auto fields = [](auto& s) {
        return std::tie(s.AutoArrangeWindows, s.IconFileName, s.Satellitenfilename, s.ColorTableFileName,
                        s.AutoExtendX, s.AccuracyX, s.AccuracyY, s.NrOfOcularReflections, s.Sterne, s.BeamAngle,
                        s.CalculateExact);
    };
    using T = std::tuple<int, QString, QString, QString, float, int, int, int, int, float, int>;
    const T before{0, "in.sin", "sats.tle", "kiv.clr", 40.0f, 50, 30, 5, 200, 30.0f, 1};
    const T after{1, "out.sin", "other.tle", "other.clr", 60.0f, 70, 40, 7, 300, 45.0f, 0};
    // The view angle is taken back only with a reload, which the new element file asks for.
    roundTrip<GeneralOptions>(doc, fields, before, after, [&](auto edit) {
        commands::editGeneralOptions(doc, [&](const GeneralOptions& in) {
            std::optional<GeneralOptions> out = edit(in);
            out->ReloadNeeded = 1;
            return out;
        });
    });
    EXPECT_EQ(doc.SatelliteCount, 4);

    GeneralOptions out = commands::generalOptionsOf(doc);
    out.ReloadNeeded = 1;
    CAllgDlg dialog(out, services_, paths_, 1);
    dialog.accept();
    EXPECT_EQ(dialog.values(), out);
}

TEST_F(DialogRoundTripTest, Follow)
{
    CKivDoc& doc = start();
    const auto fields = [](auto& s) {
        return std::tie(s.FollowInWDB, s.FollowIn3D, s.FollowedSatellite, s.FollowMode3D);
    };
    roundTrip<FollowOptions>(doc, fields, std::tuple{1, 0, 2, 0}, std::tuple{0, 1, 1, 1},
                             [&](auto edit) { commands::followSatellite(doc, edit); });

    const FollowOptions out = commands::followOptionsOf(doc);
    CFolowDlg dialog(out, doc.SatelliteNames());
    dialog.accept();
    EXPECT_EQ(dialog.values(), out);
}

TEST_F(DialogRoundTripTest, Textures)
{
    CKivDoc& doc = start();
    const auto fields = [](auto& s) {
        return std::tie(s.TextureErdeFileName, s.ErdkarteFileName, s.NightMapFileName, s.WDBMapFileName);
    };
    using T = std::tuple<QString, QString, QString, QString>;
    roundTrip<TextureNames>(doc, fields, T{"globe.bmp", "day.bmp", "night1.bmp", "wdb1.bmp"},
                            T{"globe2.bmp", "day2.bmp", "night2.bmp", "wdb2.bmp"},
                            [&](auto edit) { commands::editTextures(doc, edit); });
}

TEST_F(DialogRoundTripTest, Weather)
{
    CKivDoc& doc = start();
    const auto fields = [](auto& s) {
        return std::tie(s.WeatherImageURL, s.WeatherBackgroundImage, s.WeatherTempFileName, s.WeatherStartLat,
                        s.WeatherStartLon, s.WeatherEndLat, s.WeatherEndLon, s.WeatherMapWidth, s.WeatherMapHeight,
                        s.WeatherKeepOriginalSize);
    };
    using T = std::tuple<QString, QString, QString, double, double, double, double, int, int, int>;
    doc.WeatherImage = {"http://in.test/a.jpg", "http://in.test/b.jpg", "", "", ""};
    const T before{"http://in.test/a.jpg", "in.bmp", "in.jpg", 60, 170, -60, -170, 800, 400, 0};
    const T after{"http://out.test/c.jpg", "out.bmp", "out.jpg", 50, 160, -50, -160, 600, 300, 0};
    const WeatherSettings in = roundTrip<WeatherSettings>(doc, fields, before, after,
                                                          [&](auto edit) { commands::editWeather(doc, edit); });
    // The recent list is the document's: the dialog sees it, and the new URL joins it.
    EXPECT_EQ(in.WeatherImage[1], "http://in.test/b.jpg");
    EXPECT_EQ(doc.WeatherImage[0], "http://out.test/c.jpg");
    EXPECT_EQ(doc.WeatherImage[1], "http://in.test/a.jpg");

    // A picture kept at its own size leaves the map size alone.
    commands::editWeather(doc, [](WeatherSettings w) {
        w.WeatherKeepOriginalSize = 1;
        w.WeatherMapWidth = 100;
        return std::optional(w);
    });
    EXPECT_EQ(doc.WeatherKeepOriginalSize, 1);
    EXPECT_EQ(doc.WeatherMapWidth, 600);
}

TEST_F(DialogRoundTripTest, SatelliteStyle2D)
{
    CKivDoc& doc = start();
    const auto fields = [](auto& s) {
        return std::tie(s.IconFileName, s.RouteLengthFactor, s.NrOfPoints, s.SatelliteName2D, s.SatellitePos2D,
                        s.ShowCourse2D, s.PenWidth);
    };
    using T = std::tuple<QString, double, int, int, int, int, int>;
    doc.SatInfo[0].shown = 1;
    doc.SatInfo[2].shown = 1;
    const SatelliteStyle2D in = roundTrip<SatelliteStyle2D>(
        doc, fields, T{"in.sin", 2.5, 40, 0, 1, 0, 3}, T{"out.sin", 3.25, 60, 1, 0, 1, 5}, [&](auto edit) {
            commands::satelliteStyle2D(doc, [&](const SatelliteStyle2D& values) {
                std::optional<SatelliteStyle2D> out = edit(values);
                out->shown = {0, 1, 1};
                return out;
            });
        });
    EXPECT_EQ((std::array{in.shown[0], in.shown[1], in.shown[2]}), (std::array{1, 0, 1}));
    EXPECT_EQ((std::array{doc.SatInfo[0].shown, doc.SatInfo[1].shown, doc.SatInfo[2].shown}), (std::array{0, 1, 1}));

    const SatelliteStyle2D out = commands::satelliteStyle2DOf(doc);
    CDstDlg2d dialog(doc, out);
    dialog.accept();
    EXPECT_EQ(copied(fields(dialog.values())), copied(fields(out)));
    EXPECT_EQ(dialog.values().shown, out.shown);
}

TEST_F(DialogRoundTripTest, SatelliteStyle3D)
{
    CKivDoc& doc = start();
    const auto fields = [](auto& s) {
        return std::tie(s.ShowCourse3D, s.BeamDrawStyle, s.SatelliteDrawStyle, s.TransparencyBeam, s.ShowCourseEarth3D,
                        s.NrOfPoints, s.RouteLengthFactor, s.BeamAngle, s.SatModelNrFromFile);
    };
    using T = std::tuple<int, int, int, float, int, int, double, float, int>;
    // What the preview draws with is handed over and stays the document's.
    const auto shownOnly = [](auto& s) { return std::tie(s.SatelliteModelFileName, s.AccuracyX, s.AccuracyY); };
    shownOnly(doc) = std::tuple(QString("in.dat"), 50, 30);
    const SatelliteStyle3D in = roundTrip<SatelliteStyle3D>(
        doc, fields, T{0, 1, 2, 0.25f, 1, 40, 2.5, 30.0f, 2}, T{1, 2, 3, 0.75f, 0, 60, 3.25, 45.0f, 3}, [&](auto edit) {
            commands::satelliteStyle3D(doc, [&](const SatelliteStyle3D& values) {
                std::optional<SatelliteStyle3D> out = edit(values);
                shownOnly(*out) = std::tuple(QString("out.dat"), 60, 40);
                out->colors[1][0] = 0x00010203;
                return out;
            });
        });
    EXPECT_EQ(copied(shownOnly(in)), std::tuple(QString("in.dat"), 50, 30));
    EXPECT_EQ(copied(shownOnly(doc)), std::tuple(QString("in.dat"), 50, 30));
    EXPECT_EQ(doc.SatInfo[1].color[0], 0x00010203u);

    const SatelliteStyle3D out = commands::satelliteStyle3DOf(doc);
    CDrwstDlg dialog(out, doc.SatelliteNames(), services_, true);
    dialog.accept();
    EXPECT_EQ(dialog.values(), out);
}

TEST_F(DialogRoundTripTest, WDBLayers)
{
    CKivDoc& doc = start();
    const auto fields = [](auto& s) {
        return std::tie(s.BDY_Layer, s.CIL_Layer, s.RIV_Layer, s.PBY_Layer, s.WDBColorFileName, s.WDBMapFileName,
                        s.BackgraoundTexture, s.ZoomStyle, s.ActivateAllLayers, s.EnableTowns, s.DynamicDisplayTowns,
                        s.AllSmal, s.WDBSmalTowns, s.WDBBigTowns, s.StaticGrid, s.DrawGrid, s.GridStyle,
                        s.GridDistance, s.XExtension);
    };
    using T = std::tuple<int, int, int, int, QString, QString, int, int, int, int, int, int, QString, QString, int, int,
                         int, double, int>;
    const WDBLayerSettings in = roundTrip<WDBLayerSettings>(
        doc, fields, T{2, 5, 6, 1, "in.col", "in.bmp", 0, 9, 1, 0, 1, 0, "in1.twn", "in2.twn", 1, 0, 1, 15.0, 60},
        T{3, 6, 7, 2, "out.col", "out.bmp", 1, 10, 0, 1, 0, 1, "out1.twn", "out2.twn", 0, 1, 4, 16.0, 61},
        [&](auto edit) {
            commands::editWDBLayers(doc, [&](const WDBLayerSettings& values) {
                std::optional<WDBLayerSettings> out = edit(values);
                out->Language = 0;
                return out;
            });
        });
    // The language is shown in the sheet and never taken back.
    EXPECT_EQ(in.Language, 1);
    EXPECT_EQ(doc.Language, 1);

    const WDBLayerSettings out = WDBLayerSettings::fromDocument(doc);
    CWDBDlg dialog(out, services_, paths_);
    dialog.accept();
    EXPECT_EQ(dialog.values(), out);
}
