// The atomic writer against real failures: a file-size limit and a full disk, each in a child
// process so that neither the limit nor the mount reaches the other tests; symbolic links and
// read-only files, with every file of the folder compared after the write; hard links and files
// of other owners, written by root and by an ordinary user.
#include "platform/AtomicFile.h"
#include "platform/AtomicFileWriter.h"
#include "platform/CutOffWrite.h"
#include "platform/FileLock.h"
#include "platform/SideFiles.h"
#include "platform/TerminationLatch.h"
#include "tests/support/FileChangeTrap.h"
#include "tests/support/FolderTree.h"
#include "tests/support/ProcessesTogether.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/Prerequisite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
#include <set>
#include <vector>
#include <string>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

using kiv::AtomicFile;
using kiv::WriteResult;
using kiv::WriteStep;
using namespace std::string_literals;

namespace {

const QByteArray kOldProfile = QByteArray("[Allgemein]\nSatellitenfilename=intelsat.tle\n").repeated(77); // 3.5 KB

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool put(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() && file.flush();
}

// Runs `work` in a child process and returns the text it reports ("child died" when it dies).
std::string inChild(const std::function<std::string()>& work)
{
    int channel[2];
    if (pipe(channel) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const std::string report = work();
        const ssize_t written = write(channel[1], report.data(), report.size());
        _exit(written == ssize_t(report.size()) ? 0 : 1);
    }
    close(channel[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, size_t(n));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? report : "child died";
}

enum class Squeeze { FileSizeLimit, FullDisk };

// What is checked after the failed write: the result, the old file and the folder's files.
std::string outcome(const QString& folder, const WriteResult& result)
{
    const QString path = folder + QStringLiteral("/kiv.ini");
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    return std::string(result.ok ? "written" : "failed") + "|" + std::to_string(int(result.step)) + "|"
        + (contentsOf(path) == kOldProfile ? "old file intact" : "old file changed") + "|"
        + files.join(QLatin1Char(',')).toStdString() + "|" + result.describe(true).toStdString() + "|"
        + result.describe(false).toStdString();
}

// The write in a process whose file-size limit is 1 KiB, met by the temporary file. SIGXFSZ keeps
// its default action, which would end the process.
std::string writeUnderFileSizeLimit(const QString& folder, const QByteArray& contents)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 1024;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return "no limit";
    return outcome(folder, AtomicFile::write(folder + QStringLiteral("/kiv.ini"), contents));
}

// A 64 KiB tmpfs over the folder, in a mount namespace of this (child) process alone.
bool mountSmallDisk(const QString& folder)
{
    const QByteArray where = QFile::encodeName(folder);
    return unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
        && mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") == 0;
}

// Fills the folder's disk with a file "filler", then gives back `room` bytes of it.
bool fillDisk(const QString& folder, qint64 room)
{
    QFile filler(folder + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(512, 'f');
    while (filler.write(block) == block.size()) {
    }
    return filler.resize(filler.size() - room);
}

// The write on a small disk of its own, filled to the brim after the old file was put there.
std::string writeOnFullDisk(const QString& folder, const QByteArray& contents)
{
    if (!mountSmallDisk(folder))
        return "no tmpfs";
    if (!put(folder + QStringLiteral("/kiv.ini"), kOldProfile))
        return "no old file";
    if (!fillDisk(folder, 0))
        return "no filler";
    return outcome(folder, AtomicFile::write(folder + QStringLiteral("/kiv.ini"), contents));
}

struct SqueezeCase {
    const char* name;
    Squeeze squeeze;
    qsizetype newSize;
    WriteStep failingStep;
    const char* english;
    const char* german;
    const char* files;
};

} // namespace

TEST(AtomicFile, FailedWritesKeepTheOldFileAndSayWhichFileAndWhy)
{
    const SqueezeCase cases[] = {
        // A write that fits the library's buffers: the one a buffered writer reports too late.
        {"size limit, small write", Squeeze::FileSizeLimit, 3600, WriteStep::Write, "File too large",
         "Die Datei ist zu groß", "kiv.ini"},
        {"size limit, large write", Squeeze::FileSizeLimit, 256 * 1024, WriteStep::Write, "File too large",
         "Die Datei ist zu groß", "kiv.ini"},
        {"full disk, small write", Squeeze::FullDisk, 3600, WriteStep::Write, "No space left on device",
         "Auf dem Gerät ist kein Speicherplatz mehr verfügbar", "filler,kiv.ini"},
        {"full disk, large write", Squeeze::FullDisk, 256 * 1024, WriteStep::Write, "No space left on device",
         "Auf dem Gerät ist kein Speicherplatz mehr verfügbar", "filler,kiv.ini"},
    };
    if (geteuid() != 0)
        KIV_MISSING_PREREQUISITE() << "the full-disk cases mount a tmpfs and need root";
    for (const SqueezeCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString folder = dir.path();
        const QString path = folder + QStringLiteral("/kiv.ini");
        const QByteArray contents(c.newSize, 'n');
        std::string report;
        if (c.squeeze == Squeeze::FileSizeLimit) {
            ASSERT_TRUE(put(path, kOldProfile));
            report = inChild([&] { return writeUnderFileSizeLimit(folder, contents); });
        } else {
            report = inChild([&] { return writeOnFullDisk(folder, contents); });
        }
        const std::string expected = std::string("failed|") + std::to_string(int(c.failingStep))
            + "|old file intact|" + c.files + "|Could not write " + path.toStdString() + ": " + c.english + ".|"
            + path.toStdString() + " konnte nicht geschrieben werden: " + c.german + ".";
        EXPECT_EQ(report, expected);
    }
}

TEST(AtomicFile, WritesWholeFilesKeepsPermissionsAndCreatesFolders)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a/b/kiv.clr"));
    ASSERT_TRUE(AtomicFile::write(path, QByteArray(3476, '\x02')));
    EXPECT_EQ(contentsOf(path), QByteArray(3476, '\x02'));
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(AtomicFile::write(path, "short"));
    EXPECT_EQ(contentsOf(path), "short");
    struct stat written {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &written), 0);
    EXPECT_EQ(written.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("a/b"))).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("kiv.clr")});

    ASSERT_TRUE(put(dir.filePath(QStringLiteral("plain")), "x"));
    const WriteResult blocked = AtomicFile::write(dir.filePath(QStringLiteral("plain/sub/f.txt")), "y");
    EXPECT_FALSE(blocked);
    EXPECT_EQ(blocked.step, WriteStep::Folder);
    EXPECT_EQ(blocked.errorText, blocked.describe(true));
    EXPECT_TRUE(blocked.errorText.startsWith(QStringLiteral("Could not write ") + dir.filePath(QStringLiteral("plain/sub/f.txt"))));
    EXPECT_TRUE(blocked.describe(false).endsWith(QStringLiteral(": Ist kein Verzeichnis."))) << blocked.describe(false).toStdString();
    EXPECT_EQ(contentsOf(dir.filePath(QStringLiteral("plain"))), "x");

    // A read-only folder refuses the temporary file; root may write anyway, so only the
    // message's form is checked then.
    const QString locked = dir.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(locked));
    ASSERT_TRUE(put(locked + QStringLiteral("/kiv.sin"), "old"));
    ASSERT_EQ(chmod(QFile::encodeName(locked).constData(), 0500), 0);
    const WriteResult refused = AtomicFile::write(locked + QStringLiteral("/kiv.sin"), "new");
    if (geteuid() != 0) {
        EXPECT_EQ(refused.step, WriteStep::Create);
        EXPECT_EQ(contentsOf(locked + QStringLiteral("/kiv.sin")), "old");
        EXPECT_EQ(refused.describe(false), locked + QStringLiteral("/kiv.sin konnte nicht geschrieben werden: Keine Berechtigung."));
    }
    chmod(QFile::encodeName(locked).constData(), 0700);
    EXPECT_EQ(AtomicFile::reason(EIO, false), QStringLiteral("Eingabe-/Ausgabefehler"));
    EXPECT_EQ(AtomicFile::reason(EIO, true), QStringLiteral("Input/output error"));
    EXPECT_EQ(AtomicFile::reason(ENOMSG, false), QStringLiteral("No message of desired type")) << "untranslated: English";
    // A write into the file whose old bytes could not be put back names the copy that holds them.
    const WriteResult lost{.ok = false, .errorText = {}, .path = QStringLiteral("/d/real.tle"), .step = WriteStep::Write,
                           .error = EIO, .oldCopy = QStringLiteral("/d/real.tle.kiv-old-7-9")};
    EXPECT_EQ(lost.describe(true),
              "Could not write /d/real.tle: Input/output error. Its old contents are in /d/real.tle.kiv-old-7-9.");
    EXPECT_EQ(lost.describe(false), "/d/real.tle konnte nicht geschrieben werden: Eingabe-/Ausgabefehler. "
                                    "Der alte Inhalt ist in /d/real.tle.kiv-old-7-9.");
}

