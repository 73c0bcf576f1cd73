// The export dialog and its editor: opening, tab changes, questions, rebuilds, the nested time
// dialog, saving, opening and printing.
#include "dialogs/CEditor.h"
#include "dialogs/CExportDlg.h"
#include "dialogs/CTimeDlg.h"
#include "dialogs/ExportDialogHost.h"
#include "dialogs/ExportGenerator.h"
#include "dialogs/LibraryExportOrbit.h"
#include "dialogs/TablePrinter.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/Prerequisite.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <limits>

using namespace kiv;
using namespace kiv::test;

namespace {

class ExportDialogTest : public DocumentTest {
protected:
    ~ExportDialogTest() override { host_.reset(); }

    CExportDlg& open(int satellites = 3)
    {
        writeFile("sats.tle", lowSatellites(satellites));
        CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\n");
        doc.SetSimTime(Time::fromUtc({2024, 4, 10, 12, 0, 0}));
        doc.SatInfo[0].shown = 1;
        ui_.messages.clear();
        host_ = std::make_unique<ExportDialogHost>(doc, nullptr);
        host_->OpenExportDialog();
        return *host_->ExportDialog();
    }
    // Runs the queued rebuilds and deletions.
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static QStringList tableLines(const CExportDlg& d) { return d.Editor().Text().split(QLatin1Char('\n')); }
    // Starts the LLA table of a range from 04/10/2024 12:00 at the step; the long table's
    // question is answered Yes.
    static void startTable(CExportDlg& d, const char* endDate, const char* step)
    {
        d.EditOf(ExportEdit::EndDate)->setText(QString::fromLatin1(endDate));
        d.EditOf(ExportEdit::EndTime)->setText(QStringLiteral("12 : 00 : 00"));
        d.EditOf(ExportEdit::StepTime)->setText(QString::fromLatin1(step));
        d.GenerateOutput(ExportKind::LLA);
    }
    // Runs the event loop while the table is being made, at most until `lines` have come in.
    static void runWhileMade(const CExportDlg& d, int lines = std::numeric_limits<int>::max())
    {
        QElapsedTimer clock;
        clock.start();
        while (d.Generating() && d.Editor().Edit()->blockCount() < lines && clock.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    std::unique_ptr<ExportDialogHost> host_;
};

} // namespace

TEST_F(ExportDialogTest, OpensWithTheShownSatellitesAndTheirTable)
{
    CExportDlg& d = open();
    auto* list = d.findChild<QTreeWidget*>();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(1)->text(0), "LOW 1");
    EXPECT_EQ(list->topLevelItem(1)->text(1), "2");
    EXPECT_EQ(list->topLevelItem(0)->text(2), "X");
    EXPECT_EQ(list->topLevelItem(1)->text(2), " ");
    EXPECT_EQ(d.Tabs().count(), 6);
    EXPECT_EQ(d.Kind(), ExportKind::LLA);
    const QStringList lines = tableLines(d);
    ASSERT_EQ(lines.size(), 1 + 25 + 2);
    EXPECT_EQ(lines[0], "LOW 0");
    EXPECT_TRUE(lines[1].startsWith("2024 Apr 10  12:00:00   [")) << lines[1].toStdString();
    EXPECT_TRUE(lines[25].startsWith("2024 Apr 11  12:00:00   ["));
    EXPECT_FALSE(d.Editor().Modified());
    EXPECT_TRUE(d.Editor().Edit()->isReadOnly());
    EXPECT_TRUE(ui_.messages.shown().empty());

