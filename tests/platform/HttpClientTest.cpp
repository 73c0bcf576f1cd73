// Downloads against a real HTTP server on the loopback interface.
#include "platform/HttpClient.h"
#include "platform/FileLock.h"
#include "tests/support/LoopbackHttpServer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <QFileInfo>

#include <chrono>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using kiv::HttpClient;
using kiv::HttpOptions;
using kiv::HttpResult;
using kiv::test::LoopbackHttpServer;
using Outcome = HttpResult::Outcome;

namespace {

// 100 KiB with every byte value, CR, LF and NUL among them.
std::string binaryBody()
{
    std::string body(100 * 1024, '\0');
    for (std::size_t i = 0; i < body.size(); ++i)
        body[i] = static_cast<char>((i * 7) % 256);
    return body;
}

class HttpClientTest : public ::testing::Test {
protected:
    QByteArray read(const QString& path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString target() const { return dir_.filePath(QStringLiteral("internet.tle")); }
    void writeOld() const
    {
        QFile f(target());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old contents\n");
    }
    QString url(const std::string& path) const { return QString::fromStdString(server_.url(path)); }

    QTemporaryDir dir_;
    LoopbackHttpServer server_{binaryBody()};
    HttpClient client_{HttpOptions{2000, 1000, 1, 100}};
};

} // namespace

TEST_F(HttpClientTest, SuccessfulBodiesArriveByteForByteWithProgress)
{
    const struct {
        const char* path;
        bool lengthKnown;
    } cases[] = {{"/ok", true}, {"/chunked", false}, {"/close", false}, {"/redirect", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        writeOld();
        std::vector<std::pair<std::int64_t, std::int64_t>> reports;
        const HttpResult result = client_.download(url(c.path), target(), {}, [&](std::int64_t received, std::int64_t total) {
            reports.emplace_back(received, total);
            return true;
        });
        ASSERT_TRUE(result) << result.describe(true).toStdString();
        EXPECT_EQ(result.status, 200);
        EXPECT_EQ(result.attempts, 1);
        EXPECT_EQ(read(target()).toStdString(), server_.body());
        const auto size = static_cast<std::int64_t>(server_.body().size());
        ASSERT_FALSE(reports.empty());
        EXPECT_EQ(reports.back(), std::make_pair(size, size)); // the last report is complete
        for (std::size_t i = 0; i + 1 < reports.size(); ++i) {
            EXPECT_LE(reports[i].first, reports[i + 1].first);
            EXPECT_EQ(reports[i].second, c.lengthKnown && reports[i].second >= 0 ? size : -1);
        }
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("internet.tle")});
}

// The element file of "Open from the web" under a second name: both names see the body, and
// the file stays the same file.
TEST_F(HttpClientTest, ABodyReachesEveryNameOfTheTarget)
{
    writeOld();
    const QString other = dir_.filePath(QStringLiteral("other.tle"));
    ASSERT_EQ(link(QFile::encodeName(target()).constData(), QFile::encodeName(other).constData()), 0);
    struct stat before {}, after {};
    ASSERT_EQ(stat(QFile::encodeName(target()).constData(), &before), 0);
    ASSERT_TRUE(client_.download(url("/ok"), target()));
    ASSERT_EQ(stat(QFile::encodeName(target()).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    EXPECT_EQ(read(other).toStdString(), server_.body());
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("internet.tle"), QStringLiteral("other.tle")}));
}

TEST_F(HttpClientTest, RequestsNameTheProgramAndBypassCaches)
{
    ASSERT_TRUE(client_.download(url("/ok"), target()));
    const std::string head = server_.requests().at(0);
    EXPECT_NE(head.find("\r\nUser-Agent: Kiv 2.4\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nCache-Control: no-cache\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nPragma: no-cache\r\n"), std::string::npos) << head;
}