TEST(AtomicFile, WritesThroughLinksAndRefusesLinksToNothingAndReadOnlyFiles)
{
    using kiv::test::FolderTree;
    const struct {
        const char* name;
        FolderTree before;
        const char* written; // the name written, relative to the folder
        WriteStep failure;   // None: the write succeeds
        FolderTree after;
        const char* english; // the message after the file's path
        const char* german;
    } cases[] = {
        {"a link beside its file",
         {{"link.tle"s, "link -> real.tle"}, {"real.tle"s, "0640 old records"}}, "link.tle", WriteStep::None,
         {{"link.tle"s, "link -> real.tle"}, {"real.tle"s, "0640 new"}}, "", ""},
        {"a link into another folder",
         {{"a/link.tle"s, "link -> ../b/real.tle"}, {"b/real.tle"s, "0604 old"}}, "a/link.tle", WriteStep::None,
         {{"a/link.tle"s, "link -> ../b/real.tle"}, {"b/real.tle"s, "0604 new"}}, "", ""},
        {"a link to a link",
         {{"first"s, "link -> second"}, {"second"s, "link -> real"}, {"real"s, "0644 old"}}, "first", WriteStep::None,
         {{"first"s, "link -> second"}, {"second"s, "link -> real"}, {"real"s, "0644 new"}}, "", ""},
        {"a link that leads nowhere",
         {{"link.tle"s, "link -> gone.tle"}}, "link.tle", WriteStep::Link,
         {{"link.tle"s, "link -> gone.tle"}},
         ": the symbolic link leads to no file.", " konnte nicht geschrieben werden: der symbolische Link führt zu keiner Datei."},
        {"a read-only file",
         {{"real.tle"s, "0444 old"}}, "real.tle", WriteStep::ReadOnly,
         {{"real.tle"s, "0444 old"}}, " is read-only.", " ist schreibgeschützt."},
        {"a link to a read-only file",
         {{"link.tle"s, "link -> real.tle"}, {"real.tle"s, "0444 old"}}, "link.tle", WriteStep::ReadOnly,
         {{"link.tle"s, "link -> real.tle"}, {"real.tle"s, "0444 old"}}, " is read-only.", " ist schreibgeschützt."},
        {"a FIFO", {{"kiv.ini"s, "fifo"}}, "kiv.ini", WriteStep::NotRegular, {{"kiv.ini"s, "fifo"}},
         ": it is not a regular file.", " konnte nicht geschrieben werden: es ist keine reguläre Datei."},
        {"a link to a FIFO", {{"kiv.ini"s, "link -> pipe"}, {"pipe"s, "fifo"}}, "kiv.ini", WriteStep::NotRegular,
         {{"kiv.ini"s, "link -> pipe"}, {"pipe"s, "fifo"}},
         ": it is not a regular file.", " konnte nicht geschrieben werden: es ist keine reguläre Datei."},
        {"a link to a character device", {{"kiv.ini"s, "link -> nul"}, {"nul"s, "char 1,3"}}, "kiv.ini",
         WriteStep::NotRegular, {{"kiv.ini"s, "link -> nul"}, {"nul"s, "char 1,3"}},
         ": it is not a regular file.", " konnte nicht geschrieben werden: es ist keine reguläre Datei."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool device = std::any_of(c.before.begin(), c.before.end(), [](const auto& e) { return e.second.starts_with("char"); });
        if (device && geteuid() != 0)
            KIV_MISSING_PREREQUISITE() << "a device node is made by root";
        QTemporaryDir dir;
        ASSERT_TRUE(kiv::test::makeFolderTree(dir.path(), c.before));
        const QString path = dir.filePath(QString::fromLatin1(c.written));
        const WriteResult result = AtomicFile::write(path, "new");
        EXPECT_EQ(result.step, c.failure);
        EXPECT_EQ(kiv::test::folderTree(dir.path()), c.after);
        if (c.failure != WriteStep::None) {
            const bool beforePath = c.failure == WriteStep::Link || c.failure == WriteStep::NotRegular;
            EXPECT_EQ(result.describe(true), (beforePath ? "Could not write " + path : path) + QString::fromUtf8(c.english));
            EXPECT_EQ(result.describe(false), path + QString::fromUtf8(c.german));
        }
    }
}

namespace {

// Ids no account of the test machine needs to have: an ordinary user and two of his groups.
constexpr uid_t kUser = 4321;
constexpr gid_t kUsersGroup = 8765;
constexpr gid_t kUsersOtherGroup = 8766;

struct stat statOf(const QString& path)
{
    struct stat file {};
    stat(QFile::encodeName(path).constData(), &file);
    return file;
}

// "owner:group mode links", e.g. "0:8765 0664 2".
std::string ownership(const QString& path)
{
    const struct stat file = statOf(path);
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", file.st_mode & 07777);
    return std::to_string(file.st_uid) + ":" + std::to_string(file.st_gid) + " " + mode + " "
        + std::to_string(file.st_nlink);
}

// The file's extended attributes, the access control list among them, as "name=value;...".
std::string attributesOf(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    char names[1024];
    const ssize_t size = listxattr(name.constData(), names, sizeof names);
    std::vector<std::string> all;
    for (ssize_t at = 0; at < size; at += ssize_t(std::strlen(names + at)) + 1)
        all.emplace_back(names + at);
    std::sort(all.begin(), all.end());
    std::string text;
    for (const std::string& attribute : all) {
        char value[256];
        const ssize_t length = getxattr(name.constData(), attribute.c_str(), value, sizeof value);
        text += attribute + "=" + QByteArray(value, int(std::max<ssize_t>(length, 0))).toHex().toStdString() + ";";
    }
    return text;
}

// An entry of an access control list as the file system keeps it, after a 4-byte version.
struct AclEntry {
    std::uint16_t tag, permissions;
    std::uint32_t id;
};

// Lets "nobody" read and write the file through its access control list (which widens the mask,
// and so the group bits, to rw-) and gives it an attribute of the user's.
bool shareWithNobody(const QString& path)
{
    using Entry = AclEntry;
    constexpr std::uint32_t kNone = 0xffffffff;
    const struct stat file = statOf(path);
    const std::uint16_t group = (file.st_mode >> 3) & 7;
    const Entry entries[] = {{0x01, std::uint16_t((file.st_mode >> 6) & 7), kNone}, {0x02, 6, 65534},
                             {0x04, group, kNone}, {0x10, 6, kNone}, {0x20, std::uint16_t(file.st_mode & 7), kNone}};
    QByteArray list;
    const std::uint32_t version = 2;
    list.append(reinterpret_cast<const char*>(&version), sizeof version);
    list.append(reinterpret_cast<const char*>(entries), sizeof entries);
    const QByteArray name = QFile::encodeName(path);
    return setxattr(name.constData(), "system.posix_acl_access", list.constData(), size_t(list.size()), 0) == 0
        && setxattr(name.constData(), "user.kept", "yes", 3, 0) == 0;
}

// Becomes the ordinary user, a member of his two groups; false when the system refuses.
bool becomeTheUser()
{
    const gid_t groups[] = {kUsersGroup, kUsersOtherGroup};
    return setgroups(2, groups) == 0 && setgid(kUsersGroup) == 0 && setuid(kUser) == 0;
}

} // namespace

TEST(AtomicFile, AReplacedFileKeepsItsOwnerGroupModeAndHardLinks)
{
    const struct {
        const char* name;
        uid_t owner;
        gid_t group;
        mode_t mode;
        bool secondName; // "other.tle" is a hard link to "real.tle"
        bool byTheUser;  // written by the ordinary user, else by root
        const char* rootsAttribute = nullptr; // an attribute the user may not set on his new file
    } cases[] = {
        {"a file with a second name", 0, 0, 0640, true, false},
        {"a user's file written by root", kUser, kUsersGroup, 0644, false, false},
        {"a user's file with a second name written by root", kUser, kUsersGroup, 0600, true, false},
        {"root's group-writable file written by a user of the group", 0, kUsersGroup, 0664, false, true},
        {"the user's own file in his other group", kUser, kUsersOtherGroup, 0640, false, true},
        {"root's group-writable file with a second name written by the user", 0, kUsersGroup, 0660, true, true},
        {"root's file of one name", 0, 0, 0640, false, false},
        {"the user's own file of one name", kUser, kUsersGroup, 0640, false, true},
        {"the user's own file with an attribute only root may set", kUser, kUsersGroup, 0640, false, true, "security.kiv"},
    };
    if (geteuid() != 0)
        KIV_MISSING_PREREQUISITE() << "files of other owners are made by root";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0777), 0) << "the user makes his temporary file";
        const QString path = dir.filePath(QStringLiteral("real.tle"));
        const QString other = dir.filePath(QStringLiteral("other.tle"));
        ASSERT_TRUE(put(path, "old records\n"));
        ASSERT_EQ(chown(QFile::encodeName(path).constData(), c.owner, c.group), 0);
        ASSERT_EQ(chmod(QFile::encodeName(path).constData(), c.mode), 0);
        ASSERT_TRUE(shareWithNobody(path));
        if (c.rootsAttribute) {
            ASSERT_EQ(setxattr(QFile::encodeName(path).constData(), c.rootsAttribute, "x", 1, 0), 0);
        }
        if (c.secondName) {
            ASSERT_EQ(link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
        }
        const std::string before = ownership(path);
        const std::string attributes = attributesOf(path);
        const ino_t inode = statOf(path).st_ino;

        const std::string report = inChild([&] {
            if (c.byTheUser && !becomeTheUser())
                return std::string("cannot become the user");
            return AtomicFile::write(path, "new records\n").errorText.toStdString();
        });
        EXPECT_EQ(report, "");
        EXPECT_EQ(ownership(path), before);
        EXPECT_EQ(attributesOf(path), attributes);
        EXPECT_EQ(contentsOf(path), "new records\n");
        if (c.secondName) {
            EXPECT_EQ(contentsOf(other), "new records\n");
        }
        const bool writersOwnFile = c.owner == (c.byTheUser ? kUser : 0) && c.group == (c.byTheUser ? kUsersGroup : 0);
        if (c.secondName || !writersOwnFile || c.rootsAttribute) {
            EXPECT_EQ(statOf(path).st_ino, inode) << "the same file, which a rename would not keep";
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), c.secondName ? 2 : 1);
    }
}

