#include "tests/support/Prerequisite.h"
#include "document/FileMessages.h"
#include "document/TownFile.h"
#include "tests/support/ScopedEnvironment.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

using namespace kiv;

namespace {

tagTOWN town(const char* country, const char* name, double lat, double lon, int population, int year, int extra)
{
    return {QString::fromLatin1(country), QString::fromLatin1(name), lat, lon, population, year, extra};
}

std::vector<tagTOWN> sampleTowns()
{
    return {town("Germany", "Aachen", 50.766667, 6.083333, 250000, 1995, 0),
            town("Germany", "M\xfcnchen", 48.137154, 11.576124, 1500000, 2020, 7),
            town("Chile", "Punta Arenas", -53.1625, -70.908333, 130000, 2017, -3),
            town("", "", 0.0, 0.0, 0, 0, 0)};
}

void expectSameTowns(const std::vector<tagTOWN>& actual, const std::vector<tagTOWN>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].country, expected[i].country);
        EXPECT_EQ(actual[i].name, expected[i].name);
        EXPECT_NEAR(actual[i].lat, expected[i].lat, 5e-7);
        EXPECT_NEAR(actual[i].lon, expected[i].lon, 5e-7);
        EXPECT_EQ(actual[i].population, expected[i].population);
        EXPECT_EQ(actual[i].year, expected[i].year);
        EXPECT_EQ(actual[i].extra, expected[i].extra);
    }
}

void expectFileRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("smaltown.twn"));
    const std::vector<tagTOWN> towns = sampleTowns();
    ASSERT_TRUE(saveTownFile(path, towns));
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.contains("M\xfcnchen;  11.576124,  48.137154,  1500000,  2020,  7\n")) << bytes.toStdString();
    const std::optional<std::vector<tagTOWN>> loaded = loadTownFile(path);
    ASSERT_TRUE(loaded);
    expectSameTowns(*loaded, towns);
}

} // namespace

TEST(TownFile, ParsesTownLines)
{
    const tagTOWN aachen = parseTownLine("Germany,Aachen;  6.083333,  50.766667,  -250000,  1995,  0");
    EXPECT_EQ(aachen, town("Germany", "Aachen", 50.766667, 6.083333, 250000, 1995, 0));

    EXPECT_EQ(parseTownLine("Germany,Aachen;6.5,-50.25,12,1990,4"), town("Germany", "Aachen", -50.25, 6.5, 12, 1990, 4))
        << "hand-edited lines without blanks keep signs and digits";
    EXPECT_EQ(parseTownLine("Germany"), tagTOWN{}) << "no separators: empty texts and zero numbers";
    EXPECT_EQ(parseTownLine("Germany,Aachen"), town("Germany", "", 0, 0, 0, 0, 0));
    EXPECT_EQ(parseTownLine("Germany,Aachen;  6.5,  50.5"), town("Germany", "Aachen", 0, 6.5, 0, 0, 0))
        << "a missing comma empties its field and the later ones";
    EXPECT_EQ(parseTownLine(",;,,,,"), tagTOWN{});

    EXPECT_EQ(parseTownLine("a,b;  0,  0,  -2147483648,  0,  0").population, INT_MAX);
    EXPECT_EQ(parseTownLine("a,b;  0,  0,  99999999999,  0,  0").population, INT_MAX);
    EXPECT_EQ(parseTownLine("a,b;  0,  0,  -99999999999,  0,  0").population, INT_MAX);
}

TEST(TownFile, CountLineIsTrustedOnlyAsFarAsTheLinesGo)
{
    const std::string lines = "Germany,Bonn;  7.1,  50.7,  1,  2,  3\nFrance,Paris;  2.35,  48.86,  4,  5,  6\n";
    EXPECT_EQ(readTowns("2\n" + lines).size(), 2u);
    EXPECT_EQ(readTowns("1\n" + lines).size(), 1u);
    EXPECT_EQ(readTowns("5\n" + lines).size(), 2u);
    EXPECT_EQ(readTowns("2147483647\n" + lines).size(), 2u);
    EXPECT_TRUE(readTowns("-5\n" + lines).empty());
    EXPECT_TRUE(readTowns("many\n" + lines).empty());
    EXPECT_TRUE(readTowns("").empty());

    const std::vector<tagTOWN> crlf = readTowns("3\r\nGermany,Bonn;  7.1,  50.7,  1,  2,  3\r\n\r\nFrance,Paris;  2.35,  48.86,  4,  5,  6");
    ASSERT_EQ(crlf.size(), 3u);
    EXPECT_EQ(crlf[0], town("Germany", "Bonn", 50.7, 7.1, 1, 2, 3));
    EXPECT_EQ(crlf[1], tagTOWN{}) << "an empty line is an empty town";
    EXPECT_EQ(crlf[2].name, QStringLiteral("Paris"));
}

TEST(TownFile, WritesLinesAsTheProgramReadsThem)
{
    EXPECT_EQ(townLine(town("Germany", "Bonn", 50.733, 7.1, 300000, 1990, 0)),
              "Germany,Bonn;  7.100000,  50.733000,  300000,  1990,  0");
    const std::vector<tagTOWN> two = {town("A", "B", 1, -2, 3, 4, 5), town("C", "D", 0, 0, 0, 0, 0)};
    EXPECT_EQ(townFileBytes(two), "2\nA,B;  -2.000000,  1.000000,  3,  4,  5\nC,D;  0.000000,  0.000000,  0,  0,  0\n");
    EXPECT_EQ(townFileBytes({}), "0\n");

    const tagTOWN typed = town("Bosnia, Herzegovina", "St; John's\r\nTown", 44, 18, 1, 2, 3);
    EXPECT_EQ(storableTownText(typed.name), QStringLiteral("St John'sTown"));
    const std::vector<tagTOWN> again = readTowns(townFileBytes({&typed, 1}).toStdString());
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0], town("Bosnia Herzegovina", "St John'sTown", 44, 18, 1, 2, 3)) << "separators in names do not split the line";
}

TEST(TownFile, FilesRoundTrip)
{
    expectFileRoundTrip();
    EXPECT_FALSE(loadTownFile(QStringLiteral("/nonexistent/smaltown.twn")));
    EXPECT_EQ(fileMessages::townFileNotFound(false, QStringLiteral("x.twn")).caption, QStringLiteral("Attention !"));
}

// Qt sets the user's locale at start-up; the files must not notice.
TEST(TownFile, FilesRoundTripUnderAGermanNumericLocale)
{
    const kiv::test::ScopedNumericLocale german("de_DE.UTF-8");
    if (!german.available())
        KIV_MISSING_PREREQUISITE() << "locale de_DE.UTF-8 is not installed (tools/setup-deps.sh generates it)";
    expectFileRoundTrip();
}
