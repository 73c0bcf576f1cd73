// The command line and dropped files: one document, ever.
#include "app/CommandLine.h"
#include "resources/CommandIds.h"
#include "tests/app/ShellFixture.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

using namespace kiv;
using namespace kiv::test;

TEST(CommandLine, EmbeddingSwitchesAndOtherFilesAreIgnored)
{
    for (const char* arg : {"-e", "-Embedding", "-e.tle", "-Esats.tle", "/e", "", "-x", "/x", "notes.txt", "settings.set"})
        EXPECT_EQ(classifyOpenRequest(QString::fromLatin1(arg)), OpenRequest::Ignore) << arg;
    for (const char* arg : {"some.tle", "SOME.TLE", "/tmp/a.Sat", "x.sat", "/etc/sats.tle", "/export/home/me/x.tle", "/E.tle"})
        EXPECT_EQ(classifyOpenRequest(QString::fromLatin1(arg)), OpenRequest::ElementFile) << arg;
    EXPECT_EQ(firstArgument({"kiv"}), QString());
    EXPECT_EQ(firstArgument({"kiv", "a.tle", "b.tle"}), QStringLiteral("a.tle"));
}

TEST_F(ShellTest, AnElementFileLoadsIntoTheOneDocument)
{
    start();
    CKivDoc* before = &doc();
    writeFile("more.tle", satelliteFile(5));
    app_->OpenFile(path("more.tle"));
    EXPECT_EQ(&doc(), before);
    EXPECT_EQ(doc().SatelliteCount, 5);
    EXPECT_EQ(doc().Satellitenfilename, QFileInfo(path("more.tle")).absoluteFilePath());
    EXPECT_EQ(frame().ToolBar()->actions().size(), 10 + 5);

    app_->OpenFile(path("notes.txt"));
    app_->OpenFile(QStringLiteral("-e"));
    EXPECT_EQ(doc().SatelliteCount, 5);
}

TEST_F(ShellTest, NewDoesNothingWhileTheDocumentExists)
{
    start();
    CKivDoc* before = &doc();
    const auto frames = frame().ChildFrames().size();
    EXPECT_TRUE(run(kCmdFileNew));
    EXPECT_EQ(&doc(), before);
    EXPECT_EQ(frame().ChildFrames().size(), frames);
}

TEST_F(ShellTest, ADroppedElementFileTakesTheSamePath)
{
    start();
    CKivDoc* before = &doc();
    writeFile("dropped.SAT", satelliteFile(4));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path("dropped.SAT"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame(), &drop);
    EXPECT_EQ(&doc(), before);
    EXPECT_EQ(doc().SatelliteCount, 4);

    mime.setUrls({QUrl::fromLocalFile(path("picture.bmp"))});
    QDropEvent ignored(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame(), &ignored);
    EXPECT_EQ(doc().SatelliteCount, 4);
}