TEST(AtomicFile, AWriteIntoTheFileThatFailsMidwayPutsTheOldBytesBack)
{
    // The new bytes are whole in the temporary file before the squeeze; the old bytes fit where
    // the new ones do not.
    const QByteArray oldBytes(8192, 'o');
    const QByteArray newBytes(32768, 'n');
    const struct {
        const char* name;
        Squeeze squeeze;
        const char* english;
        const char* files;
    } cases[] = {
        {"a file-size limit of 16 KiB", Squeeze::FileSizeLimit, "File too large", "other.tle,real.tle"},
        {"a disk with room for the copy of the old bytes only", Squeeze::FullDisk, "No space left on device",
         "filler,other.tle,real.tle"},
    };
    if (geteuid() != 0)
        KIV_MISSING_PREREQUISITE() << "the full disk is a tmpfs mounted by root";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString folder = dir.path();
        const QString path = folder + QStringLiteral("/real.tle");
        const QString other = folder + QStringLiteral("/other.tle");
        const std::string report = inChild([&] {
            if (c.squeeze == Squeeze::FullDisk && !mountSmallDisk(folder))
                return std::string("no tmpfs");
            if (!put(path, oldBytes) || link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()) != 0)
                return std::string("no old file");
            const ino_t inode = statOf(path).st_ino;
            kiv::AtomicFileWriter writer(path);
            if (!writer.open() || !writer.append(newBytes.constData(), newBytes.size()))
                return std::string("no new bytes");
            if (c.squeeze == Squeeze::FileSizeLimit) {
                const rlimit limit{.rlim_cur = 16384, .rlim_max = RLIM_INFINITY};
                if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                    return std::string("no limit");
            } else if (!fillDisk(folder, oldBytes.size())) { // room for the old bytes' copy alone
                return std::string("no filler");
            }
            const WriteResult result = writer.commit();
            return std::string(result.ok ? "written" : "failed") + "|" + result.describe(true).toStdString() + "|"
                + (contentsOf(path) == oldBytes ? "old" : "changed") + "|"
                + (contentsOf(other) == oldBytes ? "old" : "changed") + "|"
                + (statOf(path).st_ino == inode ? "same file" : "another file") + "|"
                + QDir(folder).entryList(QDir::Files | QDir::Hidden).join(QLatin1Char(',')).toStdString();
        });
        EXPECT_EQ(report, "failed|Could not write " + path.toStdString() + ": " + c.english + ".|old|old|same file|"
                      + c.files);
    }
}

