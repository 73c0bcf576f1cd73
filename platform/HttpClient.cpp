#include "platform/HttpClient.h"

#include "platform/AtomicFileWriter.h"

#include <QUrl>

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <thread>

namespace kiv {

namespace {

const char* const kUserAgent = "Kiv 2.4";
constexpr long kMaxRedirects = 10;
constexpr auto kWaitSlice = std::chrono::milliseconds(50);

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// What the callbacks of one attempt share.
struct Transfer {
    CURL* curl = nullptr;
    AtomicFileWriter* file = nullptr;
    const HttpClient::Progress* progress = nullptr;
    std::int64_t received = 0;
    bool cancelled = false;
    WriteResult written;
};

long responseCode(CURL* curl)
{
    long code = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
    return code;
}

std::int64_t announcedLength(CURL* curl)
{
    curl_off_t length = -1;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    return length;
}

bool success(long code) { return code >= 200 && code < 300; }

// The body of a success response goes to the file; redirects and error pages are dropped.
size_t writeBody(char* data, size_t size, size_t count, void* user)
{
    auto& t = *static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (!success(responseCode(t.curl)))
        return bytes;
    t.written = t.file->append(data, static_cast<qint64>(bytes));
    if (!t.written)
        return CURL_WRITEFUNC_ERROR;
    t.received += static_cast<std::int64_t>(bytes);
    return bytes;
}

int reportProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto& t = *static_cast<Transfer*>(user);
    if (*t.progress && !(*t.progress)(t.received, success(responseCode(t.curl)) ? announcedLength(t.curl) : -1))
        t.cancelled = true;
    return t.cancelled ? 1 : 0;
}

// Sleeps in slices, still asking the caller, who may cancel.
bool waitBeforeRetry(int ms, const HttpClient::Progress& progress)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        if (progress && !progress(0, -1))
            return false;
        std::this_thread::sleep_for(kWaitSlice);
    }
    return true;
}

HttpResult failure(HttpResult::Outcome outcome, QString text, long status = 0)
{
    return {outcome, status, 0, std::move(text)};
}

} // namespace

HttpClient::HttpClient(HttpOptions options) : options_(options)
{
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)initialised;
}

HttpResult HttpClient::download(const QString& url, const QString& targetPath, const Progress& progress) const
{
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid() || parsed.host().isEmpty() ||
        (parsed.scheme() != QLatin1String("http") && parsed.scheme() != QLatin1String("https")))
        return failure(HttpResult::Outcome::BadUrl, QStringLiteral("%1 is not an http or https address").arg(url));

    const QByteArray address = parsed.toEncoded();
    HttpResult result;
    for (int attempt = 0; attempt <= options_.retries; ++attempt) {
        if (attempt > 0 && !waitBeforeRetry(options_.retryDelayMs, progress))
            return failure(HttpResult::Outcome::Cancelled, QStringLiteral("the download was cancelled"));
        result = attemptDownload(address, targetPath, progress);
        result.attempts = attempt + 1;
        if (result.outcome != HttpResult::Outcome::Transfer)
            break;
    }
    return result;
}

HttpResult HttpClient::attemptDownload(const QByteArray& address, const QString& targetPath,
                                       const Progress& progress) const
{
    AtomicFileWriter file(targetPath);
    if (const WriteResult opened = file.open(); !opened)
        return failure(HttpResult::Outcome::Write, opened.errorText);

    const std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    std::unique_ptr<curl_slist, HeaderListDeleter> headers(curl_slist_append(nullptr, "Cache-Control: no-cache"));
    headers.reset(curl_slist_append(headers.release(), "Pragma: no-cache"));
    Transfer t{curl.get(), &file, &progress, 0, false, {}};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, address.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(c, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options_.connectTimeoutMs));
    // Stalled: less than one byte a second for the whole stall time.
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>((options_.stallTimeoutMs + 999) / 1000));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, reportProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);

    const CURLcode code = curl_easy_perform(c);
    const long status = responseCode(c);
    if (t.cancelled)
        return failure(HttpResult::Outcome::Cancelled, QStringLiteral("the download was cancelled"), status);
    if (!t.written)
        return failure(HttpResult::Outcome::Write, t.written.errorText, status);
    if (code != CURLE_OK)
        return failure(HttpResult::Outcome::Transfer, QString::fromUtf8(curl_easy_strerror(code)), status);
    if (!success(status))
        return failure(HttpResult::Outcome::Status, QStringLiteral("the server answered with status %1").arg(status),
                       status);
    if (const WriteResult committed = file.commit(); !committed)
        return failure(HttpResult::Outcome::Write, committed.errorText, status);
    if (progress)
        progress(t.received, t.received);
    return {HttpResult::Outcome::Ok, status, 0, {}};
}

} // namespace kiv
