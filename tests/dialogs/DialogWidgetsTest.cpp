// The dialogs as widgets on the offscreen platform: fields, ranges, languages, and what OK does.
#include "dialogs/CAllgDlg.h"
#include "dialogs/DialogControls.h"
#include "dialogs/CFolowDlg.h"
#include "dialogs/CInternetDialog.h"
#include "dialogs/CSatDlg.h"
#include "document/SettingsTable.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/WidgetChild.h"
#include "tests/support/LoopbackHttpServer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace kiv;
using namespace kiv::test;

namespace {

// Types the field's text over itself as the user would, so that textEdited fires.
void retype(QLineEdit* edit)
{
    edit->selectAll();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, edit->text());
    QApplication::sendEvent(edit, &press);
}

GeneralOptions someOptions()
{
    GeneralOptions o;
    o.Satellitenfilename = QStringLiteral("sats.tle");
    o.ColorTableFileName = QStringLiteral("kiv.clr");
    o.IconFileName = QStringLiteral("kiv.sin");
    o.AccuracyX = 35;
    o.AccuracyY = 20;
    o.Sterne = 1000;
    o.AutoExtendX = 33.333333f;
    o.BeamAngle = 20.0f;
    o.NrOfOcularReflections = 5;
    return o;
}

class DialogWidgetsTest : public DocumentTest {};

} // namespace

TEST_F(DialogWidgetsTest, GeneralNotesWhichChangesNeedAReload)
{
    const struct {
        const char* control;
        bool isButton;
        int reload;
    } cases[] = {
        {nullptr, false, 0}, {"1070", false, 1}, {"1054", false, 1}, {"1090", false, 1}, {"1055", false, 0},
        {"1053", false, 0},  {"1086", false, 0}, {"1057", false, 0}, {"1074", false, 0}, {"1079", false, 0},
        {"1182", true, 1},   {"1184", true, 0},  {"1044", true, 1},  {"1008", true, 1},  {"1009", true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control ? c.control : "untouched");
        CAllgDlg dialog(someOptions(), services_, paths_, 1);
        if (c.control && c.isButton)
            child<QAbstractButton>(dialog, c.control)->click(); // a Browse is cancelled: nothing queued
        else if (c.control)
            retype(child<QLineEdit>(dialog, c.control));
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.values().ReloadNeeded, c.reload);
    }
    // Each Browse starts at its field's file: where it is found, else where it would be written.
    std::vector<QString> starts;
    for (const auto& shown : ui_.files.shown())
        starts.push_back(shown.request.initialPath);
    EXPECT_EQ(starts, (std::vector<QString>{filePath("kiv.clr"), filePath("user/sats.tle"), filePath("kiv.sin")}));
}