namespace {

// The side files beside a target whose mode lets anyone but their owner in.
std::string exposedSideFiles(const QString& folder)
{
    std::string exposed;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.kiv-*")}, QDir::Files | QDir::Hidden)) {
        if (statOf(folder + QLatin1Char('/') + name).st_mode & 0177)
            exposed += name.toStdString() + " ";
    }
    return exposed;
}

} // namespace

TEST(AtomicFile, AWriteKilledBeforeAnyChangeLeavesTheOldOrNewBytesOrAWholeCopyThatTheNextReadFinds)
{
    const QByteArray oldBytes("old records\n");
    const QByteArray newBytes("new records, one more\n");
    for (const bool secondName : {false, true}) {
        SCOPED_TRACE(secondName ? "written into a file with a second name" : "renamed over a file of one name");
        int tornAt = 0;
        for (int n = 1;; ++n) {
            SCOPED_TRACE("killed before change " + std::to_string(n));
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("real.tle"));
            const QString other = dir.filePath(QStringLiteral("other.tle"));
            ASSERT_TRUE(put(path, oldBytes));
            ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0644), 0);
            if (secondName) {
                ASSERT_EQ(link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
            }
            std::string exposed;
            std::size_t takenForGone = 0;
            bool started = false;
            const bool killed = kiv::test::runUntilKilled(
                [&] { AtomicFile::write(path, newBytes); },
                [&](const kiv::test::FileChange& change) {
                    if (change.syscall == SYS_write)
                        exposed += exposedSideFiles(dir.path());
                    takenForGone += kiv::sideFiles::leftBehind(QFile::encodeName(path).toStdString()).size();
                    return change.count == n;
                },
                &started);
            ASSERT_TRUE(started) << "no seccomp listener";
            EXPECT_EQ(exposed, "") << "bytes went into a side file that others may read";
            EXPECT_EQ(takenForGone, 0u) << "a side file of the running writer was taken for one left behind";

            const std::vector<kiv::CutOffWrite::Offer> offers = kiv::CutOffWrite::find(path);
            const QByteArray now = contentsOf(path);
            QStringList expectedFiles{QStringLiteral("real.tle")};
            if (secondName) {
                expectedFiles << QStringLiteral("other.tle");
                EXPECT_EQ(contentsOf(other), now);
            }
            if (offers.empty()) {
                EXPECT_TRUE(now == oldBytes || now == newBytes) << now.toStdString();
            } else {
                tornAt = n;
                ASSERT_EQ(offers.size(), 1u);
                EXPECT_EQ(offers[0].kind, kiv::CutOffWrite::Kind::Torn);
                EXPECT_EQ(contentsOf(offers[0].copy), oldBytes) << "a whole copy of the old bytes";
                EXPECT_EQ(contentsOf(offers[0].newCopy), newBytes) << "and of the new ones";
                EXPECT_TRUE(now != oldBytes && now != newBytes) << "a copy is offered only for a torn file";
                expectedFiles << offers[0].settles;
            }
            for (QString& file : expectedFiles)
                file = QFileInfo(file).fileName();
            expectedFiles.sort();
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), expectedFiles);
            if (!killed) {
                EXPECT_EQ(now, newBytes) << "the whole write";
                break;
            }
        }
        EXPECT_EQ(tornAt != 0, secondName) << "only a write into the file itself can tear it";
    }
}

