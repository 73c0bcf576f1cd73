// Every field of every dialog: handed to the dialog as the document has it, taken back as the
// dialog left it (or kept, for what the dialog only shows), and a real dialog's OK without a
// change gives back what it was handed. A field dropped from a dialog's list, copied one way
// only or paired with the wrong member fails here.
#include "dialogs/CAllgDlg.h"
#include "dialogs/CDrwstDlg.h"
#include "dialogs/CDstDlg2d.h"
#include "dialogs/CFolowDlg.h"
#include "dialogs/CWDBDlg.h"
#include "dialogs/DialogCommands.h"
#include "dialogs/WDBLayerCommand.h"
#include "tests/support/DocumentFixture.h"

#include <QFile>

using namespace kiv;
using namespace kiv::test;

namespace {

class DialogRoundTripTest : public DocumentTest {
protected:
    // Routes of 40 points, so that the tracks are made for them.
    CKivDoc& start()
    {
        writeFile("sats.tle", lowSatellites(3));
        writeFile("other.tle", lowSatellites(4, "OTHER "));
        CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\nNrOfPoints=40\n");
        attachFakeViews({ViewKind::World, ViewKind::Map});
        ui_.messages.clear();
        return doc;
    }

    // Runs a command whose dialog answers `out`; what the dialog was handed.
    template <class Values, class Command>
    static Values handedOver(const Command& command, const Values& out)
    {
        std::optional<Values> seen;
        command([&](const Values& in) {
            seen = in;
            return std::optional(out);
        });
        EXPECT_TRUE(seen.has_value());
        return seen.value_or(Values{});
    }
};

} // namespace

TEST_F(DialogRoundTripTest, GeneralOptions)
{
    CKivDoc& doc = start();
    doc.AutoArrangeWindows = 0;
    doc.IconFileName = "in.sin";
    doc.AutoExtendX = 40.0f;
    doc.AccuracyX = 50;
    doc.AccuracyY = 30;
    doc.NrOfOcularReflections = 5;
    doc.Sterne = 200;
    doc.BeamAngle = 30.0f;
    doc.CalculateExact = 1;
    const GeneralOptions in{0, "in.sin", "sats.tle", "kiv.clr", 40.0f, 50, 30, 5, 200, 30.0f, 1, 0};
    ASSERT_TRUE(QFile::copy(filePath("kiv.clr"), filePath("other.clr")));
    const GeneralOptions out{1, "out.sin", "other.tle", "other.clr", 60.0f, 70, 40, 7, 300, 45.0f, 0, 1};

    EXPECT_EQ(handedOver([&](auto edit) { commands::editGeneralOptions(doc, edit); }, out), in);
    EXPECT_EQ(doc.AutoArrangeWindows, 1);
    EXPECT_EQ(doc.IconFileName, "out.sin");
    EXPECT_EQ(doc.Satellitenfilename, "other.tle");
    EXPECT_EQ(doc.ColorTableFileName, "other.clr");
    EXPECT_EQ(doc.AutoExtendX, 60.0f);
    EXPECT_EQ(doc.AccuracyX, 70);
    EXPECT_EQ(doc.AccuracyY, 40);
    EXPECT_EQ(doc.NrOfOcularReflections, 7);
    EXPECT_EQ(doc.Sterne, 300);
    EXPECT_EQ(doc.BeamAngle, 45.0f);
    EXPECT_EQ(doc.CalculateExact, 0);
    EXPECT_EQ(doc.SatelliteCount, 4); // reloaded from the new file

    CAllgDlg dialog(out, services_, paths_, 1);
    dialog.accept();
    EXPECT_EQ(dialog.values(), out);
}

