// The satellite data dialog on element files of every shape: it shows every record as the file
// holds it, and its rewrite holds exactly the records left, each line as read.
#include "dialogs/CSatDlg.h"
#include "dialogs/DialogCommands.h"
#include "tests/support/Deadline.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/FolderTree.h"
#include "tests/support/WidgetChild.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTreeWidget>

#include <fstream>
#include <functional>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

using namespace kiv;
using namespace kiv::test;
using namespace std::string_literals;

namespace {

using Record = std::vector<std::string>; // its lines as the file holds them, one to three

std::vector<Record> published(int count, const std::string& namePrefix)
{
    std::vector<Record> records;
    for (int i = 0; i < count; ++i) {
        Elements e;
        e.catalogNumber = 20000 + i;
        e.meanAnomalyDeg = (i * 97) % 360;
        const Tle tle = makeTle(namePrefix + std::to_string(i), e);
        records.push_back({tle.name, tle.line1, tle.line2});
    }
    return records;
}

std::string fileOf(const std::vector<Record>& records, const char* lineEnd = "\n")
{
    std::string text;
    for (const Record& record : records)
        for (const std::string& line : record)
            text += line + lineEnd;
    return text;
}

std::vector<Record> without(std::vector<Record> records, std::size_t k)
{
    records.erase(records.begin() + static_cast<std::ptrdiff_t>(k));
    return records;
}

class CSatDlgTest : public DocumentTest {
protected:
    CKivDoc& start()
    {
        writeFile("sats.tle", lowSatellites(1));
        CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\n");
        doc.Language = 1;
        return doc;
    }

    std::string fileBytes() const
    {
        QFile file(QString::fromStdString(path("sats.tle")));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    }

    // Through the command, so that the document reloads after OK: the dialog on the file, the
    // delete question for record k (from 0) answered, then OK or Cancel.
    void edit(CKivDoc& doc, std::optional<int> k, MessageAnswer answer, bool ok)
    {
        commands::editSatelliteData(doc, [&] {
            std::optional<ElementFileSnapshot> records = CSatDlg::readRecords(doc);
            EXPECT_TRUE(records);
            CSatDlg dialog(doc, std::move(*records));
            if (k) {
                QTreeWidget* tree = child<QTreeWidget>(dialog, "1111");
                tree->setCurrentItem(tree->topLevelItem(0)->child(*k));
                ui_.messages.queueAnswer(answer);
                dialog.OnDelete();
            }
            ok ? dialog.accept() : dialog.reject();
            return dialog.Written();
        });
    }
};

} // namespace

TEST_F(CSatDlgTest, TheRewriteHoldsExactlyTheRecordsLeftAsTheFileHadThem)
{
    const std::vector<Record> longNames = published(3, "A VERY LONG SATELLITE NAME X ");
    std::vector<Record> badInTheMiddle = published(6, "SAT ");
    badInTheMiddle[2][1][0] = '3'; // line 1 of record 3
    std::vector<Record> blanks = published(3, "BLANKS ");
    for (Record& record : blanks)
        for (std::string& line : record)
            line += "   ";
    std::vector<Record> shortLast = published(2, "SHORT ");
    shortLast.push_back({""}); // an empty line after the last record
    const struct {
        const char* name;
        std::vector<Record> records;
        const char* lineEnd;
        int remove;
        int shown; // records in the tree
        int loaded; // satellites the document holds after OK
    } cases[] = {
        {"long names", longNames, "\n", 1, 3, 2},
        {"260 records", published(260, "MANY "), "\n", 0, 260, 255},
        {"300 records, one past 255", published(300, "MANY "), "\n", 260, 300, 255},
        {"a bad record in the middle", badInTheMiddle, "\n", 4, 6, 2},
        {"the bad record itself", badInTheMiddle, "\n", 2, 6, 5},
        {"CR LF", published(4, "CRLF "), "\r\n", 3, 4, 3},
        {"trailing blanks", blanks, "\n", 0, 3, 2},
        {"a last record cut short", shortLast, "\n", 0, 3, 1},
    };
    CKivDoc& doc = start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string original = fileOf(c.records, c.lineEnd);
        writeFile("sats.tle", original);
        {
            CSatDlg dialog(doc, *CSatDlg::readRecords(doc));
            EXPECT_EQ(child<QTreeWidget>(dialog, "1111")->topLevelItem(0)->childCount(), c.shown);
        }

        edit(doc, c.remove, MessageAnswer::Yes, false);
        EXPECT_EQ(fileBytes(), original) << "Cancel changes nothing";

        edit(doc, c.remove, MessageAnswer::No, true);
        EXPECT_EQ(fileBytes(), fileOf(c.records)) << "No, then OK keeps every record";

        edit(doc, c.remove, MessageAnswer::Yes, true);
        EXPECT_EQ(fileBytes(), fileOf(without(c.records, c.remove)));
        EXPECT_EQ(doc.SatelliteCount, c.loaded);
    }
}

