// Ending the program while a message box or modal dialog runs its own event loop: the request
// waits, the boxes end, and the close path runs once from the main loop; the sanitizers of the
// test build see every object that is used after it was deleted.
#include "dialogs/CEditor.h"
#include "dialogs/CExportDlg.h"
#include "platform/QtMessageBoxes.h"
#include "platform/TerminationGuard.h"
#include "document/SettingsTable.h"
#include "resources/CommandIds.h"
#include "tests/app/ShellFixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QEventLoop>
#include <QTimer>

#include <csignal>
#include <cstring>
#include <functional>

#include <sys/inotify.h>
#include <unistd.h>

using namespace kiv;
using namespace kiv::test;

namespace {

// Real message boxes that record their texts once live: while the first one is open, `whileOpen`
// runs from inside its event loop. Before, boxes are answered at once.
class LiveBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const MessageRequest& request) override
    {
        if (!live)
            return quietAnswer;
        texts.push_back(request.text);
        if (whileOpen)
            QTimer::singleShot(20, std::exchange(whileOpen, nullptr));
        return QtMessageBoxes().show(request);
    }

    void arm(std::function<void()> action)
    {
        live = true;
        whileOpen = std::move(action);
    }

    bool live = false;
    MessageAnswer quietAnswer = MessageAnswer::Ok;
    std::function<void()> whileOpen;
    std::vector<QString> texts;
};

// Counts the times a file in the folder was replaced by a rename, as the atomic writer does.
class ReplacementCounter {
public:
    explicit ReplacementCounter(const QString& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_MOVED_TO);
    }
    ~ReplacementCounter() { close(fd_); }
    ReplacementCounter(const ReplacementCounter&) = delete;
    ReplacementCounter& operator=(const ReplacementCounter&) = delete;

    int count(const char* name)
    {
        alignas(inotify_event) char buffer[4096];
        for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;) {
            for (char* p = buffer; p < buffer + n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(p);
                if (event->len && std::strcmp(event->name, name) == 0)
                    ++count_;
                p += sizeof(inotify_event) + event->len;
            }
        }
        return count_;
    }

private:
    int fd_;
    int count_ = 0;
};

enum class Request { Signal, Interrupt, Hangup, WindowManagerClose };

struct EndingCase {
    const char* name;
    Request request;
    bool atStartUp;                   // the request comes during the document's first boxes
    std::size_t boxes;                // message boxes shown
    std::function<void()> act; // run from the main loop: opens a box or dialog
};

class TerminationTest : public ShellTest {
protected:
    void request(Request how)
    {
        switch (how) {
        case Request::Signal:
            std::raise(SIGTERM);
            break;
        case Request::Interrupt:
            std::raise(SIGINT);
            break;
        case Request::Hangup:
            std::raise(SIGHUP);
            break;
        case Request::WindowManagerClose:
            frame().close();
            break;
        }
    }

    // Runs the main loop until the document is gone.
    void runMainLoop(TerminationGuard& guard, const std::function<void()>& first)
    {
        QEventLoop loop;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
            if (!app_ || !app_->Document())
                loop.quit();
        });
        watch.start(5);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        guard.runMainLoop([&] {
            QTimer::singleShot(0, &loop, first); // after the guard has seen the main loop start
            return loop.exec();
        });
    }

    LiveBoxes boxes_;
    UiServices live_{boxes_, services_.files, services_.colors, services_.cursors, services_.clock, services_.bell};
};

} // namespace

