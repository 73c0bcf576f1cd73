#include "dialogs/ExportDialogHost.h"

#include "dialogs/CExportDlg.h"
#include "document/CKivDoc.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace kiv {

ExportDialogHost::ExportDialogHost(CKivDoc& doc, QObject* parent) : QObject(parent), doc_(doc) {}

CExportDlg* ExportDialogHost::ExportDialog() const
{
    return dialog_;
}

ExportDialogHost::~ExportDialogHost()
{
    if (parent_)
        parent_->removeEventFilter(this);
    delete dialog_.data();
}

void ExportDialogHost::OpenExportDialog(QWidget* parent)
{
    if (parent_ != parent) {
        if (parent_)
            parent_->removeEventFilter(this);
        parent_ = parent;
        if (parent_)
            parent_->installEventFilter(this);
    }
    if (dialog_)
        dialog_->AskSaveBeforeClosing();
    retire();
    open(ExportState::fresh(doc_));
}

void ExportDialogHost::open(const ExportState& state, QSize replaced)
{
    auto* dialog = new CExportDlg(doc_, state, parent_);
    dialog_ = dialog;
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
    CExportDlg* old = dialog_;
    dialog_ = nullptr;
    old->hide();
    old->deleteLater();
}

bool ExportDialogHost::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent_ && event->type() == QEvent::Close && dialog_)
        dialog_->AskSaveBeforeClosing();
    return QObject::eventFilter(watched, event);
}

} // namespace kiv
