#include "document/ColorTableFile.h"
#include "document/IconListFile.h"
#include "document/TownFile.h"
#include "imaging/BmpReader.h"
#include "tests/support/Prerequisite.h"
#include "tools/defaults/DefaultData.h"
#include "tools/defaults/ZoneTowns.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace kiv;
using namespace kiv::defaults;

namespace {

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const tagTOWN* find(const std::vector<tagTOWN>& towns, const char* name)
{
    const auto it = std::find_if(towns.begin(), towns.end(),
                                 [&](const tagTOWN& town) { return town.name == QLatin1String(name); });
    return it == towns.end() ? nullptr : &*it;
}

constexpr std::string_view kZones = "# comment\n"
                                    "AD\t+4230+00131\tEurope/Andorra\n"
                                    "AR\t-3436-05827\tAmerica/Argentina/Buenos_Aires\tBuenos Aires (BA, CF)\n"
                                    "AQ\t-720041+0023206\tAntarctica/Troll\tTroll\n"
                                    "DE,DK\t+5230+01322\tEurope/Berlin\tmost of Germany\n"
                                    "XX\tsomewhere\tEurope/Nowhere\n"
                                    "CI,BF\t+0519-00402\tAfrica/Abidjan\n";
constexpr std::string_view kCountries = "#code\tname\nAD\tAndorra\nAQ\tAntarctica\nAR\tArgentina\n"
                                        "CI\tC\xc3\xb4te d'Ivoire\nDE\tGermany\n";

} // namespace

TEST(DefaultData, TheBuildWroteDefaultsThatOurReadersAccept)
{
    const QDir data(QStringLiteral(KIV_BUILD_DATA_DIR));
    EXPECT_EQ(contentsOf(data.filePath(QStringLiteral("intelsat.tle"))),
              contentsOf(QStringLiteral(KIV_SOURCE_DATA_DIR "/intelsat.tle")));

    const std::optional<ColorTableRead> colors = loadColorTableFile(data.filePath(QStringLiteral("kiv.clr")));
    ASSERT_TRUE(colors);
    EXPECT_EQ(colors->slotsRead, 255);
    EXPECT_EQ(colors->clockEntriesRead, 26);
    EXPECT_EQ(colors->table.slotColors, defaultSlotColors());
    EXPECT_EQ(colors->table.clockColors[1], defaultClockColors());

    EXPECT_EQ(contentsOf(data.filePath(QStringLiteral("kiv.sin"))), QByteArray(1020, '\0'))
        << "every slot on the built-in icon, no icon files";

    const std::optional<std::vector<tagTOWN>> small = loadTownFile(data.filePath(QStringLiteral("smaltown.twn")));
    ASSERT_TRUE(small);
    EXPECT_EQ(*small, smallTownList());
    EXPECT_GE(small->size(), 50u);
    const std::optional<std::vector<tagTOWN>> big = loadTownFile(data.filePath(QStringLiteral("bigtown.twn")));
    ASSERT_TRUE(big);
    for (const tagTOWN& town : *small)
        EXPECT_NE(std::find(big->begin(), big->end(), town), big->end()) << town.name.toStdString();
    if (QFile::exists(QStringLiteral(KIV_ZONE_TABLE))) {
        EXPECT_GT(big->size(), small->size() + 200) << "the zone towns are in the big list";
    }
}

// The profile's globe texture: the earth under a cloud layer, which only ever lightens it.
TEST(DefaultData, TheBuildMadeTheCloudyGlobeTexture)
{
    const QDir data(QStringLiteral(KIV_BUILD_DATA_DIR));
    const auto read = [&](const char* name) {
        return decodeBmp(contentsOf(data.filePath(QLatin1String(name))), QLatin1String(name), Route::Display);
    };
    const LoadResult clouds = read("clouds.bmp");
    const LoadResult earth = read("earth3d.bmp");
    ASSERT_TRUE(clouds.ok()) << "the default TextureErdeFileName";
    ASSERT_TRUE(earth.ok());
    ASSERT_EQ(clouds.bitmap.image().size(), earth.bitmap.image().size());
    if (!QFile::exists(QStringLiteral(KIV_CLOUD_MAP)))
        KIV_MISSING_PREREQUISITE() << "openuniverse-common gives the clouds";
    const QImage over = clouds.bitmap.image();
    const QImage under = earth.bitmap.image();
    int lighter = 0;
    int darker = 0;
    for (int y = 0; y < over.height(); y += 16)
        for (int x = 0; x < over.width(); x += 16) {
            const int difference = qGray(over.pixel(x, y)) - qGray(under.pixel(x, y));
            lighter += difference > 40;
            darker += difference < -2;
        }
    const int samples = (over.width() / 16) * (over.height() / 16);
    EXPECT_GT(lighter, samples / 10) << "clouds over a tenth of the earth at least";
    EXPECT_EQ(darker, 0);
}