TEST_F(TerminationTest, RequestsDuringBoxesAndDialogsCloseOnceFromTheMainLoop)
{
    const EndingCase cases[] = {
        // Colour table, icon list and both town lists are missing: four boxes, each ended.
        {"logout during the start-up boxes", Request::Signal, true, 4, nullptr},
        {"hang-up during a box of the running program", Request::Hangup, false, 1, [this] { run(57670); }},
        {"logout during the About dialog", Request::Signal, false, 0, [this] { run(57664); }},
        {"window manager's close during a box", Request::WindowManagerClose, false, 1, [this] { run(57670); }},
        {"logout during the time-out-of-range box of a step", Request::Signal, false, 1,
         [this] {
             doc().SetSimTime(Time::fromUtc({3000, 12, 1, 0, 0, 0}));
             doc().TimeFactor = kMaxTimeFactor;
             doc().AnimationStep();
             doc().AnimationStep(); // the document is still whole after the box
         }},
        {"logout while a handler processes events", Request::Signal, false, 0,
         [this] {
             for (int i = 0; i < 20; ++i) {
                 QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
                 ASSERT_NE(app_->Document(), nullptr);
             }
         }},
    };
    for (const EndingCase& c : cases) {
        SCOPED_TRACE(c.name);
        ReplacementCounter writes(dir_.path());
        boxes_.texts.clear();
        boxes_.live = false;
        profile_.parse("[Allgemein]\nSatellitenfilename=sats.tle\nShow3D=FALSE\nShowWDB=FALSE\n");
        app_ = std::make_unique<CKivApp>(live_, profile_, paths_);
        TerminationGuard guard([&] { return app_->Terminate(); });
        frame().SetTerminationGuard(&guard);
        if (c.atStartUp)
            boxes_.arm([&] { request(c.request); });
        app_->OnFileNew(); // no colour table or icon list here: boxes
        ASSERT_NE(app_->Document(), nullptr);
        boxes_.live = true;
        runMainLoop(guard, [&] {
            if (c.atStartUp)
                return;
            // The request comes while the box or dialog that the action opens is up.
            QTimer::singleShot(30, [&] { request(c.request); });
            c.act();
        });
        EXPECT_EQ(app_->Document(), nullptr) << "the close path ran";
        // For the waits and long work that hold up the main loop.
        EXPECT_EQ(TerminationLatch::raised(), c.request != Request::WindowManagerClose) << "a signal raises the latch";
        EXPECT_EQ(boxes_.texts.size(), c.boxes);
        EXPECT_EQ(writes.count("kiv.ini"), 1) << "the profile written once";
        IniProfile written(profile_.path());
        ASSERT_TRUE(written.load());
        EXPECT_EQ(written.GetProfileString(QStringLiteral("Allgemein"), QStringLiteral("Satellitenfilename"), {}),
                  QStringLiteral("sats.tle"));
        EXPECT_EQ(written.GetProfileString(QStringLiteral("Allgemein"), QStringLiteral("ShowObs"), {}),
                  QStringLiteral("TRUE"));
        frame().SetTerminationGuard(nullptr);
        app_.reset();
        QFile::remove(profile_.path());
    }
}

// A table of 864,001 rows (one satellite, ten days at one second) is being made when the request
// comes: the program ends at once, with its profile written once, the sanitizers watching.
TEST_F(TerminationTest, RequestsDuringALargeExportEndTheProgramAtOnce)
{
    for (const Request how : {Request::Signal, Request::Interrupt, Request::Hangup, Request::WindowManagerClose}) {
        SCOPED_TRACE(static_cast<int>(how));
        ReplacementCounter writes(dir_.path());
        boxes_.live = false;
        boxes_.quietAnswer = MessageAnswer::Ok;
        profile_.parse("[Allgemein]\nSatellitenfilename=sats.tle\nShow3D=FALSE\nShowWDB=FALSE\n");
        app_ = std::make_unique<CKivApp>(live_, profile_, paths_);
        TerminationGuard guard([&] { return app_->Terminate(); });
        frame().SetTerminationGuard(&guard);
        app_->OnFileNew();
        ASSERT_NE(app_->Document(), nullptr);
        boxes_.quietAnswer = MessageAnswer::Yes; // to go on with the long table
        QPointer<CExportDlg> dialog;
        bool generating = false;
        int linesBefore = 0;
        QElapsedTimer sinceRequest;
        runMainLoop(guard, [&] {
            ASSERT_TRUE(run(kCmdExport));
            for (QWidget* w : QApplication::allWidgets()) {
                if (auto* d = dynamic_cast<CExportDlg*>(w))
                    dialog = d;
            }
            ASSERT_TRUE(dialog);
            dialog->Model().State.Selected = {};
            dialog->Model().State.Selected[0] = 1;
            const std::pair<ExportEdit, const char*> range[] = {
                {ExportEdit::StartDate, "04 / 10 / 2024"}, {ExportEdit::StartTime, "00 : 00 : 00"},
                {ExportEdit::EndDate, "04 / 20 / 2024"},   {ExportEdit::EndTime, "00 : 00 : 00"},
                {ExportEdit::StepDays, "0"},               {ExportEdit::StepTime, "00 : 00 : 01"}};
            for (const auto& [edit, text] : range)
                dialog->EditOf(edit)->setText(QString::fromLatin1(text));
            dialog->GenerateOutput(ExportKind::LLA);
            QTimer::singleShot(500, [&] {
                generating = dialog && dialog->Generating();
                linesBefore = dialog ? dialog->Editor().Edit()->blockCount() : 0;
                sinceRequest.start();
                request(how);
            });
        });
        const qint64 elapsed = sinceRequest.elapsed();
        EXPECT_TRUE(generating) << "the table was still being made";
        EXPECT_GT(linesBefore, 2) << "the table came in piece by piece";
        EXPECT_EQ(app_->Document(), nullptr) << "the close path ran";
        EXPECT_TRUE(dialog.isNull());
        EXPECT_LT(elapsed, 3000) << "ended at once, not after the table: " << elapsed << " ms";
        EXPECT_EQ(writes.count("kiv.ini"), 1) << "the profile written once";
        frame().SetTerminationGuard(nullptr);
        app_.reset();
        QFile::remove(profile_.path());
    }
}
