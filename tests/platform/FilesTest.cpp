#include "platform/DataPaths.h"
#include "platform/Descriptor.h"
#include "platform/WholeFile.h"
#include "tests/support/Deadline.h"
#include "tests/support/FolderTree.h"
#include "tests/support/ScopedEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

#include <sys/socket.h>
#include <sys/un.h>

using kiv::DataPaths;

namespace {

void put(const QString& path, const QByteArray& contents)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

} // namespace

class DataPathsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root_.isValid());
        for (const char* sub : {"work", "user", "bundled"})
            QDir(root_.path()).mkpath(QLatin1String(sub));
    }
    QString at(const char* relative) const { return QDir::cleanPath(root_.filePath(QLatin1String(relative))); }
    DataPaths paths() const { return DataPaths(at("work"), at("user"), at("bundled")); }

    QTemporaryDir root_;
};

TEST_F(DataPathsTest, ResolvesInOrderWorkingThenSlashedThenUserThenBundled)
{
    put(at("bundled/intelsat.tle"), "b");
    EXPECT_EQ(paths().find(QStringLiteral("intelsat.tle")), at("bundled/intelsat.tle"));
    put(at("user/intelsat.tle"), "u");
    EXPECT_EQ(paths().find(QStringLiteral("intelsat.tle")), at("user/intelsat.tle"));
    put(at("work/intelsat.tle"), "w");
    EXPECT_EQ(paths().find(QStringLiteral("intelsat.tle")), at("work/intelsat.tle"));

    put(at("work/sub/x.ico"), "i");
    EXPECT_EQ(paths().find(QStringLiteral("sub\\x.ico")), at("work/sub/x.ico"));
    put(at("user/sat.ico"), "i");
    EXPECT_EQ(paths().find(QStringLiteral("C:\\Kiv\\Icons\\sat.ico")), at("user/sat.ico"));
    EXPECT_EQ(paths().find(at("work/intelsat.tle")), at("work/intelsat.tle"));

    EXPECT_EQ(paths().find(QStringLiteral("missing.clr")), std::nullopt);
    EXPECT_EQ(paths().resolve(QStringLiteral("missing.clr")), QStringLiteral("missing.clr"));
    EXPECT_EQ(paths().find(QString()), std::nullopt);
    EXPECT_EQ(paths().find(QStringLiteral("sub")), std::nullopt) << "a folder is not a file";
    EXPECT_EQ(paths().find(QStringLiteral("C:\\")), std::nullopt);
}

TEST_F(DataPathsTest, NeverWritesIntoTheBundledFolder)
{
    put(at("bundled/kiv.clr"), "b");
    EXPECT_EQ(paths().writeTarget(QStringLiteral("kiv.clr")), at("user/kiv.clr"));
    EXPECT_EQ(paths().writeTarget(at("bundled/kiv.clr")), at("user/kiv.clr"));
    EXPECT_EQ(paths().writeTarget(QStringLiteral("new.sin")), at("user/new.sin"));
    EXPECT_EQ(paths().writeTarget(QStringLiteral("C:\\old\\new.sin")), at("user/new.sin"));
    EXPECT_EQ(paths().writeTarget(at("elsewhere/x.set")), at("elsewhere/x.set"));
    put(at("work/kiv.clr"), "w");
    EXPECT_EQ(paths().writeTarget(QStringLiteral("kiv.clr")), at("work/kiv.clr"));
}

TEST_F(DataPathsTest, ABundledFileHoweverNamedIsReadWhereItsChangesAreWritten)
{
    put(at("bundled/kiv.clr"), "b");
    put(at("bundled/wdb/kiv.clr"), "deeper");
    const QString names[] = {QStringLiteral("kiv.clr"), at("bundled/kiv.clr"), at("bundled/../bundled/kiv.clr"),
                             at("bundled/wdb/kiv.clr")};
    for (const QString& name : names)
        EXPECT_TRUE(paths().find(name)->startsWith(at("bundled/"))) << name.toStdString();
    put(at("user/kiv.clr"), "u");
    for (const QString& name : names) {
        EXPECT_EQ(paths().find(name), at("user/kiv.clr")) << name.toStdString();
        EXPECT_EQ(paths().writeTarget(name), at("user/kiv.clr")) << name.toStdString();
    }
    const DataPaths fromBundled(at("bundled"), at("user"), at("bundled"));
    EXPECT_EQ(fromBundled.find(QStringLiteral("kiv.clr")), at("user/kiv.clr")) << "working in the bundled folder";

    ASSERT_TRUE(QFile::link(at("bundled/kiv.clr"), at("work/link.clr")));
    EXPECT_EQ(paths().writeTarget(QStringLiteral("link.clr")), at("user/link.clr")) << "never through a link into it";
    put(at("user/link.clr"), "u");
    EXPECT_EQ(paths().find(QStringLiteral("link.clr")), at("user/link.clr"));

    put(at("work/kiv.clr"), "w");
    EXPECT_EQ(paths().find(at("work/kiv.clr")), at("work/kiv.clr")) << "a file outside the bundled folder is itself";
    EXPECT_EQ(paths().find(QStringLiteral("kiv.clr")), at("work/kiv.clr"));
}

