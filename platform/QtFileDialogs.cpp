#include "platform/QtFileDialogs.h"

#include <QFileDialog>

namespace kiv {

namespace {

std::optional<QString> run(const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(nullptr, request.title, request.initialPath, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtFileDialogs::openFile(const FileDialogRequest& request)
{
    return run(request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileDialogs::saveFile(const FileDialogRequest& request)
{
    return run(request, QFileDialog::AcceptSave);
}

} // namespace kiv
