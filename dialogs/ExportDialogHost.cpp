#include "dialogs/ExportDialogHost.h"

#include "dialogs/CExportDlg.h"
#include "document/CKivDoc.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace kiv {

ExportDialogHost::ExportDialogHost(CKivDoc& doc, QWidget* mainWindow, QObject* parent)
    : QObject(parent), doc_(doc), mainWindow_(mainWindow)
{
    if (mainWindow_)
        mainWindow_->installEventFilter(this);
}

CExportDlg* ExportDialogHost::ExportDialog() const
{
    return dialog_.get();
}

ExportDialogHost::~ExportDialogHost()
{
    if (mainWindow_)
        mainWindow_->removeEventFilter(this);
}

void ExportDialogHost::OpenExportDialog()
{
    if (dialog_)
        dialog_->AskSaveBeforeClosing();
    retire();
    open(ExportState::fresh(doc_));
}

void ExportDialogHost::open(const ExportState& state, QSize replaced)
{
    dialog_ = std::make_unique<CExportDlg>(doc_, state);
    CExportDlg* dialog = dialog_.get();
    if (mainWindow_ && mainWindow_->windowHandle()) {
        dialog->winId();
        dialog->windowHandle()->setTransientParent(mainWindow_->windowHandle());
    }
    dialog->OnEnded = [this] { retire(); };
    dialog->OnRebuild = [this](const ExportState& carried, QSize size) {
        retire();
        // Built from the event loop: the old dialog's handler is still running.
        QTimer::singleShot(0, this, [this, carried, size] { open(carried, size); });
    };
    dialog->Start(replaced);
}

void ExportDialogHost::retire()
{
    if (!dialog_)
        return;
    // Often called from the dialog's own handler: it goes once that has returned.
    CExportDlg* old = dialog_.release();
    old->hide();
    old->deleteLater();
}

bool ExportDialogHost::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mainWindow_ && event->type() == QEvent::Close && dialog_)
        dialog_->AskSaveBeforeClosing();
    return QObject::eventFilter(watched, event);
}

} // namespace kiv
