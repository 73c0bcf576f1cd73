// "&Export ...": enabled, opens one modeless dialog over the main window, and an edited table is
// offered for saving when the main window closes.
#include "app/CMainFrame.h"
#include "dialogs/CEditor.h"
#include "dialogs/CExportDlg.h"
#include "resources/CommandIds.h"
#include "tests/app/ShellFixture.h"

#include <QApplication>
#include <QWindow>
#include <QPlainTextEdit>

using namespace kiv;
using namespace kiv::test;

namespace {

std::vector<CExportDlg*> exportDialogs()
{
    std::vector<CExportDlg*> out;
    for (QWidget* w : QApplication::allWidgets()) {
        if (auto* d = dynamic_cast<CExportDlg*>(w); d && d->isVisible())
            out.push_back(d);
    }
    return out;
}

} // namespace

TEST_F(ShellTest, ExportOpensOneDialogAndAsksBeforeTheMainWindowCloses)
{
    start();
    doc().SatInfo[0].shown = 1;
    EXPECT_TRUE(menuItem(kCmdExport)->isEnabled());
    QApplication::setActiveWindow(&frame());
    ASSERT_TRUE(run(kCmdExport));
    ASSERT_EQ(exportDialogs().size(), 1U);
    exportDialogs()[0]->Editor().Edit()->appendPlainText("edited");
    ui_.messages.clear();
    ASSERT_TRUE(run(kCmdExport)); // a second one replaces the first, after the save question
    ASSERT_EQ(ui_.messages.shown().size(), 1U);
    EXPECT_EQ(ui_.messages.shown()[0].caption, "Attention");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const std::vector<CExportDlg*> dialogs = exportDialogs();
    ASSERT_EQ(dialogs.size(), 1U);
    CExportDlg& d = *dialogs[0];
    // Its host owns it; it stays above the main window as that window's transient.
    EXPECT_EQ(d.parentWidget(), nullptr);
    ASSERT_NE(d.windowHandle(), nullptr);
    EXPECT_EQ(d.windowHandle()->transientParent(), frame().windowHandle());
    EXPECT_TRUE(d.Editor().Text().startsWith("SAT 0\n"));

    d.Editor().Edit()->setReadOnly(false);
    d.Editor().Edit()->appendPlainText("note");
    ui_.messages.clear();
    ui_.messages.queueAnswer(MessageAnswer::No);
    frame().close();
    int asked = 0;
    for (const MessageRequest& r : ui_.messages.shown())
        asked += r.text == "Do you want to save the data to a file ?" ? 1 : 0;
    EXPECT_EQ(asked, 1);
}