TEST_F(DialogWidgetsTest, GeneralRefusesValuesOutsideTheirRanges)
{
    const struct {
        const char* control;
        const char* text;
        const char* message; // nullptr: accepted
    } cases[] = {
        {"1090", "181", "Please enter a number between 0 and 180."},
        {"1090", "180", nullptr},
        {"1086", "21", "Please enter an integer between 0 and 20."},
        {"1086", "20", nullptr},
        {"1054", "2", "Please enter an integer between 3 and 360."},
        {"1055", "181", "Please enter an integer between 2 and 180."},
        {"1053", "100001", "Please enter an integer between 0 and 100000."},
        {"1057", "4.5", "Please enter a number between 5 and 100."},
        {"1053", "many", "Please enter an integer."},
        {"1090", "12,5", "Please enter a number."},
        {"1090", "1e-7", nullptr},
        {"1090", "1.8E+2", nullptr},
        {"1057", "5e1", nullptr},
        {"1090", "1.81e2", "Please enter a number between 0 and 180."},
        {"1090", "1e999", "Please enter a number between 0 and 180."},
        {"1090", "1e", "Please enter a number."},
        {"1090", "1e-7x", "Please enter a number."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ui_.messages.clear();
        CAllgDlg dialog(someOptions(), services_, paths_, 1);
        child<QLineEdit>(dialog, c.control)->setText(QString::fromLatin1(c.text));
        dialog.accept();
        EXPECT_EQ(dialog.result(), c.message ? QDialog::Rejected : QDialog::Accepted);
        if (c.message)
            EXPECT_EQ(ui_.messages.texts(), std::vector<QString>{QString::fromLatin1(c.message)});
        else
            EXPECT_TRUE(ui_.messages.shown().empty());
    }
    {
        CAllgDlg exponents(someOptions(), services_, paths_, 1);
        child<QLineEdit>(exponents, "1090")->setText(QStringLiteral("1e-7"));
        child<QLineEdit>(exponents, "1057")->setText(QStringLiteral("2.5E1"));
        exponents.accept();
        EXPECT_EQ(exponents.values().BeamAngle, 1e-7f);
        EXPECT_EQ(exponents.values().AutoExtendX, 25.0f);
    }
    CAllgDlg dialog(someOptions(), services_, paths_, 0);
    EXPECT_EQ(child<QLineEdit>(dialog, "1057")->text(), "33.333332");
    EXPECT_EQ(dialog.windowTitle(), "Optionen allgemein");
    EXPECT_EQ(child<QPushButton>(dialog, "1008")->text(), "Suchen");
    child<QPushButton>(dialog, "1042")->click();
    EXPECT_TRUE(ui_.messages.texts().back().startsWith("Hier können sie die Anzahl der Hintergrundsterne"));
    // The Info text comes as paragraphs, for the box to wrap.
    EXPECT_TRUE(ui_.messages.texts().back().contains("angenähert wird an. Der X-Wert ist"));
    EXPECT_TRUE(ui_.messages.texts().back().contains("wirksam.\n\nDie Werte"));
}

TEST_F(DialogWidgetsTest, FollowListsTheLoadedSatellitesAndKeepsOneMode)
{
    const QStringList names{QStringLiteral("SAT"), QStringLiteral("SAT"), QStringLiteral("OTHER")};
    CFolowDlg dialog({0, 1, 1, 0}, names);
    auto* list = child<QTreeWidget>(dialog, "1098");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    for (int i = 0; i < 3; ++i) { // duplicate names each get their own number
        EXPECT_EQ(list->topLevelItem(i)->text(1), QString::number(i + 1));
        EXPECT_EQ(list->topLevelItem(i)->text(2), i == 1 ? "X" : " ");
    }
    EXPECT_TRUE(child<QCheckBox>(dialog, "1249")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(dialog, "1251")->isChecked());

    dialog.OnClickList(2);
    EXPECT_EQ(list->topLevelItem(1)->text(2), " ");
    EXPECT_EQ(list->topLevelItem(2)->text(2), "X");
    child<QCheckBox>(dialog, "1251")->click();
    EXPECT_FALSE(child<QCheckBox>(dialog, "1249")->isChecked());
    EXPECT_EQ(dialog.values().FollowIn3D, 1);
    EXPECT_EQ(dialog.values().FollowMode3D, 1);
    child<QCheckBox>(dialog, "1251")->click(); // clearing the checked box ends 3D following
    EXPECT_EQ(dialog.values().FollowIn3D, 0);
    EXPECT_EQ(dialog.values().FollowedSatellite, 2);

    CFolowDlg notIn3D({0, 0, 0, 1}, names);
    EXPECT_FALSE(child<QCheckBox>(notIn3D, "1249")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(notIn3D, "1251")->isChecked());
}

TEST_F(DialogWidgetsTest, SatelliteListsShowWholeNamesWithinTheList)
{
    const QStringList names{QStringLiteral("KALPANA-1 (METSAT-1)"), QStringLiteral("MOLNIYA 3-27"),
                            QStringLiteral("WWWWWWWWWWWWWWWWWWWWWW")}; // as long and wide as a name gets
    const auto expectWhole = [&names](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        auto* list = child<QTreeWidget>(dialog, "1098");
        int columns = 0;
        for (int c = 0; c < 3; ++c)
            columns += list->columnWidth(c);
        EXPECT_LE(columns, list->viewport()->width());
        for (const QString& name : names)
            EXPECT_LT(list->fontMetrics().horizontalAdvance(name), list->columnWidth(0) - 6) << name.toStdString();
        for (int c = 1; c < 3; ++c)
            EXPECT_GE(list->columnWidth(c), list->header()->sectionSizeHint(c)) << c;
        dialog.hide();
    };
    CFolowDlg follow({0, 1, 1, 0}, names);
    expectWhole(follow);
    // The style dialogs' list, as the colour panel lays it out.
    QDialog style;
    auto* layout = new QVBoxLayout(&style);
    layout->addWidget(controls::satelliteList(names, [](int) { return true; }, [](int) {}, &style));
    expectWhole(style);
}

TEST_F(DialogWidgetsTest, SatelliteDataDeletesRecordsAndRewritesTheFileWhole)
{
    const std::string original = lowSatellites(5);
    writeFile("sats.tle", original);
    CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\n");
    doc.Language = 0;
    const struct {
        MessageAnswer answer;
        bool ok;
        bool written;
        int records;
    } cases[] = {{MessageAnswer::No, true, true, 5}, {MessageAnswer::Yes, false, false, 5}, {MessageAnswer::Yes, true, true, 4}};
    for (const auto& c : cases) {
        ui_.messages.clear();
        CSatDlg dialog(doc, *CSatDlg::readRecords(doc));
        auto* tree = child<QTreeWidget>(dialog, "1111");
        QTreeWidgetItem* root = tree->topLevelItem(0);
        ASSERT_EQ(root->childCount(), 5);
        EXPECT_EQ(root->text(0), "sats.tle");
        EXPECT_EQ(root->child(1)->text(0), "2 -> LOW 1");
        tree->setCurrentItem(root->child(1)->child(0)); // a line stands for its record
        EXPECT_EQ(child<QLineEdit>(dialog, "1115")->text(), "LOW 1");
        EXPECT_EQ(child<QLineEdit>(dialog, "1121")->text(), "10001");
        EXPECT_FALSE(child<QLineEdit>(dialog, "1033")->text().isEmpty());
        ui_.messages.queueAnswer(c.answer);
        dialog.OnDelete();
        EXPECT_EQ(ui_.messages.texts().at(0), "Achtung, soll >2 -> LOW 1< wirklich gelösch werden ???");
        EXPECT_EQ(root->childCount(), c.answer == MessageAnswer::Yes ? 4 : 5);
        EXPECT_EQ(root->child(1)->text(0), c.answer == MessageAnswer::Yes ? "3 -> LOW 2" : "2 -> LOW 1");
        c.ok ? dialog.accept() : dialog.reject();
        EXPECT_EQ(dialog.Written(), c.written);

        QFile file(filePath(QStringLiteral("sats.tle")));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const std::string bytes = file.readAll().toStdString();
        if (c.records == 5) {
            EXPECT_EQ(bytes, original);
        } else {
            EXPECT_EQ(bytes.find("LOW 1\n"), std::string::npos);
            EXPECT_LT(bytes.find("LOW 0\n"), bytes.find("LOW 2\n"));
            EXPECT_LT(bytes.find("LOW 3\n"), bytes.find("LOW 4\n"));
            EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 12);
        }
    }
}