TEST(AtomicFile, ACopyThatACutOffWriteLeftIsOfferedBackInTheUsersLanguage)
{
    using enum kiv::MessageAnswer;
    const pid_t gone = 999999999; // above any process id the system gives
    enum Setup { Plain, RunningId, LockedByWriter, NewBytesBeside, ReadOnly, LongTorn };
    const struct {
        const char* name;
        Setup setup;
        bool english;
        kiv::MessageAnswer answer;
        const char* fileAfter;
        bool copiesStay;
    } cases[] = {
        {"Yes puts the old bytes back", Plain, true, Yes, "old records\n", false},
        {"No keeps the file and deletes the copy", Plain, false, No, "torn", false},
        {"Cancel leaves both to be asked again", Plain, true, Cancel, "torn", true},
        {"a writer's id that a running process has, with its lock free", RunningId, true, Yes, "old records\n", false},
        {"the copies of a writer that holds their locks are not asked about", LockedByWriter, true, Yes, "torn", true},
        {"beside the new bytes Yes finishes the write", NewBytesBeside, false, Yes, "new records\n", false},
        {"beside the new bytes No puts the old bytes back", NewBytesBeside, true, No, "old records\n", false},
        {"a put-back into a read-only file fails and keeps the copy", ReadOnly, true, Yes, "torn", true},
        {"a torn file of 96 KiB whose first 64 KiB are the temporary's", LongTorn, true, Yes, "old records\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("real.tle"));
        const pid_t writer = c.setup == RunningId ? 1 : gone;
        const QString temporary = path + QStringLiteral(".kiv-%1-8").arg(writer);
        const QString copy = path + QStringLiteral(".kiv-old-%1-7").arg(writer);
        const QString newCopy = path + QStringLiteral(".kiv-new-%1-9").arg(writer);
        const bool newBytes = c.setup == NewBytesBeside, readOnly = c.setup == ReadOnly, asked = c.setup != LockedByWriter;
        const QByteArray temporaryBytes = c.setup == LongTorn ? QByteArray(96 * 1024, 'n') : QByteArray("a temporary of the new bytes");
        ASSERT_TRUE(put(path, c.setup == LongTorn ? temporaryBytes.left(64 * 1024).leftJustified(96 * 1024, '\0') : "torn"));
        ASSERT_TRUE(put(copy, "old records\n") && put(temporary, temporaryBytes));
        ASSERT_TRUE(!newBytes || put(newCopy, "new records\n"));
        std::vector<kiv::FileLock> locks;
        for (const QString& side : asked ? QStringList() : QStringList{copy, temporary})
            locks.push_back(kiv::FileLock::take(QFile::encodeName(side).toStdString(), kiv::FileLock::Kind::Exclusive));
        ASSERT_TRUE(!readOnly || chmod(QFile::encodeName(path).constData(), 0444) == 0);
        kiv::test::ScriptedMessageBoxes boxes;
        boxes.queueAnswer(c.answer);
        EXPECT_EQ(kiv::CutOffWrite().offer(boxes, c.english, path).restored, asked && c.answer != Cancel && std::string(c.fileAfter) != "torn");
        EXPECT_EQ(contentsOf(path), c.fileAfter);
        EXPECT_EQ(QFile::exists(copy), c.copiesStay);
        EXPECT_EQ(QFile::exists(newCopy), c.copiesStay && newBytes);
        EXPECT_EQ(QFile::exists(temporary), !asked) << "a gone writer's temporary is worth nothing";
        ASSERT_EQ(boxes.texts().size(), asked ? 1u + readOnly : 0u);
        if (asked) {
            const QString text = boxes.texts()[0];
            EXPECT_TRUE(text.startsWith(c.english ? "Kiv was ended while it was writing " + path
                                                  : "Kiv wurde beendet, während es " + path + " schrieb"))
                << text.toStdString();
            EXPECT_TRUE(text.contains(copy)) << "where the old contents are";
            EXPECT_EQ(text.contains(newCopy), newBytes) << "and the new ones";
            EXPECT_EQ(boxes.shown()[0].defaultButton, Yes) << "Return makes the file whole";
        }
    }
}

namespace {

// A new folder's "real.tle" with `bytes` in it, and "other.tle" a second name of it.
struct TwoNames {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("real.tle")), other = dir.filePath(QStringLiteral("other.tle"));
    bool made(const QByteArray& bytes) const
    {
        return put(path, bytes) && link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()) == 0;
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

void setModified(const QString& path, std::time_t when)
{
    const timespec times[2] = {{when, 0}, {when, 0}};
    utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

// Return at every box of each read, read after read, until one asks nothing.
void returnAtEveryBox(const QString& path)
{
    for (int start = 0; start < 4; ++start) {
        kiv::test::ScriptedMessageBoxes boxes;
        kiv::CutOffWrite().offer(boxes, true, path);
        if (boxes.shown().empty())
            return;
    }
}

using Rights = std::map<std::string, unsigned>;

// What each user ("u<id>") and group ("g<id>") and the others ("o") may do with a file (rwx bits),
// from its access control list where it has one, whose mask the group bits of the mode hold.
Rights rightsOf(const QString& path)
{
    const struct stat file = statOf(path);
    const std::string group = "g" + std::to_string(file.st_gid);
    const unsigned mask = (file.st_mode >> 3) & 7;
    Rights rights = {{"u" + std::to_string(file.st_uid), (file.st_mode >> 6) & 7}, {group, mask}, {"o", file.st_mode & 7}};
    char list[4 + 16 * sizeof(AclEntry)];
    const ssize_t size = getxattr(QFile::encodeName(path).constData(), "system.posix_acl_access", list, sizeof list);
    for (ssize_t at = 4; at + ssize_t(sizeof(AclEntry)) <= size; at += sizeof(AclEntry)) {
        AclEntry e;
        std::memcpy(&e, list + at, sizeof e);
        if (e.tag == 0x02 || e.tag == 0x04 || e.tag == 0x08)
            rights[e.tag == 0x04 ? group : (e.tag == 0x02 ? "u" : "g") + std::to_string(e.id)] = e.permissions & mask;
    }
    return rights;
}

// The rights `now` grants beyond `allowed`, where one not named has the others' rights.
std::string widened(const Rights& now, const Rights& allowed)
{
    std::string beyond;
    for (const auto& [who, bits] : now) {
        if (bits & ~(allowed.contains(who) ? allowed.at(who) : allowed.at("o")))
            beyond += who + "=" + std::to_string(bits) + " ";
    }
    return beyond;
}

} // namespace

TEST(AtomicFile, AfterACancelAndAWholeWriteTheCopyIsOfferedAsEarlierWithBothDatesAndReturnKeepsTheFile)
{
    for (const bool english : {true, false}) {
        // In German the whole write is killed once the file is whole, before it settles the copy.
        SCOPED_TRACE(english ? "English" : "German");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("real.tle"));
        const QString copy = path + QStringLiteral(".kiv-old-999999999-7");
        ASSERT_TRUE(put(path, "torn") && put(copy, "old records\n"));
        setModified(copy, 1614859200); // 2021-03-04 12:00 UTC
        kiv::CutOffWrite thisRun;
        kiv::test::ScriptedMessageBoxes boxes;
        boxes.queueAnswer(kiv::MessageAnswer::Cancel);
        thisRun.offer(boxes, english, path);
        kiv::test::runUntilKilled([&] { AtomicFile::write(path, "new records\n"); },
                                  [&](const kiv::test::FileChange&) { return !english && contentsOf(path) == "new records\n"; });
        ASSERT_EQ(contentsOf(path), "new records\n");
        setModified(path, 1654603200); // 2022-06-07 12:00 UTC
        thisRun.offer(boxes, english, path);
        EXPECT_EQ(boxes.shown().size(), 1u) << "not asked again in the same run";
        kiv::test::ScriptedMessageBoxes nextStart;
        kiv::CutOffWrite().offer(nextStart, english, path);
        ASSERT_EQ(nextStart.shown().size(), 1u);
        const QString text = nextStart.texts()[0];
        EXPECT_TRUE(text.startsWith(path + (english ? " has been written whole since Kiv was ended while writing it"
                                                    : " wurde vollständig geschrieben, nachdem Kiv beim Schreiben")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("2022-06-07")) && text.contains(QStringLiteral("2021-03-04")));
        EXPECT_FALSE(text.contains(QStringLiteral("incomplete")) || text.contains(QStringLiteral("unvollständig")));
        EXPECT_EQ(nextStart.shown()[0].defaultButton, kiv::MessageAnswer::No);
        EXPECT_EQ(contentsOf(path), "new records\n") << "Return keeps the file";
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("real.tle")});
    }
}

