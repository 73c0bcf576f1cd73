// Loading element sets into the table, the title and the messages around it.
#include "platform/LineReader.h"
#include "tests/support/Deadline.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/FolderTree.h"

#include <sys/time.h>
#include <utime.h>

using namespace kiv;
using namespace kiv::test;

namespace {

std::string records(int count, const char* lineEnd = "\n")
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        Elements e;
        e.catalogNumber = 100 + i;
        const Tle tle = makeTle("SAT " + std::to_string(i), e);
        text += tle.name + lineEnd + tle.line1 + lineEnd + tle.line2 + lineEnd;
    }
    return text;
}

const char* kProfile = "[Allgemein]\nSatellitenfilename=sats.tle\n";

} // namespace

TEST_F(DocumentTest, FreshStartReportsTheMissingFiles)
{
    removeFile("kiv.sin");
    removeFile("kiv.clr");
    CKivDoc& doc = makeDocument();
    EXPECT_EQ(doc.TimeFactor, 1);
    EXPECT_EQ(doc.Language, 1);
    EXPECT_EQ(doc.SatelliteCount, 0);
    EXPECT_EQ(doc.NrOfPoints, 35);
    EXPECT_EQ(doc.Satellitenfilename, "intelsat.tle");
    EXPECT_EQ(doc.SatelliteModelFileName, "SATELLITE.DAT");
    EXPECT_EQ(ui_.messages.texts(), (std::vector<QString>{"Sorry could'nt find the icon names file kiv.sin.",
                                                           " Sorry could'nt find Satellitefile intelsat.tle.",
                                                           "Sorry could'nt find the colortablefile kiv.clr."}));
    EXPECT_EQ(ui_.messages.captions(), (std::vector<QString>{"Attention", "Attention", "Attention"}));
    EXPECT_EQ(frame_.title, "Satellite Simulation -> intelsat.tle (0 satellites in buffer) File not found !");
}

TEST_F(DocumentTest, ModelFileFoundInTheWorkingDirectoryIsKeptWithItsFullPath)
{
    writeFile("SATELLITE.DAT", "StartModel\nEndModel\n");
    EXPECT_EQ(makeDocument().SatelliteModelFileName, QString::fromStdString(path("SATELLITE.DAT")));
}

TEST_F(DocumentTest, LineEndsOfEveryKindLoadAllRecords)
{
    for (const std::string& text : {records(3), records(3, "\r\n"), records(3).substr(0, records(3).size() - 1)}) {
        writeFile("sats.tle", text);
        ui_.messages.clear();
        CKivDoc& doc = makeDocument(kProfile);
        EXPECT_EQ(doc.SatelliteCount, 3);
        EXPECT_TRUE(ui_.messages.shown().empty()) << ui_.messages.texts().front().toStdString();
        EXPECT_STREQ(doc.Satellites[2].name, "SAT 2");
    }
}

TEST_F(DocumentTest, AnInvalidRecordStopsReadingAndNamesItsLine)
{
    writeFile("sats.tle", records(3) + "\n");
    CKivDoc& doc = makeDocument(kProfile);
    EXPECT_EQ(doc.SatelliteCount, 3);
    ASSERT_EQ(ui_.messages.shown().size(), 1u);
    EXPECT_EQ(ui_.messages.texts()[0], "Attention, in satellite datafile : sats.tle\noccured a error in Line : 11");

    // Record 2's second element line starts with "1": its line number, a multiple of 3.
    std::string broken = records(2);
    const std::size_t secondLine2 = broken.rfind("\n2 ");
    broken[secondLine2 + 1] = '1';
    writeFile("sats.tle", broken);
    ui_.messages.clear();
    EXPECT_EQ(makeDocument(kProfile).SatelliteCount, 1);
    EXPECT_EQ(ui_.messages.texts().at(0), "Attention, in satellite datafile : sats.tle\noccured a error in Line : 6");

    // The first line 1 starts with "2": line 2, nothing loaded; the German text.
    writeFile("sats.tle", "X\n2 bad\n2 bad\n");
    ui_.messages.clear();
    EXPECT_EQ(makeDocument(std::string(kProfile) + "Language=0\n").SatelliteCount, 0);
    EXPECT_EQ(ui_.messages.texts().at(0),
              "Achtung, im Satelliten-Datenfile : sats.tle\nist ein Fehler in Zeile : 2 aufgetaucht !!!");
}

TEST_F(DocumentTest, AtMost255SatellitesAreLoaded)
{
    writeFile("sats.tle", lowSatellites(300));
    CKivDoc& doc = makeDocument(kProfile);
    EXPECT_EQ(doc.SatelliteCount, 255);
    EXPECT_TRUE(ui_.messages.shown().empty());
}