TEST_F(DialogRoundTripTest, Follow)
{
    CKivDoc& doc = start();
    doc.FollowInWDB = 1;
    doc.FollowIn3D = 0;
    doc.FollowedSatellite = 2;
    doc.FollowMode3D = 0;
    const FollowOptions out{0, 1, 1, 1};
    EXPECT_EQ(handedOver([&](auto edit) { commands::followSatellite(doc, edit); }, out), (FollowOptions{1, 0, 2, 0}));
    EXPECT_EQ(doc.FollowInWDB, 0);
    EXPECT_EQ(doc.FollowIn3D, 1);
    EXPECT_EQ(doc.FollowedSatellite, 1);
    EXPECT_EQ(doc.FollowMode3D, 1);

    CFolowDlg dialog(out, doc.SatelliteNames());
    dialog.accept();
    EXPECT_EQ(dialog.values(), out);
}

TEST_F(DialogRoundTripTest, Textures)
{
    CKivDoc& doc = start();
    doc.TextureErdeFileName = "globe.bmp";
    doc.ErdkarteFileName = "day.bmp";
    doc.NightMapFileName = "night1.bmp";
    doc.WDBMapFileName = "wdb1.bmp";
    const TextureNames out{"globe2.bmp", "day2.bmp", "night2.bmp", "wdb2.bmp"};
    EXPECT_EQ(handedOver([&](auto edit) { commands::editTextures(doc, edit); }, out),
              (TextureNames{"globe.bmp", "day.bmp", "night1.bmp", "wdb1.bmp"}));
    EXPECT_EQ(doc.TextureErdeFileName, "globe2.bmp");
    EXPECT_EQ(doc.ErdkarteFileName, "day2.bmp");
    EXPECT_EQ(doc.NightMapFileName, "night2.bmp");
    EXPECT_EQ(doc.WDBMapFileName, "wdb2.bmp");
}

TEST_F(DialogRoundTripTest, Weather)
{
    CKivDoc& doc = start();
    doc.WeatherImageURL = "http://in.test/a.jpg";
    doc.WeatherBackgroundImage = "in.bmp";
    doc.WeatherTempFileName = "in.jpg";
    doc.WeatherStartLat = 60.0;
    doc.WeatherStartLon = 170.0;
    doc.WeatherEndLat = -60.0;
    doc.WeatherEndLon = -170.0;
    doc.WeatherMapWidth = 800;
    doc.WeatherMapHeight = 400;
    doc.WeatherKeepOriginalSize = 0;
    doc.WeatherImage = {"http://in.test/a.jpg", "http://in.test/b.jpg", "", "", ""};
    const WeatherSettings in{"http://in.test/a.jpg", "in.bmp", "in.jpg", 60.0, 170.0, -60.0, -170.0, 800, 400, 0,
                             doc.WeatherImage};
    WeatherSettings out{"http://out.test/c.jpg", "out.bmp", "out.jpg", 50.0, 160.0, -50.0, -160.0, 600, 300, 0,
                        {"ignored", "", "", "", ""}};
    EXPECT_EQ(handedOver([&](auto edit) { commands::editWeather(doc, edit); }, out), in);
    EXPECT_EQ(doc.WeatherImageURL, "http://out.test/c.jpg");
    EXPECT_EQ(doc.WeatherBackgroundImage, "out.bmp");
    EXPECT_EQ(doc.WeatherTempFileName, "out.jpg");
    EXPECT_EQ(doc.WeatherStartLat, 50.0);
    EXPECT_EQ(doc.WeatherStartLon, 160.0);
    EXPECT_EQ(doc.WeatherEndLat, -50.0);
    EXPECT_EQ(doc.WeatherEndLon, -160.0);
    EXPECT_EQ(doc.WeatherMapWidth, 600);
    EXPECT_EQ(doc.WeatherMapHeight, 300);
    EXPECT_EQ(doc.WeatherKeepOriginalSize, 0);
    // The recent list is the document's: the new URL joins it.
    EXPECT_EQ(doc.WeatherImage[0], "http://out.test/c.jpg");
    EXPECT_EQ(doc.WeatherImage[1], "http://in.test/a.jpg");

    // A picture kept at its own size leaves the map size alone.
    out.WeatherKeepOriginalSize = 1;
    out.WeatherMapWidth = 100;
    handedOver([&](auto edit) { commands::editWeather(doc, edit); }, out);
    EXPECT_EQ(doc.WeatherKeepOriginalSize, 1);
    EXPECT_EQ(doc.WeatherMapWidth, 600);
}

