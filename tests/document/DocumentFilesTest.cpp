// The document with its colour table, icon list and town lists.
#include "document/ColorTableFile.h"
#include "document/IconListFile.h"
#include "imaging/PictureLoader.h"
#include "tests/support/Deadline.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/FolderTree.h"

#include <QFile>

#include <algorithm>
#include <functional>
#include <QImage>

using namespace kiv;
using namespace kiv::test;

namespace {

const char* kProfile = "[Allgemein]\nSatellitenfilename=sats.tle\n";

void writeColorTable(const std::string& path)
{
    ColorTable table;
    table.slotColors[0] = {0x0000FF, 0x00FF00, 0xFF0000};
    table.clockColors[1][3] = {0.5f, 0.25f, 1.0f, 1.0f};
    ASSERT_TRUE(saveColorTableFile(QString::fromStdString(path), table).ok);
}

} // namespace

TEST_F(DocumentTest, ColourTableFillsSlotAndClockColours)
{
    writeFile("sats.tle", lowSatellites(2));
    writeColorTable(path("kiv.clr"));
    CKivDoc& doc = makeDocument(kProfile);
    EXPECT_EQ(doc.SatInfo[0].color[0], 0x0000FFu);
    EXPECT_EQ(doc.SatInfo[0].color[2], 0xFF0000u);
    EXPECT_FLOAT_EQ(doc.SatInfo[0].glColor[0][0], 1.0f);
    EXPECT_FLOAT_EQ(doc.SatInfo[0].glColor[2][2], 1.0f);
    EXPECT_FLOAT_EQ(doc.SatInfo[0].glColor[2][3], 1.0f);
    EXPECT_FLOAT_EQ(doc.ClockColors[1][3][1], 0.25f);
}

TEST_F(DocumentTest, AShortColourTableKeepsTheGlobeColoursOfTheSlotsItMisses)
{
    writeFile("sats.tle", lowSatellites(2));
    CKivDoc& doc = makeDocument(kProfile);
    float before[3][4];
    std::copy(&doc.SatInfo[5].glColor[0][0], &doc.SatInfo[5].glColor[0][0] + 12, &before[0][0]);
    ASSERT_GT(before[0][0] + before[0][1] + before[0][2], 0.0f);

    std::string threeSlots(3 * 3 * 4, '\0');
    threeSlots[0] = '\xFF'; // slot 0, first colour: red
    writeFile("kiv.clr", threeSlots);
    doc.LoadColorTable();
    EXPECT_EQ(doc.SatInfo[0].color[0], 0x0000FFu);
    EXPECT_FLOAT_EQ(doc.SatInfo[0].glColor[0][0], 1.0f);
    EXPECT_FLOAT_EQ(doc.SatInfo[2].glColor[1][0], 0.0f); // covered: black as the file says
    EXPECT_EQ(doc.SatInfo[5].color[0], 0u);
    EXPECT_TRUE(std::equal(&before[0][0], &before[0][0] + 12, &doc.SatInfo[5].glColor[0][0]));
}

TEST_F(DocumentTest, MapsAreLoadedWithTheDocumentBeforeAnyView)
{
    PictureLoader loader(paths_, services_);
    pictures_ = &loader;
    QImage map(360, 180, QImage::Format_RGB32);
    map.fill(Qt::darkBlue);
    ASSERT_TRUE(map.save(filePath("earth2d.bmp"), "BMP"));
    writeFile("sats.tle", lowSatellites(1));
    CKivDoc& doc = makeDocument(kProfile);
    EXPECT_FALSE(doc.Views.isOpen(ViewKind::Map));
    EXPECT_EQ(QSize(doc.EarthMapWidth, doc.EarthMapHeight), QSize(360, 180));
    // No night map: the standard texture, after the reader has said why.
    EXPECT_EQ(QSize(doc.NightMapWidth, doc.NightMapHeight), QSize(512, 256));
    EXPECT_EQ(ui_.messages.shown().size(), 1u);
    EXPECT_TRUE(doc.WDBMapBitmap.isNull()) << "the WDB map waits for its first view";
}

