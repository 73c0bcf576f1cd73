// The go-to dialog over a document's small town list: a click and OK, typed places, the list
// written when the dialog closes, after Cancel too, and refused input.
#include "document/TownFile.h"
#include "tests/support/DocumentFixture.h"
#include "views2d/CGotoDlg.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>

using namespace kiv;
using namespace kiv::test;

namespace {

class GotoDialogTest : public DocumentTest {
protected:
    CGotoDlg& open(int language = 1)
    {
        writeFile("small.twn", "3\nGermany,Bonn;  7.100000,  50.733000,  300000,  1990,  0\n"
                               "USA,Springfield;  -89.6,  39.8,  1,  0,  0\nUSA,Springfield;  -72.6,  42.1,  2,  0,  0\n");
        CKivDoc& doc = makeDocument();
        doc.WDBSmalTowns = QStringLiteral("small.twn");
        doc.LoadTowns();
        doc.Language = language;
        ui_.messages.clear();
        dialog_ = std::make_unique<CGotoDlg>(doc);
        return *dialog_;
    }
    QLineEdit& edit(int id) { return *dialog_->findChild<QLineEdit*>(QString::number(id)); }
    QTreeWidget& list() { return *dialog_->findChild<QTreeWidget*>(QStringLiteral("1098")); }
    void click(int row)
    {
        list().setCurrentItem(list().topLevelItem(row));
        dialog_->OnClickList();
    }
    QByteArray fileBytes()
    {
        QFile f(QString::fromStdString(path("small.twn")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    std::unique_ptr<CGotoDlg> dialog_;
};

TEST_F(GotoDialogTest, AClickedTownAndOkGiveItsPlace)
{
    CGotoDlg& dialog = open();
    EXPECT_EQ(edit(1117).text(), "3");
    EXPECT_EQ(list().topLevelItem(0)->text(2), "-7.100000");
    click(0);
    EXPECT_EQ(edit(1104).text(), "Germany");
    EXPECT_EQ(edit(1101).text(), "Bonn");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.Latitude, 50.733);
    EXPECT_DOUBLE_EQ(dialog.WestLongitude, -7.1);
    EXPECT_EQ(dialog.TownText, "Germany,Bonn");
    // Nothing added or deleted: the file is left alone.
    EXPECT_TRUE(fileBytes().contains("  -89.6,"));
}

TEST_F(GotoDialogTest, TypedPlacesAreWestPositiveAsLabelledAndChecked)
{
    CGotoDlg& dialog = open();
    edit(1031).setText("10");
    edit(1099).setText("20,5");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.Latitude, 10.0);
    EXPECT_DOUBLE_EQ(dialog.WestLongitude, 20.5);

    CGotoDlg& again = open();
    edit(1031).setText("north");
    edit(1099).setText("20");
    again.accept();
    EXPECT_NE(again.result(), QDialog::Accepted);
    ASSERT_EQ(ui_.messages.shown().size(), 1u);
}

TEST_F(GotoDialogTest, AddAndDeleteAreWrittenOnOkAndCancelAndRefreshTheDocument)
{
    CGotoDlg& dialog = open();
    click(1);
    dialog.OnDelete();
    edit(1104).setText("Germany");
    edit(1101).setText("Aachen");
    edit(1031).setText("50.766667");
    edit(1099).setText("-6.083333");
    edit(1108).setText("250000");
    dialog.OnAdd();
    EXPECT_EQ(edit(1117).text(), "3");
    EXPECT_EQ(list().currentItem()->text(0), "Germany,Aachen");
    dialog.reject();
    EXPECT_TRUE(fileBytes().startsWith("3\nGermany,Aachen;")) << "cancel after add and delete writes the list";

    CGotoDlg& second = open();
    click(2);
    second.OnDelete();
    list().setCurrentItem(nullptr);
    second.OnDelete(); // nothing focused: nothing happens
    EXPECT_EQ(second.RecordCount(), 2);
    second.accept();
    EXPECT_EQ(fileBytes(), "2\nGermany,Bonn;  7.100000,  50.733000,  300000,  1990,  0\n"
                           "USA,Springfield;  -89.600000,  39.800000,  1,  0,  0\n");
    EXPECT_EQ(doc_->SmalTownCount, 2);
    EXPECT_EQ(doc_->SmalTowns[1].population, 1);
}

TEST_F(GotoDialogTest, AListThatCannotBeWrittenKeepsTheDialogOpenAndSaysSo)
{
    CGotoDlg& dialog = open();
    writeFile("blocker", "a file where a folder would have to be");
    doc_->WDBSmalTowns = QString::fromStdString(path("blocker") + "/small.twn");
    click(0);
    dialog.OnDelete();
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(ui_.messages.texts().size(), 1u);
    EXPECT_TRUE(ui_.messages.texts()[0].contains("small.twn")) << ui_.messages.texts()[0].toStdString();
    EXPECT_EQ(doc_->SmalTownCount, 3) << "the document keeps the list it had";
    EXPECT_EQ(dialog.RecordCount(), 2) << "the edits stay, to be saved elsewhere or cancelled";
}

TEST_F(GotoDialogTest, RefusedFieldsAddNothingAndSayWhy)
{
    CGotoDlg& dialog = open();
    edit(1104).setText("Ger,many");
    edit(1031).setText("1");
    edit(1099).setText("1");
    dialog.OnAdd();
    EXPECT_EQ(dialog.RecordCount(), 3);
    ASSERT_EQ(ui_.messages.texts().size(), 1u);
    EXPECT_TRUE(ui_.messages.texts()[0].contains("','"));
}

TEST_F(GotoDialogTest, CountryPrefixScrollsAndInfoShowsTheHelp)
{
    CGotoDlg& dialog = open();
    dialog.OnCountryEdited("us");
    dialog.OnInfo();
    ASSERT_EQ(ui_.messages.captions().size(), 1u);
    EXPECT_EQ(ui_.messages.captions()[0], "Info");
    EXPECT_TRUE(ui_.messages.texts()[0].startsWith("You can choose a town"));
}

TEST_F(GotoDialogTest, ColumnTitlesFitTheirColumnsInBothLanguages)
{
    for (int language : {1, 0}) {
        open(language);
        for (int c = 0; c < 4; ++c)
            EXPECT_GE(list().columnWidth(c), list().header()->sectionSizeHint(c)) << language << " " << c;
    }
}

TEST_F(GotoDialogTest, GermanTextsAndMessages)
{
    CGotoDlg& dialog = open(0);
    EXPECT_EQ(dialog.windowTitle(), "Gehe zu den Ortskoordinaten");
    EXPECT_EQ(list().headerItem()->text(2), QString::fromUtf8("Westliche Länge"));
    EXPECT_TRUE(list().isColumnHidden(4) && list().isColumnHidden(5));
    dialog.OnInfo();
    edit(1031).setText("95");
    edit(1099).setText("7");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(ui_.messages.texts().size(), 2u);
    EXPECT_TRUE(ui_.messages.texts()[0].startsWith(QString::fromUtf8("Sie können eine Stadt auswählen")));
    EXPECT_EQ(ui_.messages.texts()[1], "Die Breite muss eine Zahl von -90 bis 90 Grad sein.");
}

TEST_F(GotoDialogTest, DocumentGoToAimsTheGlobeAndKeepsThePlaceOnOkOnly)
{
    writeFile("small.twn", "1\nGermany,Bonn;  7.100000,  50.733000,  300000,  1990,  0\n");
    CKivDoc& doc = makeDocument();
    doc.WDBSmalTowns = QStringLiteral("small.twn");
    FakeViews& globe = attachFakeViews({ViewKind::World});
    doc.AnimationRunning = 1;
    bool timerOffInDialog = false;
    const auto answer = [&](bool ok) {
        QTimer::singleShot(0, [&, ok] {
            auto* dialog = dynamic_cast<CGotoDlg*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            timerOffInDialog = !frame_.timerOn;
            EXPECT_EQ(dialog->RecordCount(), 1) << "the town lists are read before the dialog opens";
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("1098"));
            list->setCurrentItem(list->topLevelItem(0));
            dialog->OnClickList();
            ok ? dialog->accept() : dialog->reject();
        });
    };
    answer(false);
    EXPECT_FALSE(runGoTo(doc).has_value());
    EXPECT_TRUE(globe.calls.empty());
    EXPECT_EQ(doc.ActualLatitude, 0.0f);
    answer(true);
    const std::optional<GoToPlace> place = runGoTo(doc);
    ASSERT_TRUE(place.has_value());
    EXPECT_EQ(place->townText, "Germany,Bonn");
    EXPECT_TRUE(timerOffInDialog);
    EXPECT_TRUE(frame_.timerOn);
    EXPECT_EQ(globe.calls, (std::vector<std::string>{"LookAt"}));
    EXPECT_EQ(globe.lookAtDistance, 35.0);
    // Kept crossed, the way the globe reads them at its start.
    EXPECT_EQ(doc.ActualLatitude, -7.1f);
    EXPECT_EQ(doc.ActualLongitude, 50.733f);
}

} // namespace