TEST_F(DialogWidgetsTest, DownloadOffersTheRecentUrlsAndAsksAgainOnFailure)
{
    LoopbackHttpServer server(lowSatellites(2));
    WebDownload request;
    request.urls = {QString::fromStdString(server.url("/404")), QString(), QString::fromStdString(server.url("/ok"))};
    CInternetDialog dialog(request, services_, paths_, 1, HttpClient(HttpOptions{2000, 1000, 1, 50}));
    auto* url = child<QComboBox>(dialog, "1376");
    ASSERT_EQ(url->count(), 2);
    EXPECT_EQ(url->currentText(), request.urls[0]);
    EXPECT_EQ(child<QLineEdit>(dialog, "1369")->text(), "internet.tle");

    ui_.messages.queueAnswer(MessageAnswer::Yes);
    dialog.accept();
    EXPECT_EQ(ui_.messages.texts().at(0),
              "Could not download file.\nWrong: the server answered with status 404\nDo you want to try again ?");
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_FALSE(QFile::exists(filePath("internet.tle")));

    url->setCurrentIndex(1);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const WebDownload done = dialog.values();
    EXPECT_EQ(done.url, request.urls[2]);
    QFile file(paths_.resolve(done.localFileName));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), server.body());

    // Cancel during a transfer stops it and keeps the dialog, without asking.
    ui_.messages.clear();
    url->setEditText(QString::fromStdString(server.url("/stall")));
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.reject(); });
    dialog.setResult(0);
    dialog.accept();
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_TRUE(ui_.messages.shown().empty());
    EXPECT_TRUE(child<QPushButton>(dialog, "1315")->isEnabled());

    ui_.messages.queueAnswer(MessageAnswer::No);
    CInternetDialog failing({}, services_, paths_, 0, HttpClient(HttpOptions{2000, 1000, 0, 50}));
    EXPECT_EQ(child<QComboBox>(failing, "1376")->currentText(), defaultElementSetUrl());
    child<QComboBox>(failing, "1376")->setEditText(QString::fromStdString(server.url("/500")));
    failing.accept();
    EXPECT_EQ(failing.result(), QDialog::Rejected);
    EXPECT_EQ(child<QPushButton>(failing, "1315")->text(), "Suchen");
}