TEST_F(DocumentTest, ChangedColoursAreSavedOnlyWhenTheUserAgrees)
{
    writeFile("sats.tle", lowSatellites(1));
    writeColorTable(path("kiv.clr"));
    const QByteArray before = readFile("kiv.clr");

    CKivDoc& doc = makeDocument(kProfile);
    doc.SatInfo[0].color[1] = 0x123456;
    doc.ColorTableChanged = 1;
    ui_.messages.clear();
    ui_.messages.queueAnswer(kiv::MessageAnswer::No);
    doc_.reset();
    ASSERT_EQ(ui_.messages.shown().size(), 1u);
    EXPECT_EQ(ui_.messages.captions()[0], "Attention !");
    EXPECT_EQ(ui_.messages.texts()[0], "Attention, Colortable in file : kiv.clr was changed.\nShould the changes be saved now ?");
    EXPECT_EQ(readFile("kiv.clr"), before);

    CKivDoc& again = makeDocument(kProfile);
    again.SatInfo[0].color[1] = 0x123456;
    again.ClockColors[0][1][0] = 12.5f;
    again.ColorTableChanged = 1;
    ui_.messages.queueAnswer(kiv::MessageAnswer::Yes);
    doc_.reset();
    const ColorTableRead read = readColorTable(readFile("kiv.clr").toStdString());
    EXPECT_EQ(read.table.slotColors[0][1], 0x123456u);
    EXPECT_EQ(read.table.clockColors[0][1][0], 0.0f);
}

TEST_F(DocumentTest, AColourTableThatCannotBeWrittenIsReportedAndStaysChanged)
{
    writeFile("sats.tle", lowSatellites(1));
    CKivDoc& doc = makeDocument(std::string(kProfile) + "ColorTableFileName=/proc/kiv.clr\n");
    doc.ColorTableChanged = 1;
    ui_.messages.clear();
    EXPECT_FALSE(doc.SaveColorTable());
    EXPECT_EQ(doc.ColorTableChanged, 1);
    ASSERT_EQ(ui_.messages.shown().size(), 1u);
    EXPECT_TRUE(ui_.messages.texts()[0].startsWith("Could not write /proc/kiv.clr: "));
    EXPECT_EQ(ui_.messages.texts()[0].count("Could not write"), 1) << "said once";
    doc.ColorTableChanged = 0;
}

TEST_F(DocumentTest, IconListGivesSlotsTheirIcons)
{
    writeFile("sats.tle", lowSatellites(3));
    QImage blue(32, 32, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(QString::fromStdString(path("blue.ico")), "ICO"));
    IconIndices indices{};
    indices[1] = 2;
    indices[2] = 2;
    IconNames names{};
    names[2] = "blue.ico";
    ASSERT_TRUE(saveIconListFile(QString::fromStdString(path("kiv.sin")), indices, names).ok);

    CKivDoc& doc = makeDocument(kProfile);
    EXPECT_EQ(doc.SatInfo[1].iconIndex, 2);
    EXPECT_EQ(doc.Icons[2].fileName, "blue.ico");
    EXPECT_EQ(doc.Icons[2].refCount, 2);
    EXPECT_EQ(doc.Icons[0].refCount, 1);
    EXPECT_EQ(doc.Icons[2].icon.pixelColor(5, 5), QColor(Qt::blue));

    doc.SatInfo[0].iconIndex = 2;
    ASSERT_TRUE(doc.SaveIconNames());
    doc.SatInfo[0].iconIndex = 0;
    doc.LoadIconNames();
    EXPECT_EQ(doc.SatInfo[0].iconIndex, 2);
    EXPECT_EQ(doc.Icons[2].refCount, 3);
    EXPECT_EQ(doc.Icons[0].refCount, 0);
}

TEST_F(DocumentTest, TownListsAreReadOnceAndMissingFilesReportedOncePerName)
{
    writeFile("sats.tle", lowSatellites(1));
    writeFile("small.twn", "1\nGermany,Aachen;  6.083333,  50.766667,  -250000,  1995,  0\n");
    CKivDoc& doc = makeDocument(std::string(kProfile) + "[WorldDataBase]\nWDBSmalTowns=small.twn\nWDBBigTowns=big.twn\n");
    ui_.messages.clear();
    doc.LoadTowns();
    ASSERT_EQ(doc.SmalTownCount, 1);
    EXPECT_EQ(doc.SmalTowns[0].name, "Aachen");
    EXPECT_EQ(doc.SmalTowns[0].population, 250000);
    EXPECT_EQ(doc.BigTownCount, 0);
    ASSERT_EQ(ui_.messages.shown().size(), 1u);
    EXPECT_EQ(ui_.messages.texts()[0], "Sorry, couldn't find the dataset file :big.twn for the towns.\n"
                                       "Please check [Options]->[WDB Layer]->[Towns]");
    doc.LoadTowns();
    EXPECT_EQ(ui_.messages.shown().size(), 1u);
    doc.WDBBigTowns = "other.twn";
    doc.LoadTowns();
    EXPECT_EQ(ui_.messages.shown().size(), 2u);

    writeFile("other.twn", "2\nFrance,Paris;  2.35,  48.85,  2100000,  2020,  0\n");
    doc.LoadTowns();
    EXPECT_EQ(doc.BigTownCount, 1); // the count line is trusted no further than the lines present
    writeFile("small.twn", "0\n");
    doc.LoadTowns(); // both loaded: nothing is read again
    EXPECT_EQ(doc.SmalTownCount, 1);
}

