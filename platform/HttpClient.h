#pragma once
// The one HTTP client, used by every download (element sets, weather pictures). A download is
// synchronous: it returns when the file is there or the attempt failed, calling the progress
// callback often enough for the caller to keep its window alive and offer a Cancel. The body
// goes to a temporary file that replaces the target only when the whole body arrived with a
// success status; on any failure the target stays as it was.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

namespace kiv {

struct HttpOptions {
    int connectTimeoutMs = 30000;
    // A transfer that receives nothing for this long counts as broken.
    int stallTimeoutMs = 30000;
    int retries = 1;
    int retryDelayMs = 1000;
};

struct HttpResult {
    enum class Outcome { Ok, BadUrl, Transfer, Status, Write, Cancelled };
    Outcome outcome = Outcome::Ok;
    long status = 0;   // the final HTTP status, 0 when none arrived
    int attempts = 0;  // connections tried
    QString errorText; // English, says what went wrong; empty when ok

    explicit operator bool() const { return outcome == Outcome::Ok; }
};

class HttpClient {
public:
    // Bytes written so far and the announced length, -1 when the server gave none. Returning
    // false cancels the download.
    using Progress = std::function<bool(std::int64_t received, std::int64_t total)>;

    explicit HttpClient(HttpOptions options = {});

    // http and https only; redirects are followed.
    HttpResult download(const QString& url, const QString& targetPath, const Progress& progress = {}) const;

private:
    HttpResult attemptDownload(const QByteArray& address, const QString& targetPath, const Progress& progress) const;

    HttpOptions options_;
};

} // namespace kiv