TEST_F(DialogWidgetsTest, DownloadKeepsTheElementFileWhenNoElementSetsCame)
{
    const std::string good = lowSatellites(3);
    const char* const webPage[] = {"the server sent a web page, not element sets",
                                   "der Server schickte eine Webseite, keine Bahnelemente"};
    const char* const noRecord[] = {"no element set in the download", "der Download enthält keine Bahnelemente"};
    const char* const tooLarge[] = {"the file is larger than the limit of 32 MiB",
                                    "die Datei ist größer als die Grenze von 32 MiB"};
    const struct {
        std::string body;
        const char* path;
        const char* const* reasons; // English, German
    } cases[] = {
        {"<html><body>Moved</body></html>\n", "/ok", webPage},
        {"\xEF\xBB\xBF \r\n<?xml version=\"1.0\"?><omm/>\n", "/chunked", webPage},
        {"<!DOCTYPE html>\n" + good, "/ok", webPage},
        {"hello\nworld\n", "/ok", noRecord},
        {"", "/ok", noRecord},
        {good, "/huge", tooLarge},
    };
    for (const auto& c : cases) {
        for (const int language : {1, 0}) {
            SCOPED_TRACE(c.body.substr(0, 20) + c.path + std::to_string(language));
            writeFile("internet.tle", good);
            LoopbackHttpServer server(c.body);
            ui_.messages.clear();
            ui_.messages.queueAnswer(MessageAnswer::No);
            CInternetDialog dialog({}, services_, paths_, language, HttpClient(HttpOptions{2000, 1000, 0, 50}));
            child<QComboBox>(dialog, "1376")->setEditText(QString::fromStdString(server.url(c.path)));
            dialog.accept();
            EXPECT_EQ(dialog.result(), QDialog::Rejected);
            ASSERT_EQ(ui_.messages.shown().size(), 1u);
            EXPECT_EQ(ui_.messages.shown()[0].caption, language == 1 ? "Attention" : "Achtung");
            EXPECT_EQ(ui_.messages.shown()[0].text,
                      (language == 1 ? QStringLiteral("Could not download file.\nWrong: %1\nDo you want to try again ?")
                                     : QStringLiteral("Die Datei konnte nicht geladen werden.\nFehler: %1\nWollen Sie "
                                                      "es noch einmal versuchen ?"))
                          .arg(QString::fromUtf8(c.reasons[language == 1 ? 0 : 1])));
            QFile file(filePath(QStringLiteral("internet.tle")));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll().toStdString(), good);
            EXPECT_EQ(QDir(filePath(QString())).entryList({QStringLiteral("internet.tle*")}, QDir::Files),
                      QStringList{QStringLiteral("internet.tle")});
        }
    }
}
