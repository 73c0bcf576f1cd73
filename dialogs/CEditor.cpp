#include "dialogs/CEditor.h"

#include "dialogs/TablePrinter.h"
#include "platform/AtomicFile.h"
#include "platform/LanguageText.h"
#include "platform/Paragraphs.h"
#include "platform/UiServices.h"
#include "platform/ReadableFile.h"
#include "platform/WholeFile.h"
#include "resources/CommandIds.h"
#include "resources/MenuTables.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

#include <map>

namespace kiv {

namespace {

constexpr int kEnglishMenu = 118;
constexpr int kGermanMenu = 116;

FileDialogRequest exportFileRequest(const QString& initialPath, bool csv)
{
    return {QStringLiteral("Export file"), QStringLiteral("Export files (*.csv *.CSV *.txt *.TXT)"),
            csv ? QStringLiteral("csv") : QStringLiteral("txt"), initialPath, true};
}

} // namespace

CEditor::CEditor(UiServices& ui, int language, QWidget* parent) : QWidget(parent), Language(language), ui_(ui)
{
    setWindowTitle(QStringLiteral("Editor"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menuBar_ = new QMenuBar(this);
    edit_ = new QPlainTextEdit(this);
    edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    edit_->setFont(fixed);
    layout->addWidget(menuBar_);
    layout->addWidget(edit_);
    buildMenu();
}

CEditor::~CEditor() = default;

void CEditor::buildMenu()
{
    const std::map<int, std::function<void()>> handlers = {
        {kCmdFileNew, [this] { OnFileNew(); }},
        {kCmdFileOpen, [this] { OnFileOpen(); }},
        {kCmdFileSave, [this] { OnFileSave(); }},
        {kCmdFileSaveAs, [this] { OnFileSaveAs(); }},
        {kCmdFilePrint, [this] { OnFilePrint(); }},
        {kCmdFilePrintPreview, [this] { OnFilePrintPreview(); }},
        {kCmdFilePrintSetup, [this] { OnFilePrintSetup(); }},
        {kCmdEditUndo, [this] { edit_->undo(); }},
        {kCmdEditCut, [this] { edit_->cut(); }},
        {kCmdEditPaste, [this] { edit_->paste(); }},
        {kCmdEditCopy, [this] { edit_->copy(); }},
        {kCmdEditSelectAll, [this] { edit_->selectAll(); }},
        {kCmdHelp, [this] { OnHelp(); }},
    };
    QMenu* menu = nullptr;
    for (const MenuEntry& e : menuEntries(english() ? kEnglishMenu : kGermanMenu)) {
        const QString text = QString::fromUtf8(e.text);
        if (e.id == kPopup) {
            menu = menuBar_->addMenu(text);
            continue;
        }
        if (!menu)
            continue;
        if (e.id == kSeparator) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(text.section(QLatin1Char('\t'), 0, 0));
        action->setData(e.id);
        const QString keys = text.section(QLatin1Char('\t'), 1);
        if (!keys.isEmpty()) {
            action->setShortcut(QKeySequence(QString(keys).replace(QStringLiteral("Strg"), QStringLiteral("Ctrl"))));
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            addAction(action);
        }
        const auto handler = handlers.find(e.id);
        if (handler != handlers.end())
            connect(action, &QAction::triggered, this, handler->second);
    }
}

void CEditor::SetTable(const QString& text)
{
    BeginTable();
    AppendTable(text);
    EndTable();
}

void CEditor::BeginTable()
{
    filling_ = true;
    edit_->setReadOnly(true);
    edit_->clear();
    edit_->document()->setUndoRedoEnabled(false);
}

void CEditor::AppendTable(const QString& piece)
{
    QTextDocument* document = edit_->document();
    const bool first = document->isEmpty();
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    end.insertText(QString(piece).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    // The reader's place stays at the top of the table.
    if (first)
        edit_->moveCursor(QTextCursor::Start);
    document->setModified(false);
}

void CEditor::EndTable()
{
    filling_ = false;
    edit_->document()->setUndoRedoEnabled(true);
    edit_->document()->setModified(false);
    edit_->setReadOnly(readOnly_);
}

QString CEditor::Text() const
{
    return edit_->toPlainText();
}

bool CEditor::Modified() const
{
    return edit_->document()->isModified();
}

void CEditor::SetReadOnly(bool on)
{
    readOnly_ = on;
    if (!filling_)
        edit_->setReadOnly(on);
}

void CEditor::AskSave()
{
    if (!Modified())
        return;
    const bool en = english();
    const MessageAnswer answer = ui_.messages.show({.caption = inLanguage(en, "Attention", "Achtung"),
                                                    .text = inLanguage(en, "Do you want to save the data to a file ?",
                                                                       "Wollen Sie die Daten zuerst abspeichern ?"),
                                                    .buttons = MessageButtons::YesNo,
                                                    .icon = MessageIcon::Information});
    if (answer == MessageAnswer::Yes)
        OnFileSaveAs();
}

bool CEditor::stillFilling()
{
    if (!filling_)
        return false;
    ui_.messages.show(
        {.caption = inLanguage(english(), "Export file", "Export Datei"),
         .text = inLanguage(english(), "The table is still being made; please save or print it once it is complete.",
                            "Die Tabelle wird noch erstellt; bitte speichern oder drucken Sie sie, wenn sie "
                            "vollständig ist."),
         .buttons = MessageButtons::Ok,
         .icon = MessageIcon::Information});
    return true;
}

bool CEditor::WriteText(bool withDialog)
{
    if (stillFilling()) {
        FileName.clear();
        return false;
    }
    if (withDialog) {
        const std::optional<QString> chosen =
            ui_.files.saveFile(exportFileRequest(FileName, CsvOutput && CsvOutput()));
        FileName = chosen.value_or(QString());
    }
    if (FileName.isEmpty())
        return false;
    const WriteResult written = AtomicFile::write(FileName, FileBytes(Text()));
    FileName.clear();
    if (!written) {
        ui_.messages.show({.caption = inLanguage(english(), "Export file", "Export Datei"),
                           .text = written.describe(english()),
                           .buttons = MessageButtons::Ok,
                           .icon = MessageIcon::Error});
        return false;
    }
    edit_->document()->setModified(false);
    return true;
}

void CEditor::stopTable()
{
    if (filling_ && StopTable)
        StopTable();
}

void CEditor::OnFileNew()
{
    stopTable();
    AskSave();
    edit_->clear();
    edit_->document()->setModified(false);
}

void CEditor::OnFileOpen()
{
    stopTable();
    AskSave();
    const std::optional<QString> path = ui_.files.openFile(exportFileRequest(QString(), CsvOutput && CsvOutput()));
    if (!path || path->isEmpty())
        return;
    const WholeFile file = WholeFile::read(*path);
    if (!file) {
        ui_.messages.show({.caption = inLanguage(english(), "Export file", "Export Datei"),
                           .text = file.failure == WholeFile::Failure::NotRegular
                               ? ReadableFile::notRegularText(*path, english())
                               : inLanguage(english(), "Could not open %1: %2", "Konnte %1 nicht öffnen: %2")
                                     .arg(*path, AtomicFile::reason(file.error, english())),
                           .buttons = MessageButtons::Ok,
                           .icon = MessageIcon::Error});
        return;
    }
    SetTable(TextOfFile(file.bytes));
}

void CEditor::OnFileSave()
{
    if (FileName.size() < 2)
        OnFileSaveAs();
    else
        WriteText(false);
}

void CEditor::OnFileSaveAs()
{
    if (SuggestFileName)
        SuggestFileName();
    else
        SaveAs();
}

QPrinter& CEditor::printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>();
    return *printer_;
}

void CEditor::Print(QPrinter& target)
{
    // The editor's lines in its font, or in a smaller one, but never cut at the page's edge.
    const QTextCursor cursor = edit_->textCursor();
    const bool selection = target.printRange() == QPrinter::Selection && cursor.hasSelection();
    const QString text = selection ? cursor.selection().toPlainText() : edit_->toPlainText();
    TablePrinter(text.split(QLatin1Char('\n')), edit_->font()).print(target);
}

void CEditor::OnFilePrint()
{
    if (stillFilling())
        return;
    QPrintDialog dialog(&printer(), this);
    if (edit_->textCursor().hasSelection())
        dialog.setOption(QAbstractPrintDialog::PrintSelection);
    if (dialog.exec() == QDialog::Accepted)
        Print(printer());
}

void CEditor::OnFilePrintPreview()
{
    if (stillFilling())
        return;
    QPrintPreviewDialog preview(&printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { Print(*p); });
    preview.exec();
}

void CEditor::OnFilePrintSetup()
{
    QPageSetupDialog setup(&printer(), this);
    setup.exec();
}

void CEditor::OnHelp()
{
    const ExportKind kind = CurrentKind ? CurrentKind() : ExportKind::Main;
    ui_.messages.show(helpBox(inLanguage(english(), "Help", "Help"), HelpText(kind, english()), MessageIcon::None));
}

QByteArray CEditor::FileBytes(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace("\n", "\r\n");
    if (!bytes.isEmpty() && !bytes.endsWith("\r\n"))
        bytes += "\r\n";
    return bytes;
}

QString CEditor::TextOfFile(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString CEditor::HelpText(ExportKind kind, bool english)
{
    struct Texts {
        const char* en;
        const char* de;
    };
    // By kind; Main has no table to explain.
    static const Texts kTexts[] = {
        {"If you can read this, I messed up !", "Wenn Sie dies hier lesen, dann habe ich einen Fehler begangen !"},
        {"LLA calculates the Latitude, Longitude and Altitude in the specified time range for the specified "
         "satellites.\nAn ECL at the end of the line indicates that the satellite is in umbral earth eclipse.",
         "LLA berechnet latitude, Longitude und Abstand waehrend der definierten Zeitspanne fuer die definierten "
         "Satelliten.\nBefindet sich der Satellit dabei im eclips-Schatten der Erde, steht am Ende der Zeile ein ECL."},
        {"ECI calculates the geodetic ECI position and velocity of the specified satellite in the specified time "
         "range.\nAn ECL at the end of the line indicates that the satellite is in umbral earth eclipse.",
         "ECI berechnet die ECI Position und Geschwindigkeit der definierten Satellite in der definierten "
         "Zeitspanne.\nBefindet sich der Satellit dabei im eclips-Schatten der Erde, steht am Ende der Zeile ein ECL."},
        {"All Passes :\nOBS  = look angles for all passes. Output consists of date and time followed by azimuth "
         "(degrees),\nelevation (degrees), range (km/miles), and range rate (kilometers/second).",
         "OBS (Blickwinkel fuer alle Durchlaeufe), die Ausgabe besteht aus Datum und Uhrzeit, gefolgt von Azimuth "
         "(grad),\nElevation (grad), Abstand (km/milen), und Fluchtgeschwindigkeit (km/sec)."},
        {"Visible Passes only :\nVOB = look angles for visible passes. Output consists of date and time followed by "
         "azimuth (degrees),\nelevation (degrees), range (km/miles), and range rate (kilometers/second).",
         "VOB (Blickwinkel fuer sichtbare Durchlauefe), die Ausgabe besteht aus Datum und Uhrzeit, gefolgt vom "
         "Azimuth (degrees),\nElevation (grad), range (km/milen), und Fluchtgeschwindigkeit (km/sec)."},
        {"All Passes :\nRAD = right ascension/declination for all passes. Output consists of date and time followed "
         "by \ntopocentric right ascension and declination.",
         "RAD (right ascension/declination fuer alle Durchlauefe), die Ausgabe besteht aus Datum und Uhrzeit, gefolgt "
         "von\ntopocentric right ascension und declination."},
        {"Visible Passes only :\nVRD = right ascension/declination for visible passes. Output consists of date and "
         "time followed by \ntopocentric right ascension and declination.",
         "VRD (right ascension/declination fuer sichtbare Durchlauefe), die Ausgabe besteht aus Datum und Uhrzeit, "
         "gefolgt von\ntopocentric right ascension und declination."},
    };
    const Texts& t = kTexts[static_cast<std::size_t>(kind)];
    return inLanguage(english, t.en, t.de);
}

} // namespace kiv
