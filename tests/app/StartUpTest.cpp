// Start-up, splash, About and closing.
#include "app/CAboutDlg.h"
#include "app/CSplashWnd.h"
#include "imaging/PictureLoader.h"
#include "resources/CommandIds.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/Deadline.h"
#include "tests/support/FolderTree.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <unistd.h>

using namespace kiv;
using namespace kiv::test;

namespace {

void waitFor(const std::function<bool()>& done, int ms = 3000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

} // namespace

TEST_F(ShellTest, WithoutRememberedFlagsAllFourViewsOpenInTheFourViewLayout)
{
    start();
    ASSERT_EQ(frame().ChildFrames().size(), 4u);
    EXPECT_TRUE(doc().Show3D && doc().Show2D && doc().ShowWDB && doc().ShowObs);
    const QSize extras = frame().ViewFrameExtras();
    const int s = frame().DesktopWidth() * 50 / 200;
    const QSize wide = QSize(2 * s, s) + extras;
    EXPECT_EQ(frame().ViewFrameGeometry(ViewKind::Map), QRect(QPoint(0, 0), wide));
    EXPECT_EQ(frame().ViewFrameGeometry(ViewKind::WDB), QRect(QPoint(0, wide.height()), wide));
    EXPECT_EQ(frame().ViewFrameGeometry(ViewKind::World)->topLeft(), QPoint(wide.width(), 0));
    EXPECT_EQ(frame().ViewFrameGeometry(ViewKind::Obs)->topLeft(), QPoint(wide.width(), wide.height()));
    EXPECT_EQ(frame().pos(), QPoint(s / 2, 10));
}

TEST_F(ShellTest, MainWindowStaysHiddenAndStillUntilTheSplashGoes)
{
    // No globe: the offscreen platform has no GL to show it with.
    profile_.parse("[Allgemein]\nSatellitenfilename=sats.tle\nShow3D=FALSE\nShowWDB=FALSE\nShowObs=FALSE\n");
    app_ = std::make_unique<CKivApp>(services_, profile_, paths_);
    app_->InitInstance({"kiv"}, 200);
    ASSERT_NE(app_->Splash(), nullptr);
    EXPECT_TRUE(app_->Splash()->isVisible());
    EXPECT_FALSE(frame().isVisible());
    EXPECT_FALSE(frame().TimerRunning());
    EXPECT_TRUE(frame().StatusLabel(StatusPane::Clock)->text().isEmpty()); // no step has run

    const QStringList lines = app_->Splash()->Lines();
    EXPECT_EQ(lines.at(0), QStringLiteral("Kiv Version 2.41"));
    EXPECT_EQ(lines.at(2), QStringLiteral("Last Updated"));
    const QColor c = app_->Splash()->TextColor();
    EXPECT_TRUE(c == QColor(255, 0, 0) || c == QColor(0, 255, 0) || c == QColor(0, 0, 255));

    waitFor([&] { return frame().isVisible(); });
    EXPECT_EQ(app_->Splash(), nullptr);
    EXPECT_TRUE(frame().TimerRunning());
    waitFor([&] { return !frame().StatusLabel(StatusPane::Clock)->text().isEmpty(); });
    EXPECT_FALSE(frame().StatusLabel(StatusPane::Clock)->text().isEmpty());
}

TEST(Splash, ItsLinesAreWrittenOnDarkSkyInsideThePicture)
{
    const QImage picture = PictureLoader::splashPicture();
    ASSERT_FALSE(picture.isNull());
    const CSplashWnd splash(picture);
    const QList<QRect> rects = splash.LineRects();
    ASSERT_EQ(rects.size(), 4);
    for (const QRect& r : rects) {
        EXPECT_TRUE(picture.rect().contains(r)) << r.x() << "," << r.y();
        int bright = 0; // nothing of the picture's own but a star here and there
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                bright += qGray(picture.pixel(x, y)) > 100;
        EXPECT_LT(bright, r.width() * r.height() / 50) << r.x() << "," << r.y();
    }
}

TEST_F(ShellTest, AboutBoxAndItsInfoText)
{
    start();
    ui_.messages.clear(); // the loaders' notes on missing colour, icon and town files
    CAboutDlg english(ui_.messages, 1);
    EXPECT_EQ(english.findChild<QLabel*>("1380")->text(), QStringLiteral("Kiv, Version 2.41"));
    EXPECT_TRUE(english.findChild<QLabel*>("1381")->text().startsWith("Last update "));
    english.findChild<QPushButton*>("10")->click();
    ASSERT_EQ(ui_.messages.shown().size(), 1u);
    EXPECT_EQ(ui_.messages.shown()[0].caption, QStringLiteral("Info"));
    EXPECT_TRUE(ui_.messages.shown()[0].text.startsWith("Kiv shows satellites"));
    char version[256] = {};
    CSGP4_SDP4::GetVersion(version, sizeof version);
    EXPECT_TRUE(ui_.messages.shown()[0].text.endsWith(QString::fromLatin1(version)));

    CAboutDlg german(ui_.messages, 0);
    german.OnInfo();
    EXPECT_TRUE(ui_.messages.shown()[1].text.startsWith("Kiv zeigt Satelliten"));
    CAboutDlg noDocument(ui_.messages, -1);
    noDocument.OnInfo();
    EXPECT_TRUE(ui_.messages.shown()[2].text.startsWith("Kiv shows satellites"));
}

TEST_F(ShellTest, ClosingSavesTheOpenViewsAndThePausedFactorThenDropsTheDocument)
{
    start("[Allgemein]\nSatellitenfilename=sats.tle\nTimeFactor=60\n");
    run(kCmdViewObs); // observer closed
    run(kCmdPause); // paused
    EXPECT_EQ(doc().TimeFactor, 0);
    // Meanwhile another program changed one of Kiv's keys, the recent files and added a section.
    writeFile("kiv.ini", "[Recent File List]\nFile1=/data/a.set\n[Allgemein]\nShowObs=TRUE\n[Fremd]\nk=v\n");
    frame().close();
    EXPECT_EQ(app_->Document(), nullptr);
    EXPECT_FALSE(frame().TimerRunning());
    EXPECT_TRUE(frame().ChildFrames().empty());
    QFile file(profile_.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("Show3D=TRUE"));
    EXPECT_TRUE(text.contains("ShowObs=FALSE"));
    EXPECT_TRUE(text.contains("TimeFactor=60"));
    EXPECT_TRUE(text.startsWith("[Recent File List]\nFile1=/data/a.set\n[Allgemein]\nShowObs=FALSE\n"));
    EXPECT_TRUE(text.contains("[Fremd]\nk=v\n")) << "a section added since the start is kept";
}

TEST_F(ShellTest, AProfileThatCannotBeWrittenAtCloseStaysAsItWasAndTheUserIsTold)
{
    const std::string old = "[Allgemein]\nSatellitenfilename=sats.tle\nLanguage=0\n" + std::string(3500, ';') + "\n";
    writeFile("kiv.ini", old);
    start(old);
    ui_.messages.clear();
    {
        // A file-size limit stands in for the full disk: the write fails part way, as there.
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = 1024;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        frame().close();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
    }
    EXPECT_EQ(app_->Document(), nullptr) << "the close went on";
    QFile file(profile_.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), old);
    EXPECT_EQ(QDir(dir_.path()).entryList({QStringLiteral("kiv.ini*")}, QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("kiv.ini")});
    ASSERT_EQ(ui_.messages.shown().size(), 1u);
    EXPECT_EQ(ui_.messages.shown()[0].caption, QStringLiteral("Achtung"));
    EXPECT_EQ(ui_.messages.shown()[0].text,
              QStringLiteral("Die Einstellungen konnten nicht gespeichert werden.\n%1 konnte nicht geschrieben werden: "
                             "Die Datei ist zu groß.")
                  .arg(profile_.path()));
}