TEST_F(CSatDlgTest, RecordsTheLoaderRefusesAreMarkedWithTheReason)
{
    CKivDoc& doc = start();
    std::vector<Record> records = published(260, "MANY ");
    writeFile("sats.tle", fileOf(records));
    CSatDlg many(doc, *CSatDlg::readRecords(doc));
    const QTreeWidgetItem* root = child<QTreeWidget>(many, "1111")->topLevelItem(0);
    EXPECT_EQ(root->child(254)->toolTip(0), "");
    EXPECT_EQ(root->child(255)->toolTip(0), "Not loaded: only the first 255 records are loaded.");
    EXPECT_EQ(root->child(259)->text(0), "260 -> MANY 259");

    records.resize(5);
    records[1][2] = "1" + records[1][2].substr(1);
    writeFile("sats.tle", fileOf(records));
    doc.Language = 0;
    CSatDlg bad(doc, *CSatDlg::readRecords(doc));
    root = child<QTreeWidget>(bad, "1111")->topLevelItem(0);
    EXPECT_EQ(root->child(0)->toolTip(0), "");
    EXPECT_EQ(root->child(1)->toolTip(0), "Nicht geladen: Zeile 6 der Datei beginnt nicht mit \"2\".");
    EXPECT_EQ(root->child(1)->foreground(0).color(), QColor(Qt::red));
    EXPECT_EQ(root->child(4)->toolTip(0), "Nicht geladen: das Laden endet beim fehlerhaften Datensatz 2.");
}

TEST_F(CSatDlgTest, FieldsShowTheLinesOwnEpochDigitsAndPositionsToFourDecimals)
{
    CKivDoc& doc = start();
    writeFile("sats.tle", "ISS (ZARYA)\n"
                          "1 25544U 98067A   08264.11660400 -.00002182  00000-0 -11606-4 0  2927\n"
                          "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537\n");
    doc.SimTime = Time(1222084800); // Julian date 2454732.0
    CSatDlg dialog(doc, *CSatDlg::readRecords(doc));
    QTreeWidget* tree = child<QTreeWidget>(dialog, "1111");
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    EXPECT_EQ(child<QLineEdit>(dialog, "1125")->text(), "264");
    EXPECT_EQ(child<QLineEdit>(dialog, "1127")->text(), "0.11660400");
    for (const char* id : {"1099", "1031", "1033"}) {
        const QString shown = child<QLineEdit>(dialog, id)->text();
        EXPECT_EQ(shown.size() - shown.indexOf('.'), 5) << id << ": " << shown.toStdString();
    }
}

TEST_F(CSatDlgTest, AFileThatCannotBeReadOrWrittenIsToldAndKept)
{
    CKivDoc& doc = start();
    const struct {
        std::string bytes; // none: no file
        const char* message;
    } cases[] = {
        {"", "The satellite data file sats.tle could not be opened.\nThe file was not changed."},
        {"NAME\n" + std::string(5000, '1') + "\n2\n",
         "Line 2 of the satellite data file sats.tle is longer than 4096 characters: it is no element file.\n"
         "The file was not changed."},
    };
    for (const auto& c : cases) {
        ui_.messages.clear();
        removeFile("sats.tle");
        if (!c.bytes.empty())
            writeFile("sats.tle", c.bytes);
        EXPECT_FALSE(CSatDlg::readRecords(doc));
        EXPECT_EQ(ui_.messages.texts(), std::vector<QString>{QString::fromLatin1(c.message)});
        EXPECT_FALSE(CSatDlg::run(doc));
    }

    // The file's folder turned into a file while the dialog was open: OK says that the file is
    // gone, writes nothing and stays open.
    const QDir work(QString::fromStdString(path("")));
    ASSERT_TRUE(work.mkdir(QStringLiteral("sub")));
    writeFile("sub/sats.tle", lowSatellites(2));
    doc.Satellitenfilename = QString::fromStdString(path("sub/sats.tle"));
    CSatDlg dialog(doc, *CSatDlg::readRecords(doc));
    ASSERT_TRUE(QDir(work.filePath(QStringLiteral("sub"))).removeRecursively());
    writeFile("sub", "");
    ui_.messages.clear();
    QTreeWidget* tree = child<QTreeWidget>(dialog, "1111");
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    ui_.messages.queueAnswer(MessageAnswer::Yes);
    dialog.OnDelete();
    dialog.accept();
    ASSERT_EQ(ui_.messages.texts().size(), 2u);
    EXPECT_TRUE(ui_.messages.texts()[1].endsWith("sub/sats.tle could not be opened.\nThe file was not changed."))
        << ui_.messages.texts()[1].toStdString();
    EXPECT_EQ(work.entryList({QStringLiteral("sub*")}, QDir::AllEntries), QStringList{QStringLiteral("sub")});
    EXPECT_FALSE(dialog.Written());
    EXPECT_EQ(dialog.result(), 0) << "the dialog stays open";
}

