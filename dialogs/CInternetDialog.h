#pragma once
// The element-set download dialog: a URL (the recent ones offered newest first), the local file
// that receives it and a progress bar. OK downloads; a failure, a body without element sets among
// them, asks whether to try again, and No ends the dialog as cancelled. During a transfer only
// Cancel works: it stops the transfer and leaves the dialog open, without the question.

#include "dialogs/DialogCommands.h"
#include "dialogs/DownloadProgress.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kiv {

class DataPaths;
struct UiServices;

class CInternetDialog : public QDialog {
public:
    // language: 1 English, otherwise German.
    CInternetDialog(const kiv::WebDownload& request, kiv::UiServices& ui, const kiv::DataPaths& paths, int language,
                    kiv::HttpClient client = kiv::HttpClient(), QWidget* parent = nullptr);

    // The URL and local file of a successful download, or nothing.
    static std::optional<kiv::WebDownload> edit(const kiv::WebDownload& request, kiv::UiServices& ui,
                                                const kiv::DataPaths& paths, int language);

    kiv::WebDownload values() const;
    // "YES", or "Wrong: " ("Fehler: " in German) and the cause in the language in use.
    QString Download();
    void accept() override;
    void reject() override;

private:
    void browse();
    void setBusy(bool busy);

    kiv::WebDownload request_;
    kiv::UiServices& ui_;
    const kiv::DataPaths& paths_;
    bool english_;
    kiv::HttpClient client_;
    QComboBox* url_;
    QLineEdit* localFile_;
    QPushButton* browse_;
    QPushButton* ok_;
    kiv::DownloadProgress* progress_;
    bool cancelled_ = false; // the last download was stopped by the user
};

} // namespace kiv