TEST_F(DialogRoundTripTest, SatelliteStyle2D)
{
    CKivDoc& doc = start();
    doc.RouteLengthFactor = 2.5;
    doc.SatelliteName2D = 0;
    doc.SatellitePos2D = 1;
    doc.ShowCourse2D = 0;
    doc.PenWidth = 3;
    doc.SatInfo[0].shown = 1;
    doc.SatInfo[1].shown = 0;
    doc.SatInfo[2].shown = 1;
    SatelliteStyle2D out = commands::satelliteStyle2DOf(doc);
    out.IconFileName = "out.sin";
    out.RouteLengthFactor = 3.25;
    out.NrOfPoints = 60;
    out.SatelliteName2D = 1;
    out.SatellitePos2D = 0;
    out.ShowCourse2D = 1;
    out.PenWidth = 5;
    out.shown = {0, 1, 1};
    const SatelliteStyle2D in = handedOver([&](auto edit) { commands::satelliteStyle2D(doc, edit); }, out);
    EXPECT_EQ(in.IconFileName, "kiv.sin");
    EXPECT_EQ(in.RouteLengthFactor, 2.5);
    EXPECT_EQ(in.NrOfPoints, 40);
    EXPECT_EQ(in.SatelliteName2D, 0);
    EXPECT_EQ(in.SatellitePos2D, 1);
    EXPECT_EQ(in.ShowCourse2D, 0);
    EXPECT_EQ(in.PenWidth, 3);
    EXPECT_EQ(in.shown[1], 0);
    EXPECT_EQ(in.shown[2], 1);

    EXPECT_EQ(doc.IconFileName, "out.sin");
    EXPECT_EQ(doc.RouteLengthFactor, 3.25);
    EXPECT_EQ(doc.NrOfPoints, 60);
    EXPECT_EQ(doc.SatelliteName2D, 1);
    EXPECT_EQ(doc.SatellitePos2D, 0);
    EXPECT_EQ(doc.ShowCourse2D, 1);
    EXPECT_EQ(doc.PenWidth, 5);
    EXPECT_EQ((std::array{doc.SatInfo[0].shown, doc.SatInfo[1].shown, doc.SatInfo[2].shown}), (std::array{0, 1, 1}));

    CDstDlg2d dialog(doc, out);
    dialog.accept();
    const SatelliteStyle2D& back = dialog.values();
    EXPECT_EQ(std::tie(back.IconFileName, back.RouteLengthFactor, back.NrOfPoints, back.SatelliteName2D,
                       back.SatellitePos2D, back.ShowCourse2D, back.PenWidth, back.shown),
              std::tie(out.IconFileName, out.RouteLengthFactor, out.NrOfPoints, out.SatelliteName2D,
                       out.SatellitePos2D, out.ShowCourse2D, out.PenWidth, out.shown));
}

