// "&Time ...": what passes between the document and the time dialog.
#include "dialogs/CTimeDlg.h"
#include "dialogs/TimeCommand.h"
#include "tests/support/DocumentFixture.h"

#include <QAbstractButton>
#include <QLineEdit>

using namespace kiv;
using namespace kiv::test;

namespace {

class TimeCommandTest : public DocumentTest {
protected:
    CKivDoc& start()
    {
        CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=none.tle\n");
        ui_.messages.clear();
        doc.SetSimTime(Time::fromUtc({2024, 6, 1, 10, 0, 0}));
        doc.TimeFactor = 60;
        doc.EnableAnimationTimer(true);
        return doc;
    }
    void set(CTimeDlg& dialog, const char* id, const QString& text)
    {
        dialog.findChild<QLineEdit*>(QLatin1String(id))->setText(text);
    }
    std::optional<ColorTableRead> savedColors() const { return loadColorTableFile(filePath("kiv.clr")); }
};

} // namespace

TEST_F(TimeCommandTest, OkSetsClockAndFactorWithTheTimerOffMeanwhile)
{
    const ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    CKivDoc& doc = start();
    bool timerOnDuring = true;
    runTimeCommand(doc, nullptr, [&](CTimeDlg& dialog) {
        timerOnDuring = frame_.timerOn;
        EXPECT_EQ(dialog.Model().fields(), (TimeFields{2024, 6, 1, 12, 0, 0})) << "the local fields";
        EXPECT_EQ(dialog.Factor(), 60);
        for (const auto& [id, text] : {std::pair{"1126", "2030"}, {"1128", "1"}, {"1130", "2"}, {"1107", "3"},
                                       {"1122", "4"}, {"1124", "60"}, {"1103", "3600"}})
            set(dialog, id, text);
        dialog.accept();
        return dialog.result();
    });
    EXPECT_FALSE(timerOnDuring);
    EXPECT_TRUE(frame_.timerOn);
    EXPECT_EQ(doc.TimeFactor, 3600);
    // 03:05 in Berlin's winter, and one step of the new factor by the reset.
    EXPECT_EQ(doc.SimTime, Time::fromUtc({2030, 1, 2, 2, 5, 0}) + 3600);
    EXPECT_EQ(doc.UtcOffset, -3600);
    EXPECT_EQ(savedColors()->table.clockColors, ClockColorTables{}) << "no colour changed: the file stays as it was";
}

TEST_F(TimeCommandTest, CancelKeepsTheClockButSavesChangedColours)
{
    CKivDoc& doc = start();
    const Time before = doc.SimTime;
    runTimeCommand(doc, nullptr, [&](CTimeDlg& dialog) {
        dialog.findChild<QAbstractButton*>(QStringLiteral("21"))->click();
        set(dialog, "1126", "2030");
        return static_cast<int>(QDialog::Rejected);
    });
    EXPECT_EQ(doc.TimeFactor, 60);
    EXPECT_EQ(doc.SimTime - before, 2 * 60) << "only the steps before the dialog and of the reset";
    EXPECT_TRUE(frame_.timerOn);
    const std::optional<ColorTableRead> saved = savedColors();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->table.clockColors[1][12], (Rgba{0.4f, 0.1f, 0.4f, 0.7f}));
    EXPECT_EQ(doc.ClockColors[0][6], (Rgba{0.2f, 0.2f, 0.8f, 0.5f}));
    EXPECT_TRUE(ui_.messages.shown().empty());
}

TEST_F(TimeCommandTest, OkUnchangedKeepsABackwardFactor)
{
    CKivDoc& doc = start();
    doc.TimeFactor = -3600;
    runTimeCommand(doc, nullptr, [&](CTimeDlg& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("1103"))->text(), "-3600");
        EXPECT_TRUE(dialog.findChild<QAbstractButton*>(QStringLiteral("33002"))->isChecked());
        dialog.accept();
        return dialog.result();
    });
    EXPECT_EQ(doc.TimeFactor, -3600);
}
