#include "platform/HttpClient.h"

#include "platform/AtomicFileWriter.h"
#include "platform/LanguageText.h"

#include <QLocale>
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
    std::int64_t maxBytes = 0;
    std::int64_t received = 0;
    bool cancelled = false;
    bool tooLarge = false;
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

// Whether the body of a success response, as announced or with `incoming` more bytes, passes
// the limit.
bool overLimit(Transfer& t, std::int64_t incoming)
{
    if (announcedLength(t.curl) > t.maxBytes || incoming > t.maxBytes - t.received)
        t.tooLarge = true;
    return t.tooLarge;
}

// The body of a success response goes to the file; redirects and error pages are dropped.
size_t writeBody(char* data, size_t size, size_t count, void* user)
{
    auto& t = *static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (!success(responseCode(t.curl)))
        return bytes;
    if (overLimit(t, static_cast<std::int64_t>(bytes)))
        return CURL_WRITEFUNC_ERROR;
    t.written = t.file->append(data, static_cast<qint64>(bytes));
    if (!t.written)
        return CURL_WRITEFUNC_ERROR;
    t.received += static_cast<std::int64_t>(bytes);
    return bytes;
}

int reportProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto& t = *static_cast<Transfer*>(user);
    const bool body = success(responseCode(t.curl));
    // An announced length past the limit ends the transfer even while no byte of it comes.
    if (body && overLimit(t, 0))
        return 1;
    if (*t.progress && !(*t.progress)(t.received, body ? announcedLength(t.curl) : -1))
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

HttpResult::Failure failureOf(CURLcode code)
{
    using F = HttpResult::Failure;
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
        return F::NoConnection;
    case CURLE_OPERATION_TIMEDOUT:
        return F::TimedOut;
    case CURLE_TOO_MANY_REDIRECTS:
        return F::TooManyRedirects;
    case CURLE_PARTIAL_FILE:
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
        return F::Partial;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_USE_SSL_FAILED:
        return F::Tls;
    default:
        return F::Other;
    }
}

HttpResult ended(HttpResult::Outcome outcome)
{
    HttpResult result;
    result.outcome = outcome;
    return result;
}

QString transferText(const HttpResult& r, bool english)
{
    using F = HttpResult::Failure;
    switch (r.failure) {
    case F::NoConnection:
        return inLanguage(english, "no connection to the server", "keine Verbindung zum Server");
    case F::TimedOut:
        return inLanguage(english, "the server did not answer in time", "der Server hat nicht rechtzeitig geantwortet");
    case F::TooManyRedirects:
        return inLanguage(english, "the server redirected too often", "der Server hat zu oft weitergeleitet");
    case F::Partial:
        return inLanguage(english, "the transfer broke off before the end", "die Übertragung brach vor dem Ende ab");
    case F::Tls:
        return inLanguage(english, "the secure connection failed", "die sichere Verbindung ist gescheitert");
    case F::None:
    case F::Other:
        break;
    }
    return inLanguage(english, "the transfer failed (error %1)", "die Übertragung ist gescheitert (Fehler %1)")
        .arg(r.transferCode);
}

} // namespace

QString HttpResult::describe(bool english) const
{
    switch (outcome) {
    case Outcome::Ok:
        return {};
    case Outcome::BadUrl:
        if (detail.trimmed().isEmpty())
            return inLanguage(english, "no web address is given", "es ist keine Webadresse angegeben");
        return inLanguage(english, "%1 is not an http or https address", "%1 ist keine http- oder https-Adresse")
            .arg(detail);
    case Outcome::Transfer:
        return transferText(*this, english);
    case Outcome::Status:
        return inLanguage(english, "the server answered with status %1", "der Server antwortete mit Status %1")
            .arg(status);
    case Outcome::TooLarge:
        return inLanguage(english, "the file is larger than the limit of %1",
                          "die Datei ist größer als die Grenze von %1")
            .arg(QLocale(english ? QLocale::English : QLocale::German)
                     .formattedDataSize(maxBytes, 0, QLocale::DataSizeIecFormat));
    case Outcome::Rejected:
        return detail;
    case Outcome::Write:
        return written.describe(english);
    case Outcome::Cancelled:
        return inLanguage(english, "the download was cancelled", "der Download wurde abgebrochen");
    }
    return {};
}

HttpClient::HttpClient(HttpOptions options) : options_(options)
{
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)initialised;
}

HttpResult HttpClient::download(const QString& url, const QString& targetPath, const DownloadRule& rule,
                                const Progress& progress) const
{
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid() || parsed.host().isEmpty() ||
        (parsed.scheme() != QLatin1String("http") && parsed.scheme() != QLatin1String("https"))) {
        HttpResult refused = ended(HttpResult::Outcome::BadUrl);
        refused.detail = url;
        return refused;
    }

    const QByteArray address = parsed.toEncoded();
    HttpResult result;
    for (int attempt = 0; attempt <= options_.retries; ++attempt) {
        if (attempt > 0 && !waitBeforeRetry(options_.retryDelayMs, progress))
            return ended(HttpResult::Outcome::Cancelled);
        result = attemptDownload(address, targetPath, rule, progress);
        result.attempts = attempt + 1;
        if (result.outcome != HttpResult::Outcome::Transfer)
            break;
    }
    return result;
}

HttpResult HttpClient::attemptDownload(const QByteArray& address, const QString& targetPath, const DownloadRule& rule,
                                       const Progress& progress) const
{
    HttpResult result;
    AtomicFileWriter file(targetPath);
    if (const WriteResult opened = file.open(); !opened) {
        result.outcome = HttpResult::Outcome::Write;
        result.written = opened;
        return result;
    }

    const std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    std::unique_ptr<curl_slist, HeaderListDeleter> headers(curl_slist_append(nullptr, "Cache-Control: no-cache"));
    headers.reset(curl_slist_append(headers.release(), "Pragma: no-cache"));
    Transfer t{.curl = curl.get(), .file = &file, .progress = &progress, .maxBytes = rule.maxBytes, .written = {}};
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
    result.status = responseCode(c);
    if (t.cancelled) {
        result.outcome = HttpResult::Outcome::Cancelled;
    } else if (t.tooLarge) {
        result.outcome = HttpResult::Outcome::TooLarge;
        result.maxBytes = rule.maxBytes;
    } else if (!t.written) {
        result.outcome = HttpResult::Outcome::Write;
        result.written = t.written;
    } else if (code != CURLE_OK) {
        result.outcome = HttpResult::Outcome::Transfer;
        result.failure = failureOf(code);
        result.transferCode = code;
    } else if (!success(result.status)) {
        result.outcome = HttpResult::Outcome::Status;
    } else if (const auto verdict = rule.check ? rule.check(file.temporaryPath()) : QString(); !verdict) {
        result.outcome = HttpResult::Outcome::Cancelled;
    } else if (!verdict->isEmpty()) {
        result.outcome = HttpResult::Outcome::Rejected;
        result.detail = *verdict;
    } else if (const WriteResult committed = file.commit(); !committed) {
        result.outcome = HttpResult::Outcome::Write;
        result.written = committed;
    } else if (progress) {
        progress(t.received, t.received);
    }
    return result;
}

} // namespace kiv
