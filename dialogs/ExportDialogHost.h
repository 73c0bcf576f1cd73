#pragma once
// Holds the document's one export dialog: "&Export ..." opens a fresh one (closing one that is
// open), "Enlarge"/"Shrink" replaces it by one in the other layout with the same settings, and
// OK, Cancel or closing end it. Dialogs are replaced and deleted from the event loop, never
// inside their own handlers. When the main window closes, an edited table is offered for saving.
// The host is the dialog's one owner: the dialog has no parent object and stays above the main
// window as its transient window.

#include "dialogs/ExportDialogModel.h"

#include <QObject>
#include <QPointer>
#include <QSize>

#include <memory>

class QWidget;

namespace kiv {

class CExportDlg;
class CKivDoc;

class ExportDialogHost : public QObject {
public:
    // The parent deletes the host, and with it an open dialog, before the document goes and
    // never from inside the dialog's handlers (the program's close path runs from the main loop).
    // The dialogs stay above the main window, whose close is watched; none in tests.
    ExportDialogHost(CKivDoc& doc, QWidget* mainWindow, QObject* parent = nullptr);
    ~ExportDialogHost() override;

    // A fresh dialog; one that is open offers its edited table for saving and goes.
    void OpenExportDialog();
    CExportDlg* ExportDialog() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open(const ExportState& state, QSize replaced = {});
    void retire();

    CKivDoc& doc_;
    QPointer<QWidget> mainWindow_;
    std::unique_ptr<CExportDlg> dialog_;
};

} // namespace kiv
