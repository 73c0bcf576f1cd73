// Settings archives with the real main frame: views closed and reopened as the file says, their
// frames back where they were, the commands enabled.
#include "tests/app/ShellFixture.h"
#include "resources/CommandIds.h"
#include "views2d/CWDBView.h"

#include <QFile>

using namespace kiv;
using namespace kiv::test;

namespace {
const char* kOnlyMap = "[Allgemein]\nSatellitenfilename=sats.tle\nShow3D=FALSE\nShow2D=TRUE\nShowWDB=FALSE\nShowObs=FALSE\n";
}

TEST_F(ShellTest, SaveAndRestoreAreEnabledAndRunFromTheMenu)
{
    start();
    EXPECT_TRUE(menuItem(kCmdSaveSettings)->isEnabled());
    EXPECT_TRUE(menuItem(kCmdRestoreSettings)->isEnabled());
    ui_.messages.clear();
    ui_.files.queueAnswer(path("menu.set"));
    EXPECT_TRUE(run(kCmdSaveSettings));
    EXPECT_TRUE(QFile::exists(path("menu.set")));
    ui_.files.queueAnswer(path("menu.set"));
    EXPECT_TRUE(run(kCmdRestoreSettings));
    for (const QString& text : ui_.messages.texts())
        EXPECT_FALSE(text.contains("settings file")) << text.toStdString();
}

TEST_F(ShellTest, RestoreOpensExactlyTheSavedViewsWhereTheyWere)
{
    start(kOnlyMap);
    frame().setGeometry(50, 20, 700, 600); // on the offscreen platform's screen of 800 x 800
    ASSERT_TRUE(doc().Views.map());
    ASSERT_FALSE(doc().Views.world());
    const QRect saved(30, 40, 400, 300);
    frame().PlaceViewFrame(ViewKind::Map, 1, saved);
    const QRect placed = *frame().ViewFrameGeometry(ViewKind::Map);
    ASSERT_TRUE(doc().SaveSettingsArchive(path("map.set")));

    run(kCmdView3D);
    run(kCmdViewObs);
    run(kCmdViewWdb);
    frame().PlaceViewFrame(ViewKind::Map, 1, QRect(0, 0, 100, 100));
    frame().move(0, 0);
    ASSERT_EQ(frame().ChildFrames().size(), 4u);

    ui_.messages.clear();
    ASSERT_TRUE(doc().RestoreSettingsArchive(path("map.set")));
    for (const QString& text : ui_.messages.texts())
        EXPECT_FALSE(text.contains("settings file")) << text.toStdString();
    EXPECT_EQ(frame().frameGeometry(), QRect(50, 20, 700, 600));
    EXPECT_EQ(frame().ChildFrames().size(), 1u);
    EXPECT_TRUE(doc().Views.map());
    EXPECT_FALSE(doc().Views.world() || doc().Views.obs() || doc().Views.wdbCount());
    EXPECT_EQ(doc().Show2D, 1);
    EXPECT_EQ(doc().Show3D + doc().ShowObs + doc().ShowWDB, 0);
    EXPECT_EQ(frame().ViewFrameGeometry(ViewKind::Map), placed);
}

TEST_F(ShellTest, ThreeWDBViewsComeBack)
{
    start();
    doc().AddWDBView(false);
    doc().AddWDBView(false);
    ASSERT_EQ(doc().Views.wdbCount(), 3);
    // Each its own region, picture size and colours.
    for (int slot = 1; slot <= 3; ++slot) {
        auto* view = dynamic_cast<CWDBView*>(doc().Views.wdb(slot));
        ASSERT_NE(view, nullptr);
        view->ShowRegion(QRectF(10.0 * slot, 40.0, -20.0 * slot, -30.0), QSize(200 + slot, 150 + slot));
        WDBColorTable colors = view->Map().colors();
        colors.colors[4] = rgb(slot, 2 * slot, 3 * slot);
        colors.widths[4] = slot;
        view->SetColors(colors);
    }
    std::vector<WDBArchiveState> saved;
    for (int slot = 1; slot <= 3; ++slot)
        saved.push_back(doc().Views.wdb(slot)->ArchiveState());
    EXPECT_NE(saved[0], saved[1]);
    ASSERT_TRUE(doc().SaveSettingsArchive(path("wdb.set")));
    run(kCmdViewWdb);
    ASSERT_EQ(doc().Views.wdbCount(), 0);
    ASSERT_TRUE(doc().RestoreSettingsArchive(path("wdb.set")));
    EXPECT_EQ(doc().Views.wdbCount(), 3);
    for (int slot = 1; slot <= std::min(3, doc().Views.wdbCount()); ++slot)
        EXPECT_EQ(doc().Views.wdb(slot)->ArchiveState(), saved[static_cast<std::size_t>(slot - 1)]) << "view " << slot;
    EXPECT_EQ(doc().ShowWDB, 1);
    EXPECT_TRUE(doc().Views.world() && doc().Views.map() && doc().Views.obs());
}

TEST_F(ShellTest, ADamagedFileLeavesTheViewsAndTheTimerAlone)
{
    start();
    ASSERT_TRUE(doc().SaveSettingsArchive(path("all.set")));
    QFile file(path("all.set"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    writeFile("cut.set", bytes.left(bytes.size() - 10).toStdString());
    run(kCmdView2D);
    const std::size_t frames = frame().ChildFrames().size();
    EXPECT_FALSE(doc().RestoreSettingsArchive(path("cut.set")));
    EXPECT_EQ(frame().ChildFrames().size(), frames);
    EXPECT_EQ(doc().Show2D, 0);
    EXPECT_TRUE(frame().updatesEnabled());
}
