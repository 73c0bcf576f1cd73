// Settings in the profile: defaults, text forms, ranges and the URL lists.
#include "tests/support/Prerequisite.h"
#include "document/SettingsTable.h"
#include "platform/IniProfile.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

using namespace kiv;

namespace {

KivSettings loaded(const char* text)
{
    kiv::IniProfile profile;
    profile.parse(text);
    KivSettings s;
    loadSettings(s, profile);
    return s;
}

QString saved(const KivSettings& s)
{
    kiv::IniProfile profile;
    saveSettings(s, profile);
    return QString::fromUtf8(profile.toBytes());
}

} // namespace

TEST(Settings, AnEmptyProfileGivesTheDefaults)
{
    const KivSettings s = loaded("");
    EXPECT_EQ(s.Language, 1);
    EXPECT_EQ(s.TimeFactor, 1);
    EXPECT_EQ(s.NrOfPoints, 35);
    EXPECT_EQ(s.Satellitenfilename, "intelsat.tle");
    EXPECT_EQ(s.Show3D + s.Show2D + s.ShowWDB + s.ShowObs, 4);
    EXPECT_EQ(s.cColorBackground, 0x400000u);
    EXPECT_FLOAT_EQ(s.BeamAngle, 20.0f);
    EXPECT_DOUBLE_EQ(s.fTwilight, -6.0);
    EXPECT_EQ(s.Normal, tagQUALITY{});
    EXPECT_TRUE(s.InternetFileName[0].endsWith("/NORAD/elements/gps-ops.txt"));
    EXPECT_TRUE(s.InternetFileName[3].isEmpty());

    const QString text = saved(s);
    EXPECT_TRUE(text.startsWith("[Allgemein]\nSatellitenfilename=intelsat.tle\nRouteLengthFactor=1.000000\n"));
    for (const char* section : {"[Datei]", "[Weltkarte]", "[Texture]", "[WorldDataBase]", "[ObserverView]", "[Weather]",
                                "[MouseMove]", "[Normal]"})
        EXPECT_TRUE(text.contains(section)) << section;
    EXPECT_TRUE(text.contains("NormalLightning=TRUE"));
}

TEST(Settings, TextFormsOfBooleansAndFloats)
{
    const KivSettings s = loaded("[Allgemein]\nShowCourse3D=True\nShowCourse2D=1\nFootprint3D=TRUE\n"
                                 "[ObserverView]\nfUserLat=48.1234567\nfUserLon=abc\n");
    EXPECT_EQ(s.ShowCourse3D, 0);
    EXPECT_EQ(s.ShowCourse2D, 0);
    EXPECT_EQ(s.Footprint3D, 1);
    EXPECT_DOUBLE_EQ(s.fUserLat, 48.12345504760742);
    EXPECT_EQ(s.fUserLon, 0.0);
    EXPECT_TRUE(saved(s).contains("fUserLat=48.123455\n"));
}

TEST(Settings, ZoomBoxValuesComeBackUnderTheNameTheyAreWrittenWith)
{
    KivSettings s = loaded("");
    s.bOBSStartZoomboxAzi = 12.5;
    s.bOBSEndZoomboxEle = -3.25;
    s.ActualLatitude = 77.75f;
    const QString text = saved(s);
    EXPECT_TRUE(text.contains("vOBSStartZoomboxAzi=12.500000"));
    EXPECT_FALSE(text.contains("bOBSStartZoomboxAzi"));
    const KivSettings back = loaded(text.toUtf8().constData());
    EXPECT_EQ(back.bOBSStartZoomboxAzi, 12.5);
    EXPECT_EQ(back.bOBSEndZoomboxEle, -3.25);
    EXPECT_EQ(back.ActualLatitude, 77.75f);
}