TEST_F(DataPathsTest, FileDialogsStartWhereTheFileIs)
{
    put(at("bundled/earth2d.bmp"), "b");
    put(at("user/kiv.sin"), "u");
    QDir(root_.path()).mkpath(QStringLiteral("pictures"));
    const struct {
        QString name;
        QString start;
    } cases[] = {
        {QStringLiteral("earth2d.bmp"), at("bundled/earth2d.bmp")},
        {QStringLiteral("C:\\Kiv\\kiv.sin"), at("user/kiv.sin")},
        {at("pictures/new.jpg"), at("pictures/new.jpg")}, // not there yet, but its folder is
        {at("gone/new.jpg"), at("user/new.jpg")},
        {QStringLiteral("internet.jpg"), at("user/internet.jpg")},
        {QString(), at("user")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(paths().dialogStart(c.name), c.start) << c.name.toStdString();

    // A first run has no user data folder yet; the dialog can still open in it.
    const DataPaths fresh(at("work"), at("fresh/kiv"), at("bundled"));
    EXPECT_EQ(fresh.dialogStart(QStringLiteral("internet.jpg")), at("fresh/kiv/internet.jpg"));
    EXPECT_TRUE(QFileInfo(at("fresh/kiv")).isDir());
}

TEST_F(DataPathsTest, AWholeFileIsReadOrRefusedWithTheSystemsReason)
{
    using kiv::WholeFile;
    put(at("work/a.set"), "12345");
    const WholeFile whole = WholeFile::read(at("work/a.set"), 5);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole.bytes, "12345");
    const struct {
        const char* path;
        WholeFile::Failure failure;
        int error;
    } cases[] = {
        {"work/a.set", WholeFile::Failure::TooLarge, 0}, // with a limit of 4 below
        {"work/none.set", WholeFile::Failure::Open, ENOENT},
        {"work", WholeFile::Failure::NotRegular, 0},
        {"work/a.set/below", WholeFile::Failure::Open, ENOTDIR},
        {"work/pipe", WholeFile::Failure::NotRegular, 0},
        {"work/zero", WholeFile::Failure::NotRegular, 0},
        {"work/socket", WholeFile::Failure::NotRegular, 0},
    };
    ASSERT_TRUE(kiv::test::makeFolderTree(at("work"), {{"pipe", "fifo"}, {"zero", "link -> /dev/zero"}}));
    const kiv::Descriptor socket(::socket(AF_UNIX, SOCK_STREAM, 0));
    sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
    QFile::encodeName(at("work/socket")).toStdString().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(socket.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    for (const auto& c : cases) {
        const kiv::test::Deadline deadline;
        const WholeFile refused = WholeFile::read(at(c.path), 4);
        EXPECT_EQ(refused.failure, c.failure) << c.path;
        EXPECT_EQ(refused.error, c.error) << c.path;
        EXPECT_TRUE(refused.bytes.isEmpty()) << c.path;
    }
}

TEST_F(DataPathsTest, DirectoriesComeFromTheEnvironment)
{
    kiv::test::ScopedEnvironment environment;
    environment.set("XDG_DATA_HOME", at("user").toStdString());
    environment.set("XDG_CONFIG_HOME", std::nullopt);
    environment.set("HOME", at("home").toStdString());
    environment.set("KIV_DATA_DIR", at("bundled").toStdString());
    const DataPaths fromEnvironment = DataPaths::fromEnvironment();
    EXPECT_EQ(fromEnvironment.userDataDirectory(), at("user") + QStringLiteral("/kiv"));
    EXPECT_EQ(fromEnvironment.bundledDataDirectory(), at("bundled"));
    EXPECT_EQ(fromEnvironment.workingDirectory(), QDir::currentPath());
    EXPECT_EQ(DataPaths::userConfigDirectoryFromEnvironment(), at("home") + QStringLiteral("/.config/kiv"));
    environment.set("XDG_DATA_HOME", "relative/ignored");
    EXPECT_EQ(DataPaths::userDataDirectoryFromEnvironment(), at("home") + QStringLiteral("/.local/share/kiv"));
    environment.set("KIV_DATA_DIR", std::nullopt);
    EXPECT_FALSE(DataPaths::bundledDataDirectoryFromEnvironment().isEmpty());
}