TEST(AtomicFile, AnotherProgramsWriteIsNeitherOverwrittenByAPutBackNorReadWithoutAWord)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("real.tle"));
    ASSERT_TRUE(put(path, "torn") && put(path + QStringLiteral(".kiv-old-999999999-7"), "old records\n"));
    kiv::test::ScriptedMessageBoxes boxes;
    boxes.queueAnswer(kiv::MessageAnswer::Yes);
    boxes.whenShown([&](const kiv::MessageRequest& box) {
        ASSERT_TRUE(box.buttons != kiv::MessageButtons::YesNoCancel || AtomicFile::write(path, "another program's records\n"));
    });
    EXPECT_FALSE(kiv::CutOffWrite().offer(boxes, true, path).restored) << "written while the box was open";
    EXPECT_EQ(contentsOf(path), "another program's records\n");
    ASSERT_EQ(boxes.texts().size(), 2u);
    EXPECT_EQ(boxes.texts()[1], path + " was written by another program while this box was open, so nothing was put back.");

    const kiv::FileLock writing = kiv::FileLock::take(QFile::encodeName(path).toStdString(), kiv::FileLock::Kind::Exclusive);
    ASSERT_EQ(writing.state(), kiv::FileLock::State::Held);
    const kiv::TerminationLatch latch;
    kiv::TerminationLatch::raise(); // no waiting for the other writer
    const WriteResult written = AtomicFile::write(path, "new");
    EXPECT_EQ(written.step, WriteStep::Busy);
    EXPECT_EQ(written.describe(false), path + " konnte nicht geschrieben werden: ein anderes Programm schreibt sie gerade.");
    EXPECT_EQ(contentsOf(path), "another program's records\n");
    kiv::test::ScriptedMessageBoxes reading;
    kiv::CutOffWrite().offer(reading, true, path);
    EXPECT_EQ(reading.texts(), std::vector<QString>{"Another program is writing " + path
                                                    + " at the moment, so what is read from it now may be incomplete."});
}