    // A click adds a satellite and the table follows.
    d.OnListClick(2);
    EXPECT_EQ(list->topLevelItem(2)->text(2), "X");
    EXPECT_TRUE(tableLines(d).contains("LOW 2"));
    d.OnListClick(7); // no such row
    EXPECT_EQ(d.Model().State.Selected[7], 0);
}

TEST_F(ExportDialogTest, TabsChooseTheKindAndTheControlsItUses)
{
    CExportDlg& d = open();
    d.Tabs().setCurrentIndex(1); // ECI
    EXPECT_FALSE(d.ObserverControlsEnabled());
    EXPECT_FALSE(d.AngleFormatEnabled());
    EXPECT_TRUE(tableLines(d)[1].contains("(Miles/sec)"));
    d.Tabs().setCurrentIndex(2); // OBS
    EXPECT_TRUE(d.ObserverControlsEnabled());
    EXPECT_TRUE(d.AngleFormatEnabled());
    d.Tabs().setCurrentIndex(4); // RAD
    EXPECT_FALSE(d.AngleFormatEnabled());

    // Toggles regenerate at once, the input time only counts from the next table.
    d.Tabs().setCurrentIndex(0);
    d.ToggleButton(0)->click();
    EXPECT_EQ(d.ToggleButton(0)->text(), "Km");
    EXPECT_TRUE(tableLines(d)[1].endsWith(" km") || tableLines(d)[1].endsWith(" km ECL"));
    d.ToggleButton(1)->click();
    EXPECT_TRUE(tableLines(d)[1].startsWith("2024,Apr,10,12:00:00,"));
    const QString before = d.Editor().Text();
    d.ToggleButton(2)->click();
    EXPECT_EQ(d.Editor().Text(), before);

    // Precision from the edit.
    d.EditOf(ExportEdit::Precision)->setText("12");
    d.OnPrecisionEdited();
    EXPECT_EQ(d.Model().Precision, 12);
    EXPECT_NE(d.Editor().Text(), before);
}

TEST_F(ExportDialogTest, BadEditsAndLongTablesAsk)
{
    CExportDlg& d = open();
    d.EditOf(ExportEdit::StepTime)->setText("00 : 00 : 00");
    d.GenerateOutput(ExportKind::LLA);
    ASSERT_EQ(ui_.messages.shown().size(), 1U);
    EXPECT_TRUE(d.Editor().Text().isEmpty());

    // 1000 steps are made without a question, 1001 ask.
    ui_.messages.clear();
    d.EditOf(ExportEdit::StepTime)->setText("00 : 01 : 00");
    d.EditOf(ExportEdit::EndDate)->setText("04 / 10 / 2024");
    d.EditOf(ExportEdit::EndTime)->setText("28 : 40 : 00");
    d.GenerateOutput(ExportKind::LLA);
    EXPECT_EQ(ui_.messages.shown().size(), 1U) << "the hour is refused";
    ui_.messages.clear();
    d.EditOf(ExportEdit::EndDate)->setText("04 / 11 / 2024");
    d.EditOf(ExportEdit::EndTime)->setText("04 : 40 : 00");
    d.GenerateOutput(ExportKind::LLA);
    EXPECT_TRUE(ui_.messages.shown().empty());
    EXPECT_EQ(tableLines(d).size(), 1 + 1001 + 2);
    d.EditOf(ExportEdit::EndTime)->setText("04 : 41 : 00");
    ui_.messages.queueAnswer(MessageAnswer::No);
    d.GenerateOutput(ExportKind::LLA);
    ASSERT_EQ(ui_.messages.shown().size(), 1U);
    EXPECT_EQ(ui_.messages.shown()[0].caption, "Warning");
    EXPECT_EQ(ui_.messages.shown()[0].text,
              "Warning, there are 1001 records per spacecraft to calculate. Do you want to proceed ?");
    EXPECT_TRUE(d.Editor().Text().isEmpty());
}

TEST_F(ExportDialogTest, TheTimeDialogChangesTheRangeOnlyOnOk)
{
    CExportDlg& d = open();
    d.EditOf(ExportEdit::StepDays)->setText("1");
    d.EditOf(ExportEdit::StepTime)->setText("02 : 00 : 00");
    for (const bool ok : {false, true}) {
        int factorSeen = 0;
        d.RunNested = [&](QDialog& dialog) {
            auto& time = static_cast<CTimeDlg&>(dialog);
            factorSeen = time.Factor();
            time.findChild<QLineEdit*>(QStringLiteral("1126"))->setText("2030");
            time.findChild<QLineEdit*>(QStringLiteral("1103"))->setText("600");
            if (!ok)
                return static_cast<int>(QDialog::Rejected);
            time.accept();
            return time.result();
        };
        d.OnTimeButton(true);
        EXPECT_EQ(factorSeen, 93600) << "the typed step";
        EXPECT_EQ(d.Model().State.StartTime.year, ok ? 2030 : 2024);
        EXPECT_EQ(d.Model().State.StepSeconds, ok ? 600 : 93600);
        EXPECT_EQ(d.EditOf(ExportEdit::StepTime)->text(), ok ? "00 : 10 : 00" : "02 : 00 : 00");
    }
}

TEST_F(ExportDialogTest, EnlargeRebuildsWithTheSameSettingsAndOkAsksAboutEdits)
{
    CExportDlg& first = open();
    const QSize normal = first.size();
    first.Tabs().setCurrentIndex(2); // OBS
    first.ToggleButton(0)->click();  // km
    first.OnListClick(1);
    first.Model().Precision = 12;
    QPointer<CExportDlg> old(&first);
    first.OnEnlarge();
    EXPECT_EQ(first.Result, CExportDlg::Rebuild);
    settle();
    EXPECT_TRUE(old.isNull()) << "deleted from the event loop";
    CExportDlg* d = host_->ExportDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Model().State.Layout, 0);
    EXPECT_EQ(d->Tabs().count(), 7);
    EXPECT_EQ(d->Kind(), ExportKind::OBS);
    EXPECT_EQ(d->Model().State.UseKm, 1);
    EXPECT_EQ(d->Model().State.Selected[1], 1);
    EXPECT_EQ(d->Model().Precision, 7);
    // Larger than the normal dialog, the table over its whole width.
    EXPECT_GE(d->width(), normal.width());
    EXPECT_GE(d->height(), normal.height());
    EXPECT_GE(d->Editor().width(), d->width() - 2 * d->layout()->contentsMargins().left());

