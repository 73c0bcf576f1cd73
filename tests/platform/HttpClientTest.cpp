// Downloads against a real HTTP server on the loopback interface.
#include "platform/HttpClient.h"
#include "tests/support/LoopbackHttpServer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>

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
        const HttpResult result = client_.download(url(c.path), target(), [&](std::int64_t received, std::int64_t total) {
            reports.emplace_back(received, total);
            return true;
        });
        ASSERT_TRUE(result) << result.errorText.toStdString();
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
    } cases[] = {
        {"/404", Outcome::Status, 404, 1},   {"/500", Outcome::Status, 500, 1},
        {"/short", Outcome::Transfer, 200, 2}, {"/drop", Outcome::Transfer, 0, 2},
        {"/stall", Outcome::Transfer, 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        writeOld();
        const int before = server_.connections();
        const HttpResult result = client_.download(url(c.path), target());
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.attempts, c.attempts);
        EXPECT_EQ(server_.connections() - before, c.attempts);
        EXPECT_FALSE(result.errorText.isEmpty());
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
    EXPECT_FALSE(QFile::exists(target()));
}

TEST_F(HttpClientTest, BadAddressesCancelAndUnwritableTargetsAreRefused)
{
    for (const char* address : {"ftp://127.0.0.1/x", "file:///etc/passwd", "not an address", "http://"}) {
        const HttpResult result = client_.download(QString::fromLatin1(address), target());
        EXPECT_EQ(result.outcome, Outcome::BadUrl) << address;
        EXPECT_EQ(result.attempts, 0);
    }
    EXPECT_EQ(server_.connections(), 0);

    writeOld();
    const HttpResult cancelled = client_.download(url("/ok"), target(), [](std::int64_t, std::int64_t) { return false; });
    EXPECT_EQ(cancelled.outcome, Outcome::Cancelled);
    EXPECT_EQ(read(target()), "old contents\n");

    const HttpResult unwritable = client_.download(url("/ok"), target() + QStringLiteral("/below/a/file"));
    EXPECT_EQ(unwritable.outcome, Outcome::Write);
    EXPECT_TRUE(unwritable.errorText.contains(QStringLiteral("below"))) << unwritable.errorText.toStdString();
}
