#pragma once
// The progress bar of a download that runs inside a modal dialog: it follows the bytes received,
// or runs without end while the server gives no length, and keeps the dialog's events going so
// that Cancel can be pressed; a Cancel during the transfer stops it instead of closing the dialog.

#include "platform/HttpClient.h"

#include <QProgressBar>

namespace kiv {

class DownloadProgress : public QProgressBar {
public:
    static constexpr int kEnd = 1000;

    explicit DownloadProgress(QWidget* parent);

    // The client's download of url into targetPath under the rule, with the bar following it.
    // The bar ends bounded again, at the value the transfer reached.
    HttpResult download(const HttpClient& client, const QString& url, const QString& targetPath,
                        const DownloadRule& rule);
    bool running() const { return running_; }
    // Cancel pressed: true when that stops a running transfer (the dialog stays open).
    bool cancel();

private:
    bool onProgress(std::int64_t received, std::int64_t total);

    bool running_ = false;
    bool cancelRequested_ = false;
};

} // namespace kiv
