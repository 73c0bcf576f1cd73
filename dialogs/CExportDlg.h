#pragma once
// The modeless export dialog: the satellites, the time range and step, the observer and the
// output options, and the table of the chosen kind in the export editor. Two layouts: the normal
// one with the settings beside the table, and the enlarged one with a "Main" tab for the
// settings and the table over the whole dialog. Switching layouts builds a new dialog from the
// carried state (ExportDialogHost does it from the event loop). The logic is
// ExportDialogModel's, the table ExportGenerator's and its way into the editor ExportTableFill's;
// this class lays out the controls.

#include "dialogs/ExportDialogModel.h"
#include "dialogs/ExportTableFill.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTreeWidget;

namespace kiv {

class CEditor;
class CKivDoc;

class CExportDlg : public QDialog {
public:
    enum ResultCode { Open = 0, Ok = 1, Cancel = 2, Rebuild = 111 };

    CExportDlg(CKivDoc& doc, ExportState state, QWidget* parent = nullptr);
    ~CExportDlg() override;

    // Set by the host: a rebuild in the other layout with this state (and this dialog's size),
    // and the dialog's end.
    std::function<void(const ExportState&, QSize)> OnRebuild;
    std::function<void()> OnEnded;
    // Runs the nested modal dialogs (time, go-to); tests script them.
    std::function<int(QDialog&)> RunNested;

    int Result = Open;
    ExportDialogModel& Model() { return model_; }
    const ExportDialogModel& Model() const { return model_; }
    CEditor& Editor() const { return *editor_; }
    ExportKind Kind() const;
    QTabBar& Tabs() const { return *tabs_; }

    // Shows the dialog and handles its first tab as a tab change. An enlarged dialog that
    // replaces one of the given size grows from that size.
    void Start(QSize replaced = {});
    // Reads the edits and fills the editor with the table of a kind; a large table goes on being
    // made from the event loop after this returns.
    void GenerateOutput(ExportKind kind);
    bool Generating() const { return fill_->Running(); }
    // Suggests the file name for the current kind and saves under it.
    void MakeOutputFileName();

    // Handlers, also called by tests.
    void OnTabChange(int index);
    void OnListClick(int row);
    void OnPrecisionEdited();
    void OnPrecisionFinished();
    void OnEditable(bool on);
    void OnHelp();
    void OnTimeButton(bool start);
    void OnGoTo();
    void OnToggle(void (ExportDialogModel::*toggle)(), bool regenerate);
    void OnEnlarge();
    // OK and Cancel: the save question first. Cancel while a table is being made stops that.
    void accept() override;
    void reject() override;
    // The main window closes: the save question only.
    void AskSaveBeforeClosing();

    QLineEdit* EditOf(ExportEdit edit) const;
    QPushButton* ToggleButton(int id) const;
    bool ObserverControlsEnabled() const;
    bool AngleFormatEnabled() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The settings column, one group per function.
    QWidget* buildSettings();
    QWidget* satelliteGroup();
    QWidget* observerGroup();
    QWidget* rangeGroup();
    QWidget* outputGroup();
    QLineEdit* makeEdit(ExportEdit which);
    QWidget* buildButtons();
    void fillList();
    void showTexts();
    void showLabels();
    void takeTypedQuietly();
    ExportEditTexts typedTexts() const;
    void refuse(const ExportEditRefusal& refusal);
    void reportFailures(const std::vector<ExportFailure>& failures);
    void end(int result);
    int runNested(QDialog& dialog);
    bool english() const { return model_.english(); }
    void regenerate() { OnTabChange(tabIndex()); }
    int tabIndex() const;

    CKivDoc& doc_;
    ExportDialogModel model_;
    bool busy_ = false;

    QTabBar* tabs_ = nullptr;
    QStackedWidget* pages_ = nullptr; // enlarged layout: the settings page and the editor page
    QWidget* settings_ = nullptr;
    CEditor* editor_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QCheckBox* editable_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* abbrev_ = nullptr;
    std::array<QLineEdit*, 10> edits_{}; // by ExportEdit
    std::array<QPushButton*, 6> toggles_{}; // units, output, input time, twilight, angle, prefix
    QPushButton* goTo_ = nullptr;
    std::unique_ptr<ExportTableFill> fill_; // uses editor_
};

} // namespace kiv