TEST_F(DocumentTest, EveryFileTheDocumentReadsFirstOffersBackWhatACutOffWriteLeft)
{
    const struct {
        const char* name;
        const char* file;
        std::string oldBytes;
        std::function<void()> read;
    } cases[] = {
        {"the element file at load", "sats.tle", lowSatellites(2), [&] { makeDocument(kProfile); }},
        {"the profile at start", "kiv.ini", "[Allgemein]\nSatellitenfilename=sats.tle\n", [&] { makeDocument(); }},
        {"the colour table at load", "kiv.clr", std::string(3476, '\0'), [&] { makeDocument(kProfile); }},
        {"the icon list at load", "kiv.sin", std::string(1020, '\0'), [&] { makeDocument(kProfile); }},
        {"a town list before the go-to", "smaltown.twn", "0\n", [&] { doc_->LoadTowns(); }},
        {"a settings archive at restore", "saved.set", "old archive", [&] { doc_->RestoreSettingsArchive(QString::fromStdString(path("saved.set"))); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile("sats.tle", lowSatellites(2));
        makeDocument(kProfile);
        const std::string copy = std::string(c.file) + ".kiv-old-999999999-1";
        writeFile(c.file, "");
        writeFile(copy, c.oldBytes);
        ui_.messages.clear();
        ui_.messages.queueAnswer(MessageAnswer::Yes);
        c.read();
        const auto& texts = ui_.messages.texts();
        ASSERT_EQ(std::count_if(texts.begin(), texts.end(), [](const QString& t) { return t.contains(".kiv-old-"); }), 1);
        EXPECT_TRUE(texts.front().contains(QString::fromStdString(path(copy)))) << "asked before the file is read";
        EXPECT_EQ(readFile(c.file).toStdString(), c.oldBytes);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(path(copy))));
        EXPECT_EQ(doc_->SatelliteCount, 2) << "the settings and satellites of the old contents";
        removeFile(c.file);
    }
}

TEST_F(DocumentTest, EveryFileTheDocumentReadsRefusesANameThatIsNoRegularFileUnreadWithItsMessage)
{
    const struct {
        const char* file;
        std::string message; // the reader's own words for a file it cannot open, where it has them
        std::function<void()> read;
    } cases[] = {
        {"sats.tle", " Sorry could'nt find Satellitefile sats.tle.", [&] { makeDocument(kProfile); }},
        {"kiv.clr", "Sorry could'nt find the colortablefile kiv.clr.", [&] { makeDocument(kProfile); }},
        {"kiv.sin", "Sorry could'nt find the icon names file kiv.sin.", [&] { makeDocument(kProfile); }},
        {"smaltown.twn", "Sorry, couldn't find the dataset file :smaltown.twn", [&] { doc_->LoadTowns(); }},
        {"saved.set", "Could not read " + path("saved.set") + ": it is not a regular file.",
         [&] { doc_->RestoreSettingsArchive(QString::fromStdString(path("saved.set"))); }},
        {"sats.tle", "Sorry, to save the status I need the satellite data file sats.tle", [&] { doc_->OnSaveSettings(); }},
    };
    for (const auto& c : cases) {
        for (const char* kind : {"fifo", "link -> /dev/zero"}) {
            writeFile("sats.tle", lowSatellites(2));
            makeDocument(kProfile);
            removeFile(c.file);
            ASSERT_TRUE(makeFolderTree(dir_.path(), {{c.file, kind}}));
            ui_.messages.clear();
            const Deadline deadline;
            c.read();
            const std::vector<QString> texts = ui_.messages.texts();
            EXPECT_TRUE(QStringList(texts.begin(), texts.end()).join('|').contains(QString::fromStdString(c.message)))
                << c.file << " " << kind;
            removeFile(c.file);
        }
    }
}
