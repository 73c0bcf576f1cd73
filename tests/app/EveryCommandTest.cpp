// Every enabled command of every view menu, run through the registry with all four view kinds
// open, in English and in German: modal dialogs are cancelled as they appear, message boxes and
// file dialogs answer from the scripted services (first button, Cancel). Catches crashes and
// asserts where views, dialogs and the document meet.
#include "app/CommandRegistry.h"
#include "resources/CommandIds.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/GlDriver.h"

#include <QApplication>
#include <QAbstractButton>
#include <QDateTime>
#include <QDialog>
#include <QRegularExpression>
#include <QFile>
#include <QTimer>

#include <functional>
#include <set>

using namespace kiv;
using namespace kiv::test;

namespace {

// Rejects every modal window that opens while it lives (dialogs opened from dialogs too), and
// closes the top-level windows a command leaves open. Confirm tries OK first; Press clicks every
// button of the first dialog (one at a time, from the event loop) before cancelling it, and
// cancels what those buttons open.
class ModalCanceller {
public:
    enum class Mode { Cancel, Confirm, Press };
    explicit ModalCanceller(Mode mode = Mode::Cancel) : mode_(mode)
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { step(); });
        timer_.start();
    }
    const std::set<QString>& opened() const { return opened_; }
    int pressed() const { return pressed_; }

private:
    void step()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        opened_.insert(modal->metaObject()->className() + QString(" ") + modal->windowTitle());
        // A dialog that refuses its values (a message) stays open: cancelled at the third try.
        tries_ = modal == last_ ? tries_ + 1 : 0;
        last_ = modal;
        if (mode_ == Mode::Press && tries_ == 0 && !pressing_) {
            press(modal);
            return;
        }
        if (pressing_ == modal && QDateTime::currentMSecsSinceEpoch() < pressUntil_)
            return;
        if (pressing_ == modal)
            pressing_ = nullptr;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            mode_ == Mode::Confirm && tries_ < 3 ? dialog->accept() : dialog->reject();
        else
            modal->close();
    }
    // Buttons that end the dialog, ask for help or reach the network are left alone.
    void press(QWidget* modal)
    {
        static const QRegularExpression kept(
            QStringLiteral("^(OK|Cancel|Abbruch|Abbrechen|Help|Hilfe|Retrieve Data|Daten holen|Info|I N F O|I n f o)$"));
        int n = 0;
        for (QAbstractButton* b : modal->findChildren<QAbstractButton*>()) {
            const QString text = b->text().remove(QLatin1Char('&')).trimmed();
            if (!b->isVisible() || !b->isEnabled() || kept.match(text).hasMatch())
                continue;
            QTimer::singleShot(10 * ++n, b, [this, b] {
                ++pressed_;
                b->click();
            });
        }
        pressing_ = modal;
        pressUntil_ = QDateTime::currentMSecsSinceEpoch() + 10 * (n + 3);
    }

    Mode mode_;
    QTimer timer_;
    std::set<QString> opened_;
    QWidget* last_ = nullptr;
    int tries_ = 0;
    QWidget* pressing_ = nullptr;
    qint64 pressUntil_ = 0;
    int pressed_ = 0;
};

const ViewKind kKinds[] = {ViewKind::World, ViewKind::Map, ViewKind::WDB, ViewKind::Obs};

// The toggle that opens a view kind.
int toggleOf(ViewKind kind)
{
    switch (kind) {
    case ViewKind::World:
        return kCmdView3D;
    case ViewKind::Map:
        return kCmdView2D;
    case ViewKind::WDB:
        return kCmdViewWdb;
    case ViewKind::Obs:
        return kCmdViewObs;
    }
    return 0;
}

} // namespace

class EveryCommandTest : public ShellTest {
protected:
    // The bundled data the build made: maps, World Data Bank segments, towns, colours, icons.
    EveryCommandTest() { QFile::link(QStringLiteral(KIV_BUILD_DATA_DIR), filePath(QStringLiteral("bundled"))); }
    bool open(ViewKind kind)
    {
        for (CChildFrame* child : frame().ChildFrames()) {
            if (child->Kind() == kind)
                return true;
        }
        return false;
    }
    // Opens again what a command closed, and closes the windows it left on screen.
    void restore()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w != &frame() && w->isVisible() && !w->inherits("QMenu"))
                w->close();
        }
        for (ViewKind kind : kKinds) {
            if (!open(kind))
                run(toggleOf(kind));
        }
        QCoreApplication::processEvents();
    }
    // Paused: the clock stands at a factor of 3600 throughout, and no dialog ends the pause.
    void runEveryCommand(ModalCanceller::Mode mode, bool paused = false);
    void repaintAll()
    {
        for (CChildFrame* child : frame().ChildFrames())
            child->grab();
        keepGlDriverLoaded(); // the leak checker passes the driver over
        doc().AnimationStep();
    }
};