    // The Main tab is the settings page; shrinking from it shows LLA.
    d->Tabs().setCurrentIndex(0);
    EXPECT_FALSE(d->Editor().isVisibleTo(d));
    d->OnEnlarge();
    settle();
    d = host_->ExportDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Model().State.Layout, 1);
    EXPECT_EQ(d->Kind(), ExportKind::LLA);
    EXPECT_EQ(d->size(), normal);

    // An edited table is offered for saving before the dialog ends.
    ui_.messages.clear();
    d->Editor().Edit()->setReadOnly(false);
    d->Editor().Edit()->appendPlainText("my note");
    ui_.messages.queueAnswer(MessageAnswer::No);
    QPointer<CExportDlg> last(d);
    d->accept();
    ASSERT_EQ(ui_.messages.shown().size(), 1U);
    EXPECT_EQ(ui_.messages.shown()[0].text, "Do you want to save the data to a file ?");
    settle();
    EXPECT_TRUE(last.isNull());
    EXPECT_EQ(host_->ExportDialog(), nullptr);
}

TEST_F(ExportDialogTest, ALargeTableComesInPiecesWithTheBytesOfTheWholeTable)
{
    CExportDlg& d = open();
    ui_.messages.queueAnswer(MessageAnswer::Yes);
    startTable(d, "04 / 11 / 2024", "00 : 00 : 10"); // 8641 rows
    ASSERT_TRUE(d.Generating()) << "made from the event loop";
    EXPECT_TRUE(d.Editor().Edit()->isReadOnly());
    // Half a table is neither saved nor printed.
    ui_.messages.clear();
    d.MakeOutputFileName();
    d.Editor().OnFilePrint();
    ASSERT_EQ(ui_.messages.shown().size(), 2U);
    EXPECT_EQ(ui_.messages.shown()[0].text,
              "The table is still being made; please save or print it once it is complete.");
    EXPECT_TRUE(ui_.files.shown().empty());
    runWhileMade(d);
    ASSERT_FALSE(d.Generating());
    LibraryExportOrbit orbit;
    const std::string whole = ExportGenerator::Generate(orbit, d.Model().Parameters(*doc_, ExportKind::LLA)).text;
    EXPECT_EQ(CEditor::FileBytes(d.Editor().Text()).toStdString(), whole);
    EXPECT_EQ(tableLines(d).size(), 1 + 8641 + 2);
    EXPECT_FALSE(d.Editor().Modified());
    EXPECT_FALSE(d.Editor().Edit()->document()->isUndoAvailable());
    EXPECT_EQ(d.Editor().Edit()->textCursor().position(), 0);
    EXPECT_EQ(ui_.waitDepth(), 0);
}