TEST(DefaultData, TheSmallListHoldsLargeCitiesWithPopulations)
{
    const std::vector<tagTOWN> towns = smallTownList();
    for (const tagTOWN& town : towns) {
        EXPECT_GT(town.population, 100000) << town.name.toStdString();
        EXPECT_LE(std::abs(town.lat), 90.0);
        EXPECT_LE(std::abs(town.lon), 180.0);
        EXPECT_EQ(storableTownText(town.country) + storableTownText(town.name), town.country + town.name);
    }
    EXPECT_TRUE(std::is_sorted(towns.begin(), towns.end(), [](const tagTOWN& a, const tagTOWN& b) {
        return std::tie(a.country, a.name) < std::tie(b.country, b.name);
    }));
    const tagTOWN* tokyo = find(towns, "Tokyo");
    ASSERT_TRUE(tokyo);
    EXPECT_NEAR(tokyo->lat, 35.69, 1e-9);
    EXPECT_NEAR(tokyo->lon, 139.69, 1e-9) << "east positive";
}

TEST(DefaultData, ZoneTablesGiveTownsWithCountryNames)
{
    const std::vector<tagTOWN> towns = zoneTowns(kZones, kCountries);
    ASSERT_EQ(towns.size(), 5u) << "the line with a bad position is left out";
    const tagTOWN* troll = find(towns, "Troll");
    ASSERT_TRUE(troll);
    EXPECT_EQ(troll->country, QStringLiteral("Antarctica"));
    EXPECT_DOUBLE_EQ(troll->lat, -(72 + 41 / 3600.0));
    EXPECT_DOUBLE_EQ(troll->lon, 2 + 32 / 60.0 + 6 / 3600.0);
    const tagTOWN* buenosAires = find(towns, "Buenos Aires");
    ASSERT_TRUE(buenosAires);
    EXPECT_DOUBLE_EQ(buenosAires->lon, -(58 + 27 / 60.0));
    EXPECT_EQ(buenosAires->population, 0);
    ASSERT_TRUE(find(towns, "Abidjan"));
    EXPECT_EQ(find(towns, "Abidjan")->country, QStringLiteral("C\u00f4te d'Ivoire")) << "the first country, from UTF-8";

    double lat = 0;
    double lon = 0;
    for (const char* bad : {"", "+4230", "4230+00131", "+423+00131", "+4230+0013a", "+4230+00131+"})
        EXPECT_FALSE(parseIso6709(bad, lat, lon)) << bad;
}

TEST(DefaultData, TheBigListAddsZoneTownsToTheLargeCities)
{
    EXPECT_EQ(bigTownList({}, {}), smallTownList());

    const std::vector<tagTOWN> big = bigTownList(kZones, kCountries);
    EXPECT_EQ(std::count_if(big.begin(), big.end(), [](const tagTOWN& t) { return t.name == QLatin1String("Berlin"); }), 1);
    EXPECT_GT(find(big, "Berlin")->population, 0) << "the city with its population wins";
    EXPECT_TRUE(find(big, "Andorra"));
    EXPECT_EQ(big.size(), smallTownList().size() + 3) << "Andorra, Troll and Abidjan are new";

    QTemporaryDir dir;
    ASSERT_TRUE(writeDefaultData(dir.path(), {}, {}));
    EXPECT_EQ(contentsOf(dir.filePath(QStringLiteral("bigtown.twn"))),
              contentsOf(dir.filePath(QStringLiteral("smaltown.twn"))));
    EXPECT_FALSE(writeDefaultData(dir.filePath(QStringLiteral("kiv.clr")), {}, {})) << "a file is in the way";
}