TEST_F(ShellTest, AProfileThatCannotBeReadIsToldAtTheStartAndTheCloseSaysWhyItIsNotWritten)
{
    const bool root = ::geteuid() == 0; // the administrator reads any file
    const char* notRegular = "it is not a regular file";
    const QString name = path(QStringLiteral("kiv.ini"));
    const QString box = QStringLiteral("Could not read %1: %2.\nKiv starts with its default settings.");
    const struct {
        FolderTree tree;
        const char* startReason; // none: read, or missing, without a word
        const char* closeReason; // none: written
    } cases[] = {
        {{}, nullptr, nullptr},
        {{{"kiv.ini/x", "0644 x"}}, notRegular, notRegular},
        {{{"kiv.ini", "fifo"}}, notRegular, notRegular},
        {{{"kiv.ini", "link -> /dev/zero"}}, notRegular, notRegular},
        {{{"kiv.ini", "0000 [Allgemein]\nLanguage=0\n"}}, root ? nullptr : "Permission denied",
         root ? "schreibgeschützt" : "Permission denied"}, // German: the file was read
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tree.empty() ? "missing" : c.tree.begin()->second);
        ASSERT_TRUE(makeFolderTree(dir_.path(), c.tree));
        ui_.messages.clear();
        app_ = std::make_unique<CKivApp>(services_, profile_, paths_);
        const Deadline deadline;
        app_->LoadProfile();
        EXPECT_EQ(ui_.messages.texts(), c.startReason ? std::vector{box.arg(name, QLatin1String(c.startReason))}
                                                       : std::vector<QString>{});
        app_->OnFileNew();
        ui_.messages.clear();
        frame().close();
        const std::vector<QString> atClose = ui_.messages.texts();
        EXPECT_TRUE(c.closeReason ? atClose.size() == 1 && atClose[0].contains(QString::fromUtf8(c.closeReason)) : atClose.empty());
        app_.reset();
        std::filesystem::remove_all(name.toStdString());
    }
}

TEST_F(ShellTest, TitleIsTheDocumentsWhateverElseSetsIt)
{
    start();
    const QString title = frame().windowTitle();
    EXPECT_TRUE(title.startsWith("Satellite Simulation -> sats.tle (3 satellites in buffer) from the ")) << title.toStdString();
    frame().setWindowTitle("Kiv - [3D-View]");
    EXPECT_EQ(frame().windowTitle(), title);
    frame().ChildFrames().front()->showMaximized();
    EXPECT_EQ(frame().windowTitle(), title);
    run(kCmdGerman);
    EXPECT_TRUE(frame().windowTitle().startsWith("Satelliten Simulation -> sats.tle (3 Satelliten geladen)"));
}