TEST_F(HttpClientTest, FailuresLeaveTheTargetAsItWas)
{
    const struct {
        const char* path;
        Outcome outcome;
        long status;
        int attempts;
        int connections; // a redirect is a connection of its own
        const char* english;
        const char* german;
    } cases[] = {
        {"/404", Outcome::Status, 404, 1, 1, "the server answered with status 404",
         "der Server antwortete mit Status 404"},
        {"/500", Outcome::Status, 500, 1, 1, "the server answered with status 500",
         "der Server antwortete mit Status 500"},
        {"/short", Outcome::Transfer, 200, 2, 2, "the transfer broke off before the end",
         "die Übertragung brach vor dem Ende ab"},
        {"/drop", Outcome::Transfer, 0, 2, 2, "the transfer broke off before the end",
         "die Übertragung brach vor dem Ende ab"},
        {"/stall", Outcome::Transfer, 0, 2, 2, "the server did not answer in time",
         "der Server hat nicht rechtzeitig geantwortet"},
        {"/loop", Outcome::Transfer, 302, 2, 22, "the server redirected too often",
         "der Server hat zu oft weitergeleitet"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        writeOld();
        const int before = server_.connections();
        const HttpResult result = client_.download(url(c.path), target());
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.attempts, c.attempts);
        EXPECT_EQ(server_.connections() - before, c.connections);
        EXPECT_EQ(result.describe(true), QString::fromUtf8(c.english));
        EXPECT_EQ(result.describe(false), QString::fromUtf8(c.german));
        EXPECT_EQ(read(target()), "old contents\n");
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("internet.tle")});
    }
}

TEST_F(HttpClientTest, AClosedPortIsTriedTwiceASecondApart)
{
    const HttpClient client; // the program's own settings
    const QString address = QStringLiteral("http://127.0.0.1:%1/x").arg(LoopbackHttpServer::closedPort());
    const auto start = std::chrono::steady_clock::now();
    const HttpResult result = client.download(address, target());
    EXPECT_EQ(result.outcome, Outcome::Transfer);
    EXPECT_EQ(result.attempts, 2);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_EQ(result.describe(true), "no connection to the server");
    EXPECT_EQ(result.describe(false), "keine Verbindung zum Server");
    EXPECT_FALSE(QFile::exists(target()));
}

TEST_F(HttpClientTest, BadAddressesCancelAndUnwritableTargetsAreRefused)
{
    for (const char* address : {"ftp://127.0.0.1/x", "file:///etc/passwd", "not an address", "http://"}) {
        const HttpResult result = client_.download(QString::fromLatin1(address), target());
        EXPECT_EQ(result.outcome, Outcome::BadUrl) << address;
        EXPECT_EQ(result.attempts, 0);
    }
    const HttpResult ftp = client_.download(QStringLiteral("ftp://x/y"), target());
    EXPECT_EQ(ftp.describe(true), "ftp://x/y is not an http or https address");
    EXPECT_EQ(ftp.describe(false), "ftp://x/y ist keine http- oder https-Adresse");
    const HttpResult empty = client_.download(QStringLiteral(" "), target());
    EXPECT_EQ(empty.describe(true), "no web address is given");
    EXPECT_EQ(empty.describe(false), "es ist keine Webadresse angegeben");
    EXPECT_EQ(server_.connections(), 0);

    writeOld();
    const HttpResult cancelled = client_.download(url("/ok"), target(), {}, [](std::int64_t, std::int64_t) { return false; });
    EXPECT_EQ(cancelled.outcome, Outcome::Cancelled);
    EXPECT_EQ(read(target()), "old contents\n");

    const HttpResult unwritable = client_.download(url("/ok"), target() + QStringLiteral("/below/a/file"));
    EXPECT_EQ(unwritable.outcome, Outcome::Write);
    EXPECT_TRUE(unwritable.describe(true).contains(QStringLiteral("below"))) << unwritable.describe(true).toStdString();
}

