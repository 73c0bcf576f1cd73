#pragma once
// The one HTTP client, used by every download (element sets, weather pictures). A download is
// synchronous: it returns when the file is there or the attempt failed, calling the progress
// callback often enough for the caller to keep its window alive and offer a Cancel. The body
// goes to a temporary file that replaces the target only when the whole body arrived with a
// success status, within the size limit, and the caller's check accepted it; on any failure the
// target stays as it was.

#include "platform/AtomicFile.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

namespace kiv {

struct HttpOptions {
    int connectTimeoutMs = 30000;
    // A transfer that receives nothing for this long counts as broken.
    int stallTimeoutMs = 30000;
    int retries = 1;
    int retryDelayMs = 1000;
};

// What a body must be to replace the target.
struct DownloadRule {
    // A larger announced length is refused before anything is written; a longer body is cut off.
    std::int64_t maxBytes = std::numeric_limits<std::int64_t>::max();
    // Looks at the whole body, in its temporary file, before it replaces the target: why it is
    // refused, in the language in use, or an empty text when it is good; nothing when a
    // termination request stopped the look, which cancels the download.
    std::function<std::optional<QString>(const QString& bodyPath)> check;
};

struct HttpResult {
    enum class Outcome { Ok, BadUrl, Transfer, Status, TooLarge, Rejected, Write, Cancelled };
    // Why a transfer broke.
    enum class Failure { None, NoConnection, TimedOut, TooManyRedirects, Partial, Tls, Other };

    Outcome outcome = Outcome::Ok;
    Failure failure = Failure::None;
    long status = 0;   // the final HTTP status, 0 when none arrived
    int attempts = 0;  // connections tried
    int transferCode = 0;     // the transfer library's code of an Other failure
    std::int64_t maxBytes = 0; // the limit a TooLarge body passed
    QString detail;           // the refused address (BadUrl), the check's reason (Rejected)
    WriteResult written;      // the failed step of a Write

    explicit operator bool() const { return outcome == Outcome::Ok; }
    // What went wrong, in English or German; empty when ok.
    QString describe(bool english) const;
};

class HttpClient {
public:
    // Bytes written so far and the announced length, -1 when the server gave none. Returning
    // false cancels the download.
    using Progress = std::function<bool(std::int64_t received, std::int64_t total)>;

    explicit HttpClient(HttpOptions options = {});

    // http and https only; redirects are followed.
    HttpResult download(const QString& url, const QString& targetPath, const DownloadRule& rule = {},
                        const Progress& progress = {}) const;

private:
    HttpResult attemptDownload(const QByteArray& address, const QString& targetPath, const DownloadRule& rule,
                               const Progress& progress) const;

    HttpOptions options_;
};

} // namespace kiv