void EveryCommandTest::runEveryCommand(ModalCanceller::Mode mode, bool paused)
{
    start();
    ASSERT_EQ(frame().ChildFrames().size(), 4u);
    if (paused) {
        doc().TimeFactor = 3600;
        run(kCmdPause);
    }
    // Closing the program and starting a new document are tried at the end of their own tests.
    // Confirmed downloads would reach out to the network (tests/dialogs has them against a local server).
    std::set<int> skipped = {kCmdExit, kCmdFileNew};
    if (mode == ModalCanceller::Mode::Confirm)
        skipped.insert({kCmdOpenFromWeb, kCmdWeather});
    ModalCanceller canceller(mode);
    int ran = 0;
    for (int language : {1, 0}) {
        run(language ? kCmdEnglish : kCmdGerman);
        for (ViewKind kind : kKinds) {
            activate(kind);
            std::vector<int> ids;
            const std::vector<MenuEntry> lines = menuBarLines();
            for (std::size_t i = 0; i < lines.size(); ++i) {
                if (lines[i].id > 0 && !skipped.count(lines[i].id) && menuItem(lines[i].id)->isEnabled())
                    ids.push_back(lines[i].id);
            }
            ASSERT_GT(ids.size(), 20u);
            for (int id : ids) {
                SCOPED_TRACE(testing::Message() << "language " << language << " view " << int(kind) << " command " << id);
                activate(kind);
                ASSERT_NE(app_->Document(), nullptr);
                run(id);
                ++ran;
                ASSERT_NE(app_->Document(), nullptr);
                // Toggle items twice: on and off again (or off and on); the language stays.
                run(id == kCmdGerman || id == kCmdEnglish ? (language ? kCmdEnglish : kCmdGerman) : id);
                restore();
                repaintAll();
                EXPECT_EQ(doc().Language, language);
                if (paused && id != kCmdTime && id != kCmdPause) {
                    EXPECT_EQ(doc().TimeFactor, 0);
                    EXPECT_EQ(doc().PersistentTimeFactor(), 3600);
                }
            }
        }
    }
    EXPECT_GT(ran, 200);
    EXPECT_GE(canceller.opened().size(), 14u); // the dialogs by title, in both languages
    if (mode == ModalCanceller::Mode::Press) {
        EXPECT_GT(canceller.pressed(), 100);
    }
}

TEST_F(EveryCommandTest, EveryEnabledMenuCommandWithItsDialogsCancelled) { runEveryCommand(ModalCanceller::Mode::Cancel); }

TEST_F(EveryCommandTest, EveryEnabledMenuCommandWithItsDialogsConfirmedUnchanged) { runEveryCommand(ModalCanceller::Mode::Confirm); }

TEST_F(EveryCommandTest, EveryEnabledMenuCommandWithEveryButtonOfItsDialogsPressed) { runEveryCommand(ModalCanceller::Mode::Press); }

TEST_F(EveryCommandTest, APauseSurvivesEveryDialogCancelled) { runEveryCommand(ModalCanceller::Mode::Cancel, true); }

TEST_F(EveryCommandTest, APauseSurvivesEveryDialogConfirmedUnchanged) { runEveryCommand(ModalCanceller::Mode::Confirm, true); }

TEST_F(EveryCommandTest, NewDocumentAndExitFromEveryViewKind)
{
    ModalCanceller canceller;
    for (ViewKind kind : kKinds) {
        SCOPED_TRACE(int(kind));
        start();
        activate(kind);
        run(kCmdFileNew);
        ASSERT_NE(app_->Document(), nullptr);
        restore();
        activate(kind);
        repaintAll();
        run(kCmdExit);
        QCoreApplication::processEvents();
        app_.reset();
    }
}