TEST_F(ExportDialogTest, CancelClosingAndRebuildingStopATableBeingMade)
{
    CExportDlg& d = open();
    const auto startLong = [](CExportDlg& dialog) {
        startTable(dialog, "04 / 20 / 2024", "00 : 00 : 01"); // 864,001 rows
        runWhileMade(dialog, 100);
        ASSERT_TRUE(dialog.Generating());
    };
    ui_.messages.queueAnswer(MessageAnswer::Yes);
    startLong(d);

    // Cancel stops the table; the dialog stays, and a second Cancel closes it.
    d.reject();
    EXPECT_FALSE(d.Generating());
    EXPECT_TRUE(d.Editor().Text().isEmpty());
    EXPECT_EQ(ui_.waitDepth(), 0);
    settle();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(host_->ExportDialog(), &d);
    EXPECT_TRUE(d.Editor().Text().isEmpty()) << "nothing comes in after Cancel";

    // Enlarge while a table is made: the old dialog goes, the new one asks again.
    ui_.messages.queueAnswer(MessageAnswer::Yes);
    startLong(d);
    ui_.messages.queueAnswer(MessageAnswer::Yes);
    d.OnEnlarge();
    settle();
    CExportDlg* enlarged = host_->ExportDialog();
    ASSERT_NE(enlarged, nullptr);
    ASSERT_NE(enlarged, &d);
    runWhileMade(*enlarged, 100);
    ASSERT_TRUE(enlarged->Generating());

    // OK while it is made, then the host itself goes while another is made.
    QPointer<CExportDlg> closing(enlarged);
    enlarged->accept();
    EXPECT_EQ(ui_.waitDepth(), 0);
    settle();
    EXPECT_TRUE(closing.isNull());
    host_->OpenExportDialog();
    ui_.messages.queueAnswer(MessageAnswer::Yes);
    startLong(*host_->ExportDialog());
    host_.reset();
    settle();
    EXPECT_EQ(ui_.waitDepth(), 0);
}

TEST_F(ExportDialogTest, SaveSuggestsTheNameAndWritesTheTable)
{
    CExportDlg& d = open();
    ui_.files.queueAnswer(filePath("out.txt"));
    d.MakeOutputFileName();
    ASSERT_EQ(ui_.files.shown().size(), 1U);
    EXPECT_EQ(ui_.files.shown()[0].request.initialPath, filePath("LLAsats.TXT"));
    EXPECT_EQ(ui_.files.shown()[0].request.defaultSuffix, "txt");
    const QString written = QString::fromUtf8(readFile("out.txt"));
    EXPECT_TRUE(written.startsWith("LOW 0\r\n2024 Apr 10  12:00:00   ["));
    EXPECT_TRUE(written.endsWith("\r\n\r\n"));
    EXPECT_FALSE(written.endsWith("\r\n\r\n\r\n"));
    EXPECT_TRUE(d.Editor().FileName.isEmpty());
}

// ---- the editor alone ---------------------------------------------------------------------------

class ExportEditorTest : public DocumentTest {
protected:
    CEditor editor_{services_, 1};
};