TEST(AtomicFile, APutBackKilledAtAnyStepThenReturnAtEveryBoxLeavesTheOldOrNewBytesWhole)
{
    const QByteArray oldBytes = kOldProfile;
    const QByteArray newBytes = kOldProfile + "[Neu]\nTaste=1\n";
    for (const kiv::MessageAnswer answer : {kiv::MessageAnswer::Yes, kiv::MessageAnswer::No}) {
        SCOPED_TRACE(answer == kiv::MessageAnswer::Yes ? "finishing the write" : "putting the old bytes back");
        for (int n = 1;; ++n) {
            SCOPED_TRACE("killed before change " + std::to_string(n));
            const TwoNames names;
            const QString& path = names.path;
            ASSERT_TRUE(names.made(oldBytes));
            const std::string target = QFile::encodeName(path).toStdString();
            kiv::test::runUntilKilled([&] { AtomicFile::write(path, newBytes); },
                                      [&](const kiv::test::FileChange& change) {
                                          return change.syscall == SYS_write && change.file == target;
                                      });
            ASSERT_EQ(kiv::CutOffWrite::find(path).size(), 1u) << "torn";
            const bool killed = kiv::test::runUntilKilled(
                [&] {
                    kiv::test::ScriptedMessageBoxes boxes;
                    boxes.queueAnswer(answer);
                    kiv::CutOffWrite().offer(boxes, true, path);
                },
                [&](const kiv::test::FileChange& change) { return change.count == n; });
            for (const QString& copy : QDir(names.dir.path()).entryList({QStringLiteral("*.kiv-old-*")}, QDir::Files))
                EXPECT_EQ(contentsOf(names.dir.filePath(copy)), oldBytes) << "a copy under an old copy's name is whole";
            returnAtEveryBox(path);
            const QByteArray now = contentsOf(path);
            EXPECT_TRUE(now == oldBytes || now == newBytes) << now.size() << " bytes";
            EXPECT_EQ(contentsOf(names.other), now);
            EXPECT_EQ(names.files(), QStringList({QStringLiteral("other.tle"), QStringLiteral("real.tle")}));
            if (!killed) {
                EXPECT_EQ(now, answer == kiv::MessageAnswer::Yes ? newBytes : oldBytes);
                break;
            }
        }
    }
}