TEST(Settings, TimeFactorStaysWithinAYearAStepWhereverItComesFrom)
{
    const std::pair<const char*, int> cases[] = {
        {"-2147483648", -31622400}, {"2147483647", 31622400}, {"-31622401", -31622400},
        {"31622400", 31622400},     {"2592000", 2592000},     {"-60", -60},
        {"0", 1},
    };
    for (const auto& [stored, expected] : cases) {
        const KivSettings s = loaded((std::string("[Allgemein]\nTimeFactor=") + stored + "\n").c_str());
        EXPECT_EQ(s.TimeFactor, expected) << stored;
    }
    EXPECT_EQ(kiv::boundedTimeFactor(std::int64_t(1) << 40), kiv::kMaxTimeFactor);
    EXPECT_EQ(kiv::boundedTimeFactor(-(std::int64_t(1) << 40)), -kiv::kMaxTimeFactor);
    EXPECT_EQ(kiv::boundedTimeFactor(-7), -7);
}

TEST(Settings, ValuesOutsideTheirRangeAreMended)
{
    const KivSettings s = loaded("[WorldDataBase]\nXExtension=250\n[Allgemein]\nTimeFactor=0\nNrOfPoints=-5\n"
                                 "RouteLengthFactor=-2\nNrOfOcularReflections=99\nAccuracyX=1\nSterne=999999\n"
                                 "SatelliteDrawStyle=9\nBeamAngle=400\nLanguage=7\n[Weather]\nWeatherMapWidth=0\n"
                                 "[Normal]\nNormalQualitaet=8\nNormalLightning=TRUE\n");
    EXPECT_EQ(s.XExtension, 50);
    EXPECT_EQ(s.TimeFactor, 1);
    EXPECT_EQ(s.NrOfPoints, 10);
    EXPECT_EQ(s.RouteLengthFactor, 1.0);
    EXPECT_EQ(s.NrOfOcularReflections, 20);
    EXPECT_EQ(s.AccuracyX, 3);
    EXPECT_EQ(s.Sterne, 100000);
    EXPECT_EQ(s.SatelliteDrawStyle, 4);
    EXPECT_FLOAT_EQ(s.BeamAngle, 179.99899f);
    EXPECT_EQ(s.Language, 1);
    EXPECT_EQ(s.WeatherMapWidth, 1);
    EXPECT_EQ(s.Normal.Qualitaet, 3);
    EXPECT_TRUE(saved(s).contains("XExtension=50\n"));

    const KivSettings general = loaded("[Allgemein]\nAccuracyX=400\nAccuracyY=1\nAutoExtendX=2\n");
    EXPECT_EQ(general.AccuracyX, 360);
    EXPECT_EQ(general.AccuracyY, 2);
    EXPECT_EQ(general.AutoExtendX, 50.0f); // a frame narrower than 5 % is no frame: the default
    EXPECT_EQ(settingRange(&KivSettings::AccuracyY).max, 180);

    const KivSettings edges = loaded("[WorldDataBase]\nXExtension=0\n[ObserverView]\nfUserAlt=nan\n");
    EXPECT_EQ(edges.XExtension, 0);
    EXPECT_EQ(edges.fUserAlt, 0.0);
}

TEST(Settings, RecentUrlLists)
{
    std::array<QString, 5> list{"a", "b", "c", "d", "e"};
    addRecentUrl(list, "d");
    EXPECT_EQ(list, (std::array<QString, 5>{"a", "b", "c", "d", "e"}));
    addRecentUrl(list, "new");
    EXPECT_EQ(list, (std::array<QString, 5>{"new", "a", "b", "c", "d"}));
    addRecentUrl(list, "NEW");
    EXPECT_EQ(list[0], "NEW");
    addRecentUrl(list, "  ");
    addRecentUrl(list, "");
    EXPECT_EQ(list[0], "NEW");
    EXPECT_TRUE(loaded("[Datei]\nInternetFileName1=   \n").InternetFileName[1].isEmpty());
}

TEST(Settings, NumbersIgnoreTheUsersLocale)
{
    kiv::test::ScopedNumericLocale german("de_DE.UTF-8");
    if (!german.available())
        KIV_MISSING_PREREQUISITE() << "The de_DE.UTF-8 locale is not installed; tools/setup-deps.sh generates it.";
    KivSettings s = loaded("[Allgemein]\nBeamAngle=17.5\n");
    EXPECT_FLOAT_EQ(s.BeamAngle, 17.5f);
    s.GridDistance = 2.5;
    EXPECT_TRUE(saved(s).contains("GridDistance=2.500000"));
}
