// The go-to dialog's town list: sorting, the fields a click fills in, adding with checks,
// deleting, and the list written through the town file and read back.
#include "document/TownFile.h"
#include "views2d/TownList.h"

#include <gtest/gtest.h>

using namespace kiv;

namespace {

tagTOWN town(const char* country, const char* name, double lat, double lon, int population = 0)
{
    return {QString::fromLatin1(country), QString::fromLatin1(name), lat, lon, population, 1990, 0};
}

std::vector<QString> rowTexts(const TownList& list)
{
    std::vector<QString> texts;
    for (const tagTOWN& t : list.towns())
        texts.push_back(TownList::rowText(t));
    return texts;
}

TEST(TownList, SortsByRowTextIgnoringCaseAndKeepsEqualTextsInOrder)
{
    const tagTOWN towns[] = {town("USA", "Springfield", 39.8, -89.6, 1), town("germany", "Bonn", 50.733, 7.1),
                             town("Chile", "Arica", -18.5, -70.3), town("USA", "Springfield", 42.1, -72.6, 2)};
    const TownList list(towns);
    EXPECT_EQ(list.size(), 4);
    EXPECT_FALSE(list.modified());
    EXPECT_EQ(rowTexts(list), (std::vector<QString>{"Chile,Arica", "germany,Bonn", "USA,Springfield", "USA,Springfield"}));
    // Two towns of one name keep their own numbers.
    EXPECT_EQ(list.at(2).population, 1);
    EXPECT_EQ(list.at(3).population, 2);
    EXPECT_EQ(list.findPrefix("GER"), 1);
    EXPECT_EQ(list.findPrefix("usa,s"), 2);
    EXPECT_EQ(list.findPrefix("France"), std::nullopt);
}

TEST(TownList, AClickGivesTheWholeNameAndTheWesterlyLongitude)
{
    const tagTOWN towns[] = {town("Germany", "Bonn", 50.733, 7.1, 300000), town("Chile", "Null", 0.0, 0.0)};
    const TownList list(towns);
    const TownFields bonn = list.fieldsOf(1);
    EXPECT_EQ(bonn.country, "Germany");
    EXPECT_EQ(bonn.name, "Bonn");
    EXPECT_EQ(bonn.latitude, "50.733000");
    EXPECT_EQ(bonn.westLongitude, "-7.100000");
    EXPECT_EQ(bonn.population, "300000");
    EXPECT_EQ(list.fieldsOf(0).westLongitude, "0.000000");
}

TEST(TownList, AddChecksTheTypedFields)
{
    struct Case {
        TownFields fields;
        TownFieldError error;
    };
    const Case cases[] = {
        {{"Germany", "Bonn", "50.733", "-7.1", "300000"}, TownFieldError::None},
        {{"Germany", "Bonn", " 50,733 ", "+7,1", ""}, TownFieldError::None}, // decimal comma, no population
        {{"Germany", "Bonn", "91", "0", "1"}, TownFieldError::Latitude},
        {{"Germany", "Bonn", "50.7abc", "0", "1"}, TownFieldError::Latitude},
        {{"Germany", "Bonn", "", "0", "1"}, TownFieldError::Latitude},
        {{"Germany", "Bonn", "1.2.3", "0", "1"}, TownFieldError::Latitude},
        {{"Germany", "Bonn", "50", "-180.5", "1"}, TownFieldError::Longitude},
        {{"Germany", "Bonn", "50", "inf", "1"}, TownFieldError::Longitude},
        {{"Germany", "Bonn", "50", "7", "-3"}, TownFieldError::Population},
        {{"Germany", "Bonn", "50", "7", "1.5"}, TownFieldError::Population},
        {{"Ger,many", "Bonn", "50", "7", "1"}, TownFieldError::Country},
        {{"Germany;", "Bonn", "50", "7", "1"}, TownFieldError::Country},
        {{"Germany", "Bo;nn", "50", "7", "1"}, TownFieldError::Name},
        {{"Germany", "Bonn, Bad Godesberg", "50", "7", "1"}, TownFieldError::Name},
        {{"Polska", "\u0141\u00f3d\u017a", "51.8", "-19.5", "1"}, TownFieldError::Name}, // not Latin-1
        {{"\u00d6sterreich", "M\u00fcnchen", "48.1", "-11.6", "1"}, TownFieldError::None}, // Latin-1
        {{"Germany", "  ", "50", "7", "1"}, TownFieldError::NoName},
        {{"", "Bonn", "50", "7", "1"}, TownFieldError::None},
    };
    for (const Case& c : cases) {
        TownList list;
        const TownList::AddResult result = list.add(c.fields);
        EXPECT_EQ(result.error, c.error) << c.fields.latitude.toStdString() << " " << c.fields.westLongitude.toStdString();
        EXPECT_EQ(result.row.has_value(), c.error == TownFieldError::None);
        EXPECT_EQ(list.size(), result.row ? 1 : 0);
        EXPECT_EQ(list.modified(), result.row.has_value());
    }
}

TEST(TownList, AddedTownsAreSavedEastPositiveAndReadBackAlike)
{
    const tagTOWN towns[] = {town("Germany", "Bonn", 50.733, 7.1, 300000), town("Chile", "Arica", -18.5, -70.3)};
    TownList list(towns);
    const TownList::AddResult added = list.add({"Germany", "Aachen", "50.766667", "-6.083333", "250000"});
    ASSERT_EQ(added.row, 1);
    EXPECT_EQ(list.at(1).lon, 6.083333);
    const QByteArray bytes = townFileBytes(list.towns());
    EXPECT_TRUE(bytes.startsWith("3\nChile,Arica;  -70.300000,  -18.500000,  0,  1990,  0\n"
                                 "Germany,Aachen;  6.083333,  50.766667,  250000,  0,  0\n"))
        << bytes.toStdString();
    const std::vector<tagTOWN> read = readTowns(bytes.toStdString());
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(TownList(read).fieldsOf(1).westLongitude, "-6.083333");
}

TEST(TownList, RemoveTakesOnlyAnExistingRow)
{
    const tagTOWN towns[] = {town("Germany", "Bonn", 50.733, 7.1)};
    TownList list(towns);
    EXPECT_FALSE(list.remove(-1));
    EXPECT_FALSE(list.remove(1));
    EXPECT_FALSE(list.modified());
    EXPECT_TRUE(list.remove(0));
    EXPECT_EQ(list.size(), 0);
    EXPECT_TRUE(list.modified());
}

} // namespace