TEST(AtomicFile, TwoWritersOfOneFileAtOnceLeaveOneOfTheirVersionsWhole)
{
    const TwoNames names;
    const QString &path = names.path, &other = names.other;
    ASSERT_TRUE(names.made("start"));
    const QByteArray versions[] = {QByteArray(300000, 'A'), QByteArray(200000, 'B')};
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        EXPECT_TRUE(kiv::test::allTogether(2, [&](int i) { return AtomicFile::write(i ? path : other, versions[i]).ok; }));
        const QByteArray now = contentsOf(path);
        EXPECT_TRUE(now == versions[0] || now == versions[1]) << now.count('A') << " A, " << now.count('B') << " B";
        EXPECT_EQ(contentsOf(other), now);
    }
    EXPECT_EQ(names.files(), QStringList({QStringLiteral("other.tle"), QStringLiteral("real.tle")}));

    // Renamed over one after the other, the file is another file under its name after each write:
    // a writer that waited for the old one's lock must still be the only one to check and write.
    const QString count = names.dir.filePath(QStringLiteral("count"));
    ASSERT_TRUE(put(count, "0"));
    EXPECT_TRUE(kiv::test::allTogether(3, [&](int) {
        for (int i = 0; i < 30; ++i) {
            kiv::AtomicFileWriter writer(count);
            const QByteArray next = QByteArray::number(writer.open() ? contentsOf(count).toInt() + 1 : -1);
            usleep(2000); // a while under the lock, for another writer to see through it if it could
            if (!writer.append(next.constData(), next.size()) || !writer.commit())
                return false;
        }
        return true;
    }));
    EXPECT_EQ(contentsOf(count), "90") << "each writer saw the bytes it replaced";
}

TEST(AtomicFile, EachStepIsSyncedBeforeWhatReliesOnItAndNoneGrantsMoreThanTheOldFile)
{
    // What must be synced since it last changed before a step.
    std::map<std::string, std::vector<std::string>> syncedBefore = {
        {"rename temporary", {"temporary"}}, {"rename copy", {"copy"}}, {"ftruncate target", {"temporary", "folder"}},
        {"unlink copy", {"target"}}, {"done", {"folder"}}};
    const struct {
        const char* name;
        int names;        // 0: a new file
        const char* path; // a step of its path alone
    } cases[] = {
        {"a file of one name with an access control list", 1, "rename temporary"},
        {"a file with a second name and an access control list", 2, "unlink copy"},
        {"a new file under the umask 027", 0, "rename temporary"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("real.tle"));
        const QByteArray name = QFile::encodeName(path);
        Rights allowed = {{"u" + std::to_string(geteuid()), 6}, {"g" + std::to_string(getegid()), 4}, {"o", 0}};
        if (c.names > 0) {
            ASSERT_TRUE(put(path, "old records\n") && chmod(name.constData(), 0644) == 0 && shareWithNobody(path));
            ASSERT_TRUE(c.names == 1 || link(name.constData(), (name + "2").constData()) == 0);
            allowed = rightsOf(path);
        }
        const std::string folder = QFile::encodeName(QFileInfo(dir.path()).canonicalFilePath()).toStdString();
        std::string temporary, steps = "steps:"; // the temporary is the first side file changed, any other the copy
        std::set<std::string> unsynced;
        const auto take = [&](const std::string& step) {
            steps += " " + step + ",";
            const std::string call = step.substr(0, step.find(' ')), role = step.substr(step.find(' ') + 1);
            for (const std::string& needed : syncedBefore[step])
                EXPECT_FALSE(unsynced.contains(needed)) << steps << " before the " << needed << " was synced";
            if (call == "write" || call == "ftruncate")
                unsynced.insert(role);
            else if (call == "fsync")
                unsynced.erase(role);
            else if (call == "rename")
                unsynced.insert("folder");
        };
        bool started = false;
        kiv::test::runUntilKilled(
            [&] { umask(027), AtomicFile::write(path, "new records\n"); },
            [&](const kiv::test::FileChange& change) {
                const std::string file = change.file.substr(change.file.rfind('/') + 1);
                if (temporary.empty() && file.find(".kiv-") != std::string::npos)
                    temporary = file;
                for (const QString& each : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
                    EXPECT_EQ(widened(rightsOf(dir.filePath(each)), allowed), "") << each.toStdString() << " after " << steps;
                take(kiv::test::callName(change.syscall) + " "
                     + (change.file == folder ? "folder" : file == "real.tle" ? "target" : file == temporary ? "temporary" : "copy"));
                return false;
            },
            &started);
        ASSERT_TRUE(started) << "no seccomp listener";
        take("done");
        EXPECT_EQ(rightsOf(path), allowed);
        EXPECT_NE(steps.find(c.path), std::string::npos) << steps;
    }
}
