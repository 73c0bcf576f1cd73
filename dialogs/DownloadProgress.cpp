#include "dialogs/DownloadProgress.h"

#include <QCoreApplication>

#include <cmath>

namespace kiv {

DownloadProgress::DownloadProgress(QWidget* parent) : QProgressBar(parent)
{
    setObjectName(QStringLiteral("1371"));
    setRange(0, kEnd);
    setValue(0);
}

HttpResult DownloadProgress::download(const HttpClient& client, const QString& url, const QString& targetPath,
                                      const DownloadRule& rule)
{
    setRange(0, kEnd);
    setValue(0);
    running_ = true;
    cancelRequested_ = false;
    const HttpResult result = client.download(
        url, targetPath, rule, [this](std::int64_t received, std::int64_t total) { return onProgress(received, total); });
    running_ = false;
    cancelRequested_ = false;
    if (maximum() == 0)
        setRange(0, kEnd);
    return result;
}

bool DownloadProgress::cancel()
{
    if (!running_)
        return false;
    cancelRequested_ = true;
    return true;
}

bool DownloadProgress::onProgress(std::int64_t received, std::int64_t total)
{
    if (total > 0) {
        setRange(0, kEnd);
        setValue(static_cast<int>(std::trunc(static_cast<double>(received) * kEnd / static_cast<double>(total))));
    } else if (received > 0) {
        setRange(0, 0); // the server gave no length
    }
    QCoreApplication::processEvents();
    return !cancelRequested_;
}

} // namespace kiv
