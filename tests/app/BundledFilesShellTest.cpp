// Files of the bundled data folder picked by their full paths, in a temporary copy of that folder
// named by KIV_DATA_DIR: what the user changes goes to the user data folder, and the program
// shows it, also after a restart; the bundled files stay as they were.
#include "tests/app/ShellFixture.h"

#include "dialogs/CSatDlg.h"
#include "dialogs/DialogCommands.h"
#include "resources/CommandIds.h"
#include "tests/support/WidgetChild.h"

#include <QDir>
#include <QFile>
#include <QTreeWidget>

#include <map>

using namespace kiv;
using namespace kiv::test;

namespace {

class BundledFilesTest : public ShellTest {
protected:
    BundledFilesTest()
    {
        QDir().mkpath(path("data"));
        for (const char* name : {"intelsat.tle", "kiv.clr", "kiv.sin"})
            QFile::copy(QStringLiteral(KIV_BUILD_DATA_DIR "/") + name, path("data/") + name);
        environment_.set("KIV_DATA_DIR", path("data").toStdString());
        environment_.set("XDG_DATA_HOME", path("share").toStdString());
        paths_ = DataPaths::fromEnvironment();
        bundled_ = bytesOfFolder(path("data"));
    }

    static std::map<QString, QByteArray> bytesOfFolder(const QString& folder)
    {
        std::map<QString, QByteArray> files;
        for (const QString& name : QDir(folder).entryList(QDir::Files)) {
            QFile file(folder + QLatin1Char('/') + name);
            files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }
        return files;
    }

    ScopedEnvironment environment_;
    std::map<QString, QByteArray> bundled_;
};

} // namespace

TEST_F(BundledFilesTest, ARecordDeletedFromTheBundledElementFileOpenedByItsFullPathIsGone)
{
    start();
    ui_.files.queueAnswer(path("data/intelsat.tle"));
    ASSERT_TRUE(run(kCmdOpenLocal));
    ASSERT_EQ(doc().SatelliteCount, 21);
    commands::editSatelliteData(doc(), [&] {
        CSatDlg dialog(doc(), *CSatDlg::readRecords(doc()));
        QTreeWidget* tree = child<QTreeWidget>(dialog, "1111");
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        EXPECT_EQ(tree->currentItem()->text(0), "1 -> COMS 1");
        ui_.messages.queueAnswer(MessageAnswer::Yes);
        dialog.OnDelete();
        dialog.accept();
        return dialog.Written();
    });
    EXPECT_EQ(doc().SatelliteCount, 20);
    EXPECT_FALSE(doc().SatelliteNames().contains(QStringLiteral("COMS 1")));
    EXPECT_TRUE(frame().windowTitle().contains(QStringLiteral("(20 satellites in buffer)")))
        << frame().windowTitle().toStdString();
    EXPECT_EQ(bytesOfFolder(path("data")), bundled_);
    EXPECT_EQ(bytesOfFolder(paths_.userDataDirectory()).size(), 1u);
}

TEST_F(BundledFilesTest, AClockColourOfTheBundledColourTablePickedByItsFullPathOutlastsARestart)
{
    start();
    commands::editGeneralOptions(doc(), [&](GeneralOptions o) {
        o.ColorTableFileName = path("data/kiv.clr");
        return std::optional(o);
    });
    const Rgba changed{0.25f, 0.5f, 0.75f, 1.0f};
    ASSERT_NE(doc().ClockColors[0][6], changed);
    doc().ClockColors[0][6] = changed; // as the time dialog's colour button does, and then saves
    ASSERT_TRUE(doc().SaveColorTable());
    ASSERT_TRUE(frame().close());
    app_.reset();

    start(readFile("kiv.ini").toStdString());
    EXPECT_EQ(doc().ColorTableFileName, path("data/kiv.clr"));
    EXPECT_EQ(doc().ClockColors[0][6], changed);
    EXPECT_EQ(bytesOfFolder(path("data")), bundled_);
}
