// The status bar and the speed slider.
#include "app/CSpeedSlider.h"
#include "resources/CommandIds.h"
#include "tests/app/ShellFixture.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QStatusBar>

using namespace kiv;
using namespace kiv::test;

TEST_F(ShellTest, PanesButtonAndClock)
{
    start();
    frame().resize(400, 300);
    QResizeEvent resized(QSize(400, 300), QSize(800, 600));
    QCoreApplication::sendEvent(&frame(), &resized);
    EXPECT_EQ(frame().StatusLabel(StatusPane::Spare)->width(), 1);
    EXPECT_EQ(frame().StatusLabel(StatusPane::TimeLabel)->text(), QStringLiteral("Time"));

    QPushButton* button = frame().TimeZoneButton();
    EXPECT_EQ(button->text(), QStringLiteral("Local"));
    button->click();
    EXPECT_EQ(doc().ShowUTC, 1);
    EXPECT_EQ(button->text(), QStringLiteral("UTC"));
    button->click();
    EXPECT_EQ(doc().ShowUTC, 0);
    EXPECT_EQ(button->text(), QStringLiteral("Local"));

    doc().TimeFactor = 60;
    doc().AnimationStep();
    EXPECT_FALSE(frame().StatusLabel(StatusPane::Clock)->text().isEmpty());
    EXPECT_EQ(frame().StatusLabel(StatusPane::TimeFactor)->text(), QStringLiteral("60"));
}

namespace {

// Counts the layout requests that reach a widget.
class LayoutRequests : public QObject {
public:
    explicit LayoutRequests(QWidget* watched) { watched->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::LayoutRequest;
        return false;
    }
};

} // namespace

TEST_F(ShellTest, ANewClockOrFactorTextLaysTheBarOutNoMore)
{
    start();
    frame().show();
    LayoutRequests requests(frame().statusBar());
    // Showing the window lays the bar out, in passes that each ask for the next.
    for (int pass = 0; pass < 10 && (pass == 0 || requests.count != 0); ++pass) {
        requests.count = 0;
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(requests.count, 0) << "the bar never settled";
    for (const char* text : {"2026 , Mai , 30 / 23 : 59 : 59", "", "86400"}) {
        frame().SetStatusText(StatusPane::Clock, QString::fromLatin1(text));
        frame().SetStatusText(StatusPane::TimeFactor, QString::fromLatin1(text).left(7));
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(requests.count, 0);
}

TEST(SpeedSlider, PositionsAndFactors)
{
    EXPECT_EQ(CSpeedSlider::PositionFor(1), 61);
    EXPECT_EQ(CSpeedSlider::PositionFor(0), 1);
    EXPECT_EQ(CSpeedSlider::PositionFor(86400), 3600);
    EXPECT_EQ(CSpeedSlider::PositionFor(-900), CSpeedSlider::PositionFor(900)) << "backwards: the speed";
    EXPECT_EQ(CSpeedSlider::FactorFor(0, 7), 1);
    EXPECT_EQ(CSpeedSlider::FactorFor(600, 7), 101);
    EXPECT_EQ(CSpeedSlider::FactorFor(3600, 7), 7);
}

TEST_F(ShellTest, OnlyTheUsersMovesChangeTheFactor)
{
    start("[Allgemein]\nSatellitenfilename=sats.tle\nTimeFactor=900\n");
    CSpeedSlider* slider = frame().SpeedSlider();
    slider->grab(); // a paint
    EXPECT_EQ(doc().TimeFactor, 900);
    EXPECT_EQ(slider->value(), CSpeedSlider::PositionFor(900));

    slider->setValue(600); // as a drag or a key does
    EXPECT_EQ(doc().TimeFactor, 101);
    slider->setValue(0);
    EXPECT_EQ(doc().TimeFactor, 1);
    slider->setValue(3600);
    EXPECT_EQ(doc().TimeFactor, 1);

    doc().TimeFactor = 86400; // set by a command
    slider->grab();
    EXPECT_EQ(doc().TimeFactor, 86400);
    frame().PlaceSpeedSlider();
    EXPECT_EQ(slider->value(), 3600);
    EXPECT_EQ(doc().TimeFactor, 86400);

    run(kCmdPause); // Pause
    slider->grab();
    EXPECT_EQ(doc().TimeFactor, 0);

    doc().TimeFactor = -900; // a clock running backwards keeps its direction
    slider->setValue(600);
    EXPECT_EQ(doc().TimeFactor, -101);
}