TEST(ElementRecords, EveryRecordAsTheFileHoldsItWithinBounds)
{
    using Stop = ElementFileRecords::Stop;
    std::string many;
    for (std::size_t i = 0; i <= kElementFileMaxRecords; ++i)
        many += "N\n1\n2\n";
    const struct {
        std::string bytes;
        std::size_t records;
        int lastLines; // of the last record, as the file held it
        Stop stop;
        int longLine;
        std::string rewritten; // every record read, written again
    } cases[] = {
        {"", 0, 0, Stop::End, 0, ""},
        {"A  \r\nx\r\n2 \r\nB\n1\n", 2, 2, Stop::End, 0, "A  \nx\n2 \nB\n1\n"},
        {"A\n1\n2\n\n", 2, 1, Stop::End, 0, "A\n1\n2\n\n"},
        {"A\n1\n2", 1, 3, Stop::End, 0, "A\n1\n2\n"},
        {"A\n1\n2\nB\n1\n" + std::string(kElementFileMaxLine + 1, '2') + "\n", 1, 3, Stop::LongLine, 6, "A\n1\n2\n"},
        {many, kElementFileMaxRecords, 3, Stop::TooLarge, 0, many.substr(0, many.size() - 6)},
    };
    for (const auto& c : cases) {
        LineReader lines(c.bytes, kElementFileMaxLine);
        const ElementFileRecords read = readElementRecords(lines);
        ASSERT_EQ(read.records.size(), c.records) << c.bytes.substr(0, 40);
        EXPECT_EQ(read.stop, c.stop);
        EXPECT_EQ(read.longLine, c.longLine);
        std::string rewritten;
        for (const ElementRecord& record : read.records)
            appendElementRecord(rewritten, record);
        EXPECT_EQ(rewritten, c.rewritten);
        if (c.records > 0) {
            EXPECT_EQ(read.records.back().linesInFile, c.lastLines);
        }
    }
}

TEST(ElementRecord, WritesOnlyTheLinesItHas)
{
    ElementRecord record;
    record.lines = {"NAME", "1 line", "2 line"};
    for (const auto& [lines, text] : {std::pair{3, "NAME\n1 line\n2 line\n"}, std::pair{2, "NAME\n1 line\n"},
                                      std::pair{7, "NAME\n1 line\n2 line\n"}, std::pair{-1, ""}}) {
        record.linesInFile = lines;
        std::string written;
        appendElementRecord(written, record);
        EXPECT_EQ(written, text) << lines;
    }
}

TEST_F(DocumentTest, NamesAreTrimmedThenCut)
{
    const Tle base = makeTle("", {});
    std::string text;
    for (const std::string& name : std::vector<std::string>{"ISS (ZARYA)   ", "X", "   ", "", std::string(30, 'N'),
                                                           std::string(21, 'A') + "  B"})
        text += name + "\n" + base.line1 + "\n" + base.line2 + "\n";
    writeFile("sats.tle", text);
    CKivDoc& doc = makeDocument(kProfile);
    ASSERT_EQ(doc.SatelliteCount, 6);
    EXPECT_STREQ(doc.Satellites[0].name, "ISS (ZARYA)");
    EXPECT_STREQ(doc.Satellites[1].name, "X");
    EXPECT_STREQ(doc.Satellites[2].name, " ");
    EXPECT_STREQ(doc.Satellites[3].name, "");
    EXPECT_EQ(std::string(doc.Satellites[4].name), std::string(22, 'N'));
    EXPECT_EQ(std::string(doc.Satellites[5].name), std::string(21, 'A') + " ");
    EXPECT_EQ(doc.SatelliteLines[5].name, std::string(21, 'A') + " ");
    EXPECT_EQ(doc.SatelliteLines[0].line2, base.line2);
}

TEST_F(DocumentTest, TitleGivesTheFileDateAndPluralInBothLanguages)
{
    writeFile("sats.tle", records(1));
    const utimbuf may5{1714910400, 1714910400}; // 2024-05-05 12:00 UTC
    ASSERT_EQ(utime(path("sats.tle").c_str(), &may5), 0);
    CKivDoc& doc = makeDocument(kProfile);
    EXPECT_EQ(frame_.title, "Satellite Simulation -> sats.tle (1 satellite in buffer) from the 5,May,2024");
    doc.Language = 0;
    doc.UpdateTitle();
    EXPECT_EQ(frame_.title, "Satelliten Simulation -> sats.tle (1 Satellit geladen) vom 5,May,2024");

    writeFile("sats.tle", records(2));
    ASSERT_EQ(utime(path("sats.tle").c_str(), &may5), 0);
    doc.DisplayAll = 1;
    doc.SatInfo[1].shown = 1;
    doc.ReloadSatellites();
    EXPECT_EQ(doc.DisplayAll, 0); // a new set starts with its first satellite shown
    EXPECT_EQ(doc.SatInfo[0].shown + doc.SatInfo[1].shown, 1);
    EXPECT_EQ(frame_.title, "Satelliten Simulation -> sats.tle (2 Satelliten geladen) vom 5,May,2024");
    doc.Language = 1;
    doc.UpdateTitle();
    EXPECT_EQ(frame_.title, "Satellite Simulation -> sats.tle (2 satellites in buffer) from the 5,May,2024");
}