TEST(ExportEditorFilesTest, LinesEndInCrLfAndReadBackUnchanged)
{
    const QString longLine(1500, QLatin1Char('x'));
    struct Case {
        QString text;
        QByteArray bytes;
    } const cases[] = {
        {"A\nB", "A\r\nB\r\n"},
        {"A\n", "A\r\n"},
        {"", ""},
        {"\n", "\r\n"},
        {longLine + "\nz", longLine.toUtf8() + "\r\nz\r\n"},
        {QString::fromUtf8("038\xC2\xB0" "55'"), "038\xC2\xB0" "55'\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CEditor::FileBytes(c.text), c.bytes);
        EXPECT_EQ(CEditor::FileBytes(CEditor::TextOfFile(c.bytes)), c.bytes);
    }
    EXPECT_EQ(CEditor::TextOfFile("a\xB0\r\nb"), QString::fromUtf8("a\xC2\xB0\nb")) << "Latin-1";
    EXPECT_EQ(CEditor::TextOfFile(QByteArray("a\0b", 3)).size(), 3) << "a NUL byte keeps what follows";
}

TEST_F(ExportEditorTest, SaveAsksForANameEachTimeAndCancelWritesNothing)
{
    editor_.SetTable("LOW 0\r\nrow\r\n\r\n");
    EXPECT_FALSE(editor_.Modified());
    ui_.files.queueAnswer(filePath("a.csv"));
    editor_.OnFileSave(); // the initial name "t" is none
    EXPECT_EQ(QString::fromUtf8(readFile("a.csv")), "LOW 0\r\nrow\r\n\r\n");
    EXPECT_TRUE(editor_.FileName.isEmpty());
    editor_.OnFileSave();
    EXPECT_EQ(ui_.files.shown().size(), 2U) << "asked again, and cancelled";
    EXPECT_TRUE(editor_.FileName.isEmpty());
    EXPECT_FALSE(QFile::exists(filePath("t")));

    // Save with a name writes without a dialog; the edit counts as saved then.
    editor_.Edit()->appendPlainText("more");
    EXPECT_TRUE(editor_.Modified());
    editor_.FileName = filePath("b.csv");
    editor_.OnFileSave();
    EXPECT_EQ(ui_.files.shown().size(), 2U);
    EXPECT_EQ(QString::fromUtf8(readFile("b.csv")), "LOW 0\r\nrow\r\n\r\n\r\nmore\r\n");
    EXPECT_FALSE(editor_.Modified());
    editor_.AskSave();
    EXPECT_TRUE(ui_.messages.shown().empty());
}

TEST_F(ExportEditorTest, AFailedWriteIsReportedAndTheTextStaysUnsaved)
{
    editor_.SetTable("x");
    editor_.Edit()->appendPlainText("y");
    writeFile("plain", "a file, not a folder");
    editor_.FileName = filePath("plain/out.csv");
    EXPECT_FALSE(editor_.WriteText(false));
    ASSERT_EQ(ui_.messages.shown().size(), 1U);
    EXPECT_TRUE(ui_.messages.shown()[0].text.contains("plain/out.csv"));
    EXPECT_TRUE(editor_.Modified());
}

TEST_F(ExportEditorTest, OpenReplacesTheTextAndKeepsTheName)
{
    writeFile("in.txt", "one\r\n\xB0two\r\n");
    editor_.SetTable("old");
    editor_.FileName = "keep";
    ui_.files.queueAnswer(filePath("in.txt"));
    editor_.OnFileOpen();
    EXPECT_EQ(editor_.Text(), QString::fromUtf8("one\n\xC2\xB0two\n"));
    EXPECT_EQ(editor_.FileName, "keep");
    EXPECT_EQ(ui_.files.shown()[0].request.title, "Export file");
    ui_.files.queueAnswer(QStringLiteral("/dev/zero"));
    editor_.OnFileOpen();
    EXPECT_EQ(ui_.messages.texts(), std::vector<QString>{QStringLiteral("Could not read /dev/zero: it is not a regular file.")});
}

TEST_F(ExportEditorTest, TheSaveQuestionInBothLanguages)
{
    for (const int language : {1, 0}) {
        ui_.messages.clear();
        CEditor editor(services_, language);
        editor.SetTable("t");
        editor.AskSave();
        EXPECT_TRUE(ui_.messages.shown().empty()) << "unchanged text";
        editor.Edit()->appendPlainText("u");
        ui_.messages.queueAnswer(MessageAnswer::Yes);
        ui_.files.queueAnswer(filePath(language ? "en.txt" : "de.txt"));
        editor.AskSave();
        ASSERT_EQ(ui_.messages.shown().size(), 1U);
        EXPECT_EQ(ui_.messages.shown()[0].caption, language ? "Attention" : "Achtung");
        EXPECT_EQ(ui_.messages.shown()[0].text,
                  language ? "Do you want to save the data to a file ?" : "Wollen Sie die Daten zuerst abspeichern ?");
        EXPECT_EQ(ui_.messages.shown()[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(QString::fromUtf8(readFile(language ? "en.txt" : "de.txt")), "t\r\nu\r\n");
    }
}

TEST_F(ExportEditorTest, PrintsToAPdf)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        KIV_MISSING_PREREQUISITE() << "pdftotext (poppler-utils)";
    editor_.SetTable("LOW 0\r\n2024 Apr 10  12:00:00   [ 38.9216 N    77.0667 W] (Deg)    222.142 Miles\r\n");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(filePath("table.pdf"));
    editor_.Print(printer);
    QProcess run;
    run.start(pdftotext, {filePath("table.pdf"), QStringLiteral("-")});
    ASSERT_TRUE(run.waitForFinished(30000));
    const QString text = QString::fromUtf8(run.readAllStandardOutput());
    EXPECT_TRUE(text.contains("LOW 0")) << text.toStdString();
    EXPECT_TRUE(text.contains("222.142 Miles")) << text.toStdString();
}

// Tables wider than the page are printed whole: every row, its last field included, is in the
// PDF's text, over as many pages as the rows need.
TEST_F(ExportDialogTest, WideTablesArePrintedWholeOverTheirPages)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        KIV_MISSING_PREREQUISITE() << "pdftotext (poppler-utils)";
    CExportDlg& d = open(1);
    d.EditOf(ExportEdit::EndDate)->setText("04 / 11 / 2024");
    d.EditOf(ExportEdit::EndTime)->setText("12 : 00 : 00");
    d.EditOf(ExportEdit::StepTime)->setText("00 : 02 : 00");
    const auto words = [](const QString& text) { return text.simplified(); };
    for (const ExportKind kind : {ExportKind::ECI, ExportKind::OBS}) {
        SCOPED_TRACE(static_cast<int>(kind));
        d.GenerateOutput(kind);
        runWhileMade(d);
        QStringList rows = tableLines(d);
        rows.removeAll(QString());
        ASSERT_GT(rows.size(), 20);
        const QString pdf = filePath("table.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (kind == ExportKind::ECI) {
            const TablePrinter::Plan plan = TablePrinter(rows, d.Editor().Edit()->font()).plan(printer);
            EXPECT_TRUE(plan.orientation == QPageLayout::Landscape || plan.font.pointSizeF() < d.Editor().Edit()->font().pointSizeF())
                << "the ECI table is to be wider than a portrait page";
        }
        const QString shown = d.Editor().Text();
        d.Editor().Print(printer);
        EXPECT_EQ(d.Editor().Text(), shown);
        QProcess run;
        run.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        ASSERT_TRUE(run.waitForFinished(30000));
        const QString text = QString::fromUtf8(run.readAllStandardOutput());
        const QString printed = words(text);
        int missing = 0;
        for (const QString& row : rows)
            if (!printed.contains(words(row)) && ++missing <= 3)
                ADD_FAILURE() << "not printed whole: " << row.toStdString();
        EXPECT_EQ(missing, 0);
        if (kind == ExportKind::ECI) {
            EXPECT_GE(text.count(QLatin1Char('\f')), 2) << "several pages";
        }
    }
}

TEST(ExportEditorMenuTest, TheMenuCarriesTheCommandsInBothLanguages)
{
    ScriptedUiServices ui;
    UiServices services = ui.services();
    for (const int language : {1, 0}) {
        CEditor editor(services, language);
        QStringList titles;
        for (QAction* a : editor.MenuBar()->actions())
            titles << a->text();
        EXPECT_EQ(titles, language ? QStringList({"&File", "&Edit", "&?"}) : QStringList({"&Datei", "&Edit", "&?"}));
        const QList<QAction*> file = editor.MenuBar()->actions()[0]->menu()->actions();
        ASSERT_EQ(file.size(), 7);
        EXPECT_EQ(file[4]->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
        EXPECT_EQ(file[1]->text(), language ? "&Open..." : QString::fromUtf8("Ö&ffnen..."));
    }
}
