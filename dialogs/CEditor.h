#pragma once
// The export editor: the table of the export dialog in a plain-text editor with its own menu
// (file, edit, help), from which it is printed and saved as a *.csv or *.txt file. Files are
// written whole through the atomic writer, as UTF-8 with CR LF line ends; opened files may be
// UTF-8 or Latin-1.

#include "dialogs/ExportKind.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QMenuBar;
class QPlainTextEdit;
class QPrinter;

namespace kiv {

struct UiServices;

class CEditor : public QWidget {
public:
    // language: 1 English, otherwise German.
    CEditor(kiv::UiServices& ui, int language, QWidget* parent = nullptr);
    ~CEditor() override;

    // The file the next Save writes; shorter than 2 characters means none yet.
    QString FileName = QStringLiteral("t");
    int Language = 1;
    // The owner's suggestion: sets FileName and runs SaveAs (the dialog's MakeOutputFileName).
    std::function<void()> SuggestFileName;
    // The kind shown, for the help text.
    std::function<ExportKind()> CurrentKind;
    // Whether the table is comma-separated: the save dialog's default extension.
    std::function<bool()> CsvOutput;
    // Drops a table that is still being filled in, before New or Open replaces the text.
    std::function<void()> StopTable;

    QPlainTextEdit* Edit() const { return edit_; }
    QMenuBar* MenuBar() const { return menuBar_; }
    // A new table: the whole text replaced, not counted as a change.
    void SetTable(const QString& text);
    // A new table given piece by piece: emptied first, read-only and not counted as a change
    // until it is complete. Pieces end at line ends (CR LF or LF).
    void BeginTable();
    void AppendTable(const QString& piece);
    void EndTable();
    QString Text() const;
    bool Modified() const;
    void SetReadOnly(bool on);

    // When the text was changed: "Do you want to save the data to a file ?"; Yes saves under the
    // suggested name.
    void AskSave();
    // The save dialog, then the write.
    bool SaveAs() { return WriteText(true); }
    // Writes the text to FileName (asked for first with the dialog). Nothing is written without
    // a name, nor while a table is still being filled in. FileName is emptied afterwards, so
    // that the next Save asks again; a successful write counts the text as saved, a failed one
    // is reported.
    bool WriteText(bool withDialog);

    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnHelp();
    // Prints the text (or the selection, when the printer's range says so) on a printer set up by
    // the caller, every line whole (TablePrinter); the page may be turned to landscape.
    void Print(QPrinter& printer);

    // The file's bytes: each line followed by CR LF, UTF-8. A text that ends with a line end
    // gives no further empty line, so that a file read back is written unchanged.
    static QByteArray FileBytes(const QString& text);
    // A file's text: UTF-8, or Latin-1 when it is not; CR LF line ends become line ends.
    static QString TextOfFile(const QByteArray& bytes);
    static QString HelpText(ExportKind kind, bool english);

private:
    void buildMenu();
    void stopTable();
    // A table still being filled in is neither saved nor printed; the user is told so.
    bool stillFilling();
    bool english() const { return Language != 0; }
    QPrinter& printer();

    kiv::UiServices& ui_;
    QMenuBar* menuBar_ = nullptr;
    QPlainTextEdit* edit_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    bool readOnly_ = false; // as the owner asked; a table being filled in is read-only anyway
    bool filling_ = false;
};

} // namespace kiv