namespace {

// Bytes that no reader of the program accepts whole.
std::string junk(std::size_t size)
{
    std::string bytes(size, '\0');
    std::uint32_t x = 2463534242u;
    for (char& c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    return bytes;
}

struct HostileFile {
    const char* name;
    std::string bytes;
};

} // namespace

TEST_F(EveryCommandTest, HostileFilesThroughEveryOpenPlaceLeaveAWorkingProgram)
{
    start();
    ModalCanceller canceller;
    ASSERT_TRUE(doc().SaveSettingsArchive(path("good.set")));
    QFile good(path("good.set"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray archive = good.readAll();
    const std::string tle = satelliteFile(3);
    const HostileFile files[] = {
        {"empty.tle", ""},
        {"junk.tle", junk(65536)},
        {"half.tle", tle.substr(0, tle.size() / 2 + 7)},
        {"oneline.tle", std::string(8 << 20, 'A')},
        {"nul.tle", std::string(4096, '\0')},
        {"half.set", archive.left(archive.size() / 2).toStdString()},
        {"head.set", archive.left(12).toStdString()},
        {"junk.set", junk(4096)},
        {"big.set", std::string(24 << 20, 'x')},
    };
    for (const HostileFile& f : files)
        writeFile(f.name, f.bytes);
    std::vector<QString> paths;
    for (const HostileFile& f : files)
        paths.push_back(path(f.name));
    paths.push_back(path("missing.tle"));
    paths.push_back(filePath("")); // a folder

    const std::function<void(const QString&)> places[] = {
        [&](const QString& p) {
            ui_.files.queueAnswer(p);
            run(kCmdOpenLocal);
        },
        [&](const QString& p) {
            ui_.files.queueAnswer(p);
            run(kCmdRestoreSettings);
        },
        [&](const QString& p) { app_->OpenFile(p); },
    };
    for (std::size_t n = 0; n < std::size(places); ++n) {
        for (const QString& p : paths) {
            SCOPED_TRACE(p.toStdString());
            ui_.messages.clear();
            places[n](p);
            ASSERT_NE(app_->Document(), nullptr);
            if (n == 1) { // a refused settings file says so
                EXPECT_FALSE(ui_.messages.shown().empty());
            }
            restore();
            repaintAll();
            for (int language : {1, 0}) {
                run(language ? kCmdEnglish : kCmdGerman);
                for (ViewKind kind : kKinds) {
                    activate(kind);
                    repaintAll();
                }
            }
        }
        ui_.files.queueAnswer(path("sats.tle"));
        run(kCmdOpenLocal);
        EXPECT_EQ(doc().SatelliteCount, 3);
    }
}

TEST_F(EveryCommandTest, ASettingsArchiveOfNineWorldDataBankViewsComesBackWhole)
{
    start();
    ModalCanceller canceller;
    for (int i = 1; i < 9; ++i)
        doc().AddWDBView(false);
    ASSERT_EQ(doc().Views.wdbCount(), 9);
    std::vector<QRectF> regions;
    for (int slot = 1; slot <= 9; ++slot) {
        const QRectF region(170.0 - slot * 10, 80.0 - slot * 5, -20.0 - slot, -15.0 - slot);
        doc().Views.wdb(slot)->ShowRegion(region, QSize(300 + slot * 10, 200 + slot * 5));
        regions.push_back(doc().Views.wdb(slot)->Extent());
    }
    run(kCmdGerman);
    ASSERT_TRUE(doc().SaveSettingsArchive(path("nine.set")));
    run(kCmdEnglish);
    run(kCmdViewWdb); // all nine close
    ASSERT_EQ(doc().Views.wdbCount(), 0);
    ASSERT_TRUE(doc().RestoreSettingsArchive(path("nine.set")));
    EXPECT_EQ(doc().Language, 0);
    ASSERT_EQ(doc().Views.wdbCount(), 9);
    for (int slot = 1; slot <= 9; ++slot) {
        const QRectF back = doc().Views.wdb(slot)->Extent();
        EXPECT_NEAR(back.x(), regions[slot - 1].x(), 1e-6) << slot;
        EXPECT_NEAR(back.y(), regions[slot - 1].y(), 1e-6) << slot;
        EXPECT_NEAR(back.width(), regions[slot - 1].width(), 1e-6) << slot;
        EXPECT_NEAR(back.height(), regions[slot - 1].height(), 1e-6) << slot;
    }
    restore();
    repaintAll();
}

TEST_F(EveryCommandTest, FewerSatellitesAfterAReloadLeaveNoViewPointingPastTheTable)
{
    writeFile("many.tle", satelliteFile(40));
    writeFile("one.tle", satelliteFile(1));
    start("[Allgemein]\nSatellitenfilename=many.tle\n");
    ModalCanceller canceller;
    ASSERT_EQ(doc().SatelliteCount, 40);
    doc().FollowedSatellite = 39;
    doc().FollowInWDB = 1;
    doc().FollowIn3D = 1;
    doc().FollowActive = 1;
    doc().DisplayAll = 0;
    run(kCmdFirstSatellite + 39);
    repaintAll();
    for (const char* file : {"one.tle", "empty.tle"}) {
        SCOPED_TRACE(file);
        writeFile("empty.tle", "");
        ui_.files.queueAnswer(path(file));
        run(kCmdOpenLocal);
        for (ViewKind kind : kKinds) {
            activate(kind);
            repaintAll();
        }
        for (int id : {kCmdDisplayAll, kCmdFirstSatellite, kCmdFirstSatellite + 39, kCmdDisplayAll})
            run(id);
        repaintAll();
    }
}