TEST_F(DocumentTest, PlaceMarkersInTheFileNameAreShownAsTheyAre)
{
    for (const std::string name : {"a%3b.tle", "%1%2.tle", "x%2%1%3.tle"}) {
        SCOPED_TRACE(name);
        writeFile(name, records(2) + "\n");
        ui_.messages.clear();
        makeDocument("[Allgemein]\nSatellitenfilename=" + name + "\n");
        const QString file = QString::fromStdString(name);
        ASSERT_EQ(ui_.messages.shown().size(), 1u);
        EXPECT_EQ(ui_.messages.texts()[0], "Attention, in satellite datafile : " + file + "\noccured a error in Line : 8");
        EXPECT_TRUE(frame_.title.startsWith("Satellite Simulation -> " + file + " (2 satellites in buffer) from the "))
            << frame_.title.toStdString();
    }
}

TEST_F(DocumentTest, ASatelliteTheModelsRejectIsReportedAndRemoved)
{
    Elements bad;
    bad.meanMotion = 0.0;
    writeFile("sats.tle", tleText(makeTle("ONE", {})) + tleText(makeTle("BROKEN", bad)) + tleText(makeTle("THREE", {})));
    ui_.messages.clear();
    std::string profile = kProfile;
    CKivDoc& doc = makeDocument(profile);
    ASSERT_EQ(doc.SatelliteCount, 2);
    EXPECT_STREQ(doc.Satellites[1].name, "THREE");
    EXPECT_EQ(doc.SatelliteLines[1].name, "THREE");
    EXPECT_EQ(doc.SatInfo[1].trackLat.size(), 36u);
    ASSERT_EQ(ui_.messages.shown().size(), 1u);
    EXPECT_EQ(ui_.messages.texts()[0], "Found a wrong satellite database in file : sats.tle\nThe name of the satellite is : "
                                       "BROKEN.\nThis satellite will not be calculated.");
}

TEST_F(DocumentTest, RemovingKeepsPerSlotDisplayRecordsAndRecountsIcons)
{
    writeFile("sats.tle", records(3));
    CKivDoc& doc = makeDocument(kProfile);
    for (int i = 0; i < 3; ++i) {
        doc.SatInfo[i].color[0] = 0x10 * (i + 1);
        doc.SatInfo[i].shown = i != 1;
        doc.SatInfo[i].iconIndex = i;
    }
    doc.RemoveSatellite(1);
    EXPECT_EQ(doc.SatelliteCount, 2);
    EXPECT_STREQ(doc.Satellites[1].name, "SAT 2");
    EXPECT_EQ(doc.SatInfo[1].color[0], 0x20u);
    EXPECT_EQ(doc.SatInfo[1].shown, 0);
    EXPECT_EQ(doc.SatInfo[1].iconIndex, 1);
    EXPECT_EQ(doc.Icons[0].refCount, 1);
    EXPECT_EQ(doc.Icons[1].refCount, 1);
    EXPECT_EQ(doc.Icons[2].refCount, 0);
    EXPECT_FALSE(doc.Icons[0].icon.isNull());

    doc.RemoveSatellite(1); // the last one: nothing moves
    EXPECT_EQ(doc.SatelliteCount, 1);
    EXPECT_STREQ(doc.Satellites[0].name, "SAT 0");
    doc.RemoveSatellite(5); // not loaded: nothing happens
    EXPECT_EQ(doc.SatelliteCount, 1);

    doc.FreeSatellites();
    EXPECT_EQ(doc.SatelliteCount, 0);
    EXPECT_EQ(doc.Icons[0].refCount, 0);
    EXPECT_FALSE(doc.Icons[0].icon.isNull());
    EXPECT_FALSE(doc.SetSatelliteFromTLE(255, "X", "1", "2"));
    EXPECT_FALSE(doc.SetSatelliteFromTLE(-1, "X", "1", "2"));
}

TEST_F(DocumentTest, IconsComeFromImageFilesOrFallBackToTheBuiltInOne)
{
    writeFile("sats.tle", records(3));
    writeFile("notanicon.ico", "this is text");
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(QString::fromStdString(path("red.ico")), "ICO"));
    CKivDoc& doc = makeDocument(kProfile);
    doc.Icons[1].fileName = "notanicon.ico";
    doc.Icons[2].fileName = "red.ico";
    doc.SatInfo[0].iconIndex = 1;
    doc.SatInfo[1].iconIndex = 2;
    doc.SatInfo[2].iconIndex = 2;
    doc.ReloadSatellites();
    EXPECT_EQ(doc.Icons[1].refCount, 1);
    EXPECT_EQ(doc.Icons[1].icon, doc.Icons[0].icon);
    EXPECT_EQ(doc.Icons[2].refCount, 2);
    EXPECT_EQ(doc.Icons[2].icon.size(), QSize(32, 32));
    EXPECT_EQ(doc.Icons[2].icon.pixelColor(16, 16), QColor(Qt::red));
    ASSERT_TRUE(makeFolderTree(dir_.path(), {{"pipe.ico", "fifo"}}));
    doc.Icons[1].fileName = QString::fromStdString(path("pipe.ico"));
    const Deadline deadline;
    doc.ReloadSatellites();
    EXPECT_EQ(doc.Icons[1].icon, doc.Icons[0].icon);
}
