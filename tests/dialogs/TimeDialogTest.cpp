// The time dialog's widgets offscreen, in both languages, with scripted services.
#include "dialogs/CTimeDlg.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScriptedUiServices.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace kiv;

namespace {

const TimeFields kStart{2024, 6, 1, 12, 0, 0};

class TimeDialogTest : public ::testing::Test {
protected:
    TimeDialogTest() : tz_("UTC0") { tables_.fill(defaultClockColors()); }

    CTimeDlg& dialog(int language, int factor = 1, const TimeFields& fields = kStart)
    {
        dialog_ = std::make_unique<CTimeDlg>(ui_, fields, factor, language, tables_);
        return *dialog_;
    }
    template <typename T>
    T* child(const char* id)
    {
        T* found = dialog_->findChild<T*>(QLatin1String(id));
        EXPECT_NE(found, nullptr) << id;
        return found;
    }
    QString text(const char* id) { return child<QLineEdit>(id)->text(); }
    // Types into an edit as a user would, replacing what it held.
    void type(const char* id, const QString& text)
    {
        QLineEdit* edit = child<QLineEdit>(id);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void click(const char* id) { child<QAbstractButton>(id)->click(); }
    void setFields(const QStringList& values) // year, month, day, hour, minute, second
    {
        const char* ids[] = {"1126", "1128", "1130", "1107", "1122", "1124"};
        for (int i = 0; i < 6; ++i)
            type(ids[i], values[i]);
    }

    kiv::test::ScopedTimeZone tz_;
    kiv::test::ScriptedUiServices scripted_;
    UiServices ui_ = scripted_.services();
    ClockColorTables tables_{};
    std::unique_ptr<CTimeDlg> dialog_;
};

} // namespace

TEST_F(TimeDialogTest, OpensCollapsedInEitherLanguage)
{
    struct Case {
        int language;
        const char* title;
        const char* more;
        const char* less;
        const char* date;
    };
    for (const Case& c : {Case{1, "Timedialoge", "More >>", "<< Less", "6 / 1 / 2024"},
                          Case{0, "Zeitdialog", "Mehr >>", "<< Weniger", "1 / 6 / 2024"}}) {
        CTimeDlg& d = dialog(c.language, 3600);
        EXPECT_EQ(d.windowTitle(), c.title);
        EXPECT_TRUE(child<QAbstractButton>("33002")->isChecked());
        EXPECT_EQ(text("1103"), "3600");
        EXPECT_EQ(text("1132"), "2460463.000000");
        EXPECT_EQ(text("1126"), "2024");
        EXPECT_EQ(text("1107"), "12");
        EXPECT_EQ(child<QLabel>("1294")->text(), c.date);
        EXPECT_EQ(child<QLabel>("1289")->text(), "12 : 0 : 0");
        EXPECT_TRUE(child<QAbstractButton>("1305")->isChecked());
        EXPECT_TRUE(child<QWidget>("1295")->isHidden() || !child<QWidget>("1295")->isVisibleTo(&d));
        EXPECT_EQ(child<QAbstractButton>("18")->text(), c.more);
        click("18");
        EXPECT_TRUE(d.Expanded());
        EXPECT_TRUE(child<QWidget>("1295")->isVisibleTo(&d));
        EXPECT_EQ(child<QAbstractButton>("18")->text(), c.less);
        click("18");
        EXPECT_FALSE(child<QWidget>("1296")->isVisibleTo(&d));
        click("24");
        EXPECT_EQ(scripted_.messages.shown().back().caption, "Help");
        EXPECT_TRUE(scripted_.messages.shown().back().text.startsWith(c.language ? "Here you can" : "Hier kann man"));
    }
}

TEST_F(TimeDialogTest, EditsKeepFieldsAndJulianDateInStep)
{
    dialog(1);
    type("1132", "1000000");
    EXPECT_EQ(text("1126"), "1999");
    EXPECT_EQ(text("1128"), "7");
    EXPECT_EQ(text("1130"), "22");
    EXPECT_EQ(text("1132"), "1000000") << "the typed text stays";
    type("1128", "13");
    // Key by key: "1" is January, "13" stops the update at the month.
    EXPECT_EQ(text("1132"), "2451200.500000");
    type("1128", "8");
    EXPECT_EQ(text("1132"), "2451412.500000");
    child<QWidget>("1298")->findChildren<QAbstractButton*>().at(0)->click();
    EXPECT_EQ(text("1124"), "10");
    child<QWidget>("1302")->findChildren<QAbstractButton*>().at(1)->click();
    EXPECT_EQ(text("1130"), "21");
    // Factor: typing checks the matching button, a click sets the text.
    type("1103", "86400");
    EXPECT_TRUE(child<QAbstractButton>("33003")->isChecked());
    type("1103", "7");
    for (int k = 0; k < 6; ++k)
        EXPECT_FALSE(child<QAbstractButton>(QByteArray::number(33000 + k).constData())->isChecked());
    click("33004");
    EXPECT_EQ(text("1103"), "86163");
    // Backwards: the button of the magnitude, and a click keeps the direction.
    type("1103", "-60");
    EXPECT_TRUE(child<QAbstractButton>("33001")->isChecked());
    click("33003");
    EXPECT_EQ(text("1103"), "-86400");
}

TEST_F(TimeDialogTest, RunningClockMovesFieldsAndBothClocks)
{
    const kiv::test::ScopedTimeZone india("IST-5:30");
    CTimeDlg& d = dialog(1, 60);
    click("1306");
    click("1305");
    d.OnTick();
    d.OnTick();
    EXPECT_EQ(text("1122"), "2");
    EXPECT_EQ(child<QLabel>("1293")->text(), "12 : 2 : 0");
    EXPECT_EQ(child<QLabel>("1289")->text(), "6 : 32 : 0");
    click("1096"); // the fields as Greenwich time: 17:32 in India
    EXPECT_EQ(text("1107"), "17");
    EXPECT_EQ(text("1122"), "32");
}

TEST_F(TimeDialogTest, OkRefusesBadFieldsAndAsksAboutTimesOutOfRange)
{
    CTimeDlg& d = dialog(1);
    type("1128", "13");
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(scripted_.messages.texts().back(), "Please enter an integer between 1 and 12.");

    scripted_.clock.setNow(kiv::Time::fromUtc({2030, 5, 6, 7, 8, 9}));
    setFields({"1950", "1", "1", "0", "0", "0"});
    scripted_.messages.queueAnswer(MessageAnswer::No);
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(scripted_.messages.captions().back(), "Attention : ");
    EXPECT_EQ(text("1126"), "1950");
    scripted_.messages.queueAnswer(MessageAnswer::Yes);
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.Fields(), (TimeFields{2030, 5, 6, 7, 8, 9}));

    CTimeDlg& again = dialog(0);
    setFields({"2024", "2", "28", "24", "0", "60"});
    type("1103", "60");
    again.accept();
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_EQ(again.Fields(), (TimeFields{2024, 2, 29, 0, 1, 0}));
    EXPECT_EQ(again.Factor(), 60);
    EXPECT_FALSE(again.ColorsChanged());
}

TEST_F(TimeDialogTest, ColoursAreEditedInPlace)
{
    CTimeDlg& d = dialog(1);
    scripted_.queueColor(std::nullopt);
    click("1185"); // Cancel in the chooser changes nothing
    EXPECT_FALSE(d.ColorsChanged());
    scripted_.queueColor(rgb(255, 0, 0));
    click("1185");
    EXPECT_EQ(tables_[1][0], (Rgba{1.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_TRUE(d.ColorsChanged());
    type("1307", "0.5");
    EXPECT_FLOAT_EQ(tables_[0][0][3], 0.5f);
    click("21");
    EXPECT_EQ(tables_[1][0], defaultClockColors()[0]);
    EXPECT_EQ(text("1307"), "1.000000");
}