TEST_F(HttpClientTest, BodiesPastTheLimitOrRefusedByTheCheckKeepTheTarget)
{
    const std::string body(3000, 'x');
    const kiv::DownloadRule smallLimit{2048, {}};
    const QString refusal = QStringLiteral("not wanted");
    const struct {
        const char* path;
        kiv::DownloadRule rule;
        Outcome outcome;
        bool refusedBeforeWriting; // the announced length was enough
        const char* english;
        const char* german;
    } cases[] = {
        {"/ok", smallLimit, Outcome::TooLarge, true, "the file is larger than the limit of 2 KiB",
         "die Datei ist größer als die Grenze von 2 KiB"},
        {"/huge", {32 << 20, {}}, Outcome::TooLarge, true, "the file is larger than the limit of 32 MiB",
         "die Datei ist größer als die Grenze von 32 MiB"},
        {"/chunked", smallLimit, Outcome::TooLarge, false, "the file is larger than the limit of 2 KiB",
         "die Datei ist größer als die Grenze von 2 KiB"},
        {"/close", smallLimit, Outcome::TooLarge, false, "the file is larger than the limit of 2 KiB",
         "die Datei ist größer als die Grenze von 2 KiB"},
        {"/ok", {4096, [&](const QString&) { return refusal; }}, Outcome::Rejected, false, "not wanted", "not wanted"},
    };
    LoopbackHttpServer server(body);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        writeOld();
        std::int64_t mostReceived = 0;
        const HttpResult result =
            client_.download(QString::fromStdString(server.url(c.path)), target(), c.rule,
                             [&](std::int64_t received, std::int64_t) {
                                 mostReceived = std::max(mostReceived, received);
                                 return true;
                             });
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.attempts, 1);
        if (c.refusedBeforeWriting) {
            EXPECT_EQ(mostReceived, 0);
        }
        EXPECT_EQ(result.describe(true), QString::fromUtf8(c.english));
        EXPECT_EQ(result.describe(false), QString::fromUtf8(c.german));
        EXPECT_EQ(read(target()), "old contents\n");
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("internet.tle")});
    }
}

TEST_F(HttpClientTest, TheCheckSeesTheWholeBodyBeforeTheRename)
{
    QByteArray seen;
    bool targetOldWhileChecking = false;
    const kiv::DownloadRule rule{std::int64_t(server_.body().size()), [&](const QString& bodyPath) {
                                     seen = read(bodyPath);
                                     targetOldWhileChecking = read(target()) == "old contents\n";
                                     return QString();
                                 }};
    writeOld();
    ASSERT_TRUE(client_.download(url("/chunked"), target(), rule));
    EXPECT_EQ(seen.toStdString(), server_.body());
    EXPECT_TRUE(targetOldWhileChecking);
    EXPECT_EQ(read(target()).toStdString(), server_.body());
}

// Temporary files are "<target>.kiv-<process id>-<number>"; those of a process that has ended are
// removed before the next write of the same target, and nothing else is touched.
TEST_F(HttpClientTest, TemporaryFilesOfEndedProcessesAreRemoved)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    const std::string dead = std::to_string(child);
    const struct {
        std::string name;
        bool removed;
        bool locked = false; // its writer still runs
    } cases[] = {
        {"internet.tle.kiv-" + dead + "-1234", true},
        {"internet.tle.kiv-" + dead + "-99", true},
        {"internet.tle.kiv-1-1234", true}, // a process that runs has the id, but not the lock
        {"internet.tle.kiv-" + std::to_string(getpid()) + "-5", false, true},
        {"internet.tle.kiv-1234567", false}, // no process id in the name
        {"internet.tle.kiv-" + dead + "-12a", false},
        {"internet.tle.kiv-" + dead + "-", false},
        {"internet.tlx.kiv-" + dead + "-1", false},
        {"other.tle.kiv-" + dead + "-1", false},
        {"internet.tle.kiv-" + dead + "-1.bak", false},
        {"internet.tle.kiv-old-" + dead + "-1", false}, // old bytes of a write into the file
    };
    writeOld();
    std::vector<kiv::FileLock> locks;
    for (const auto& c : cases) {
        QFile f(dir_.filePath(QString::fromStdString(c.name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("left over");
        if (c.locked)
            locks.push_back(kiv::FileLock::take(QFile::encodeName(f.fileName()).toStdString(), kiv::FileLock::Kind::Exclusive));
    }
    QDir(dir_.path()).mkdir(QString::fromStdString("internet.tle.kiv-" + dead + "-7")); // not a file

    EXPECT_EQ(client_.download(url("/404"), target()).outcome, Outcome::Status);
    EXPECT_EQ(read(target()), "old contents\n");
    for (const auto& c : cases)
        EXPECT_EQ(QFile::exists(dir_.filePath(QString::fromStdString(c.name))), !c.removed) << c.name;
    EXPECT_TRUE(QFileInfo(dir_.filePath(QString::fromStdString("internet.tle.kiv-" + dead + "-7"))).isDir());
}