TEST_F(DialogRoundTripTest, SatelliteStyle3D)
{
    CKivDoc& doc = start();
    doc.ShowCourse3D = 0;
    doc.BeamDrawStyle = 1;
    doc.SatelliteDrawStyle = 2;
    doc.TransparencyBeam = 0.25f;
    doc.ShowCourseEarth3D = 1;
    doc.RouteLengthFactor = 2.5;
    doc.BeamAngle = 30.0f;
    doc.SatModelNrFromFile = 2;
    doc.SatelliteModelFileName = "in.dat";
    doc.AccuracyX = 50;
    doc.AccuracyY = 30;
    SatelliteStyle3D in = commands::satelliteStyle3DOf(doc);
    SatelliteStyle3D out = in;
    out.ShowCourse3D = 1;
    out.BeamDrawStyle = 2;
    out.SatelliteDrawStyle = 3;
    out.TransparencyBeam = 0.75f;
    out.ShowCourseEarth3D = 0;
    out.NrOfPoints = 60;
    out.RouteLengthFactor = 3.25;
    out.BeamAngle = 45.0f;
    out.SatModelNrFromFile = 3;
    out.shown = {0, 1, 1};
    out.colors[1][0] = 0x00010203;
    // What the preview draws with stays the document's.
    out.SatelliteModelFileName = "out.dat";
    out.AccuracyX = 60;
    out.AccuracyY = 40;
    EXPECT_EQ(handedOver([&](auto edit) { commands::satelliteStyle3D(doc, edit); }, out), in);
    EXPECT_EQ(in.ShowCourse3D, 0);
    EXPECT_EQ(in.TransparencyBeam, 0.25f);
    EXPECT_EQ(in.ShowCourseEarth3D, 1);
    EXPECT_EQ(in.SatelliteModelFileName, "in.dat");
    EXPECT_EQ(in.AccuracyY, 30);

    EXPECT_EQ(doc.ShowCourse3D, 1);
    EXPECT_EQ(doc.BeamDrawStyle, 2);
    EXPECT_EQ(doc.SatelliteDrawStyle, 3);
    EXPECT_EQ(doc.TransparencyBeam, 0.75f);
    EXPECT_EQ(doc.ShowCourseEarth3D, 0);
    EXPECT_EQ(doc.NrOfPoints, 60);
    EXPECT_EQ(doc.RouteLengthFactor, 3.25);
    EXPECT_EQ(doc.BeamAngle, 45.0f);
    EXPECT_EQ(doc.SatModelNrFromFile, 3);
    EXPECT_EQ((std::array{doc.SatInfo[0].shown, doc.SatInfo[1].shown, doc.SatInfo[2].shown}), (std::array{0, 1, 1}));
    EXPECT_EQ(doc.SatInfo[1].color[0], 0x00010203u);
    EXPECT_EQ(doc.SatelliteModelFileName, "in.dat");
    EXPECT_EQ(doc.AccuracyX, 50);
    EXPECT_EQ(doc.AccuracyY, 30);

    CDrwstDlg dialog(out, doc.SatelliteNames(), services_, true);
    dialog.accept();
    EXPECT_EQ(dialog.values(), out);
}

TEST_F(DialogRoundTripTest, WDBLayers)
{
    CKivDoc& doc = start();
    // The sheet's fields by name, in the document or in the sheet's values alike.
    const auto fields = [](auto& s) {
        return std::tie(s.BDY_Layer, s.CIL_Layer, s.RIV_Layer, s.PBY_Layer, s.WDBColorFileName, s.WDBMapFileName,
                        s.BackgraoundTexture, s.ZoomStyle, s.ActivateAllLayers, s.EnableTowns, s.DynamicDisplayTowns,
                        s.AllSmal, s.WDBSmalTowns, s.WDBBigTowns, s.StaticGrid, s.DrawGrid, s.GridStyle,
                        s.GridDistance, s.XExtension);
    };
    using Fields = std::tuple<int, int, int, int, QString, QString, int, int, int, int, int, int, QString, QString, int,
                              int, int, double, int>;
    const Fields before{2, 5, 6, 1, "in.col", "in.bmp", 0, 9, 1, 0, 1, 0, "in1.twn", "in2.twn", 1, 0, 1, 15.0, 60};
    const Fields after{3, 6, 7, 2, "out.col", "out.bmp", 1, 10, 0, 1, 0, 1, "out1.twn", "out2.twn", 0, 1, 4, 16.0, 61};
    fields(doc) = before;
    WDBLayerSettings out;
    fields(out) = after;
    out.Language = 0;

    const WDBLayerSettings in = handedOver([&](auto edit) { commands::editWDBLayers(doc, edit); }, out);
    EXPECT_EQ(Fields(fields(in)), before);
    EXPECT_EQ(in.Language, 1);
    EXPECT_EQ(Fields(fields(doc)), after);
    EXPECT_EQ(doc.Language, 1); // shown, never taken back

    CWDBDlg dialog(out, services_, paths_);
    dialog.accept();
    EXPECT_EQ(dialog.values(), out);
}