// What another program may do to the file while the dialog is open, and what OK then does with
// the first record deleted: every file of the element folder compared, and the records shown
// while the box that tells of it is up.
TEST_F(CSatDlgTest, OkWritesOnlyOverTheFileItReadAndThroughLinks)
{
    using Change = std::function<void(const std::string& file)>;
    const std::string three = fileOf(published(3, "SAT "));
    const std::string appended = three + fileOf(published(2, "NEW "));
    const std::string twoLeft = fileOf(without(published(3, "SAT "), 0));
    std::string renamed = three;
    renamed[0] = 'X'; // the same size, other bytes
    const struct {
        const char* name;
        FolderTree before;
        Change change;
        bool written;
        FolderTree after;
        const char* message; // after the element file's path; empty: none
        int shown;           // records in the tree after OK
    } cases[] = {
        {"records appended", {{"sats.tle"s, "0644 " + three}},
         [&](const std::string& f) { std::ofstream(f, std::ios::app) << fileOf(published(2, "NEW ")); }, false,
         {{"sats.tle"s, "0644 " + appended}},
         " was changed by another program while this dialog was open.\n"
         "Nothing was written; the dialog now shows the file as it is.", 5},
        {"a name changed in place", {{"sats.tle"s, "0644 " + three}},
         [&](const std::string& f) { std::ofstream(f, std::ios::in | std::ios::out) << 'X'; }, false,
         {{"sats.tle"s, "0644 " + renamed}},
         " was changed by another program while this dialog was open.\n"
         "Nothing was written; the dialog now shows the file as it is.", 3},
        {"made read-only", {{"sats.tle"s, "0644 " + three}},
         [](const std::string& f) { chmod(f.c_str(), 0444); }, false, {{"sats.tle"s, "0444 " + three}},
         " is read-only.", 2},
        {"swapped for a FIFO", {{"sats.tle"s, "0644 " + three}},
         [](const std::string& f) { unlink(f.c_str()), mkfifo(f.c_str(), 0644); }, false, {{"sats.tle"s, "fifo"}},
         ": it is not a regular file.\nThe file was not changed.", 2},
        {"a link", {{"sats.tle"s, "link -> real/sats.tle"}, {"real/sats.tle"s, "0640 " + three}},
         [](const std::string&) {}, true, {{"sats.tle"s, "link -> real/sats.tle"}, {"real/sats.tle"s, "0640 " + twoLeft}},
         "", 2},
        {"a second name (a hard link)", {{"sats.tle"s, "0644 " + three}},
         [](const std::string& f) { link(f.c_str(), (f + ".other").c_str()); }, true,
         {{"sats.tle"s, "0644 " + twoLeft}, {"sats.tle.other"s, "0644 " + twoLeft}}, "", 2},
    };
    CKivDoc& doc = start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = QString::fromStdString(path(c.name));
        ASSERT_TRUE(makeFolderTree(folder, c.before));
        doc.Satellitenfilename = folder + QStringLiteral("/sats.tle");
        CSatDlg dialog(doc, *CSatDlg::readRecords(doc));
        c.change(doc.Satellitenfilename.toStdString());
        QTreeWidget* tree = child<QTreeWidget>(dialog, "1111");
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        ui_.messages.clear();
        ui_.messages.queueAnswer(MessageAnswer::Yes);
        dialog.OnDelete();
        int shownBehindTheBox = -1; // records in the tree while the last box is up
        ui_.messages.whenShown([&](const MessageRequest&) { shownBehindTheBox = tree->topLevelItem(0)->childCount(); });
        const Deadline deadline;
        dialog.accept();
        EXPECT_EQ(dialog.Written(), c.written);
        EXPECT_EQ(dialog.result(), c.written ? QDialog::Accepted : 0);
        EXPECT_EQ(folderTree(folder), c.after);
        EXPECT_EQ(tree->topLevelItem(0)->childCount(), c.shown);
        const std::vector<QString> texts = ui_.messages.texts();
        const std::vector<QString> told(texts.begin() + 1, texts.end()); // after the delete question
        if (*c.message == 0) {
            EXPECT_TRUE(told.empty());
            continue;
        }
        ASSERT_EQ(told.size(), 1u);
        EXPECT_TRUE(told[0].endsWith(doc.Satellitenfilename + QString::fromLatin1(c.message))) << told[0].toStdString();
        EXPECT_EQ(shownBehindTheBox, c.shown);
    }
}
