// The satellite toolbar: a pressed button is a hidden satellite.
#include "tests/app/ShellFixture.h"
#include "resources/CommandIds.h"

#include <QCoreApplication>
#include <QToolBar>

using namespace kiv;
using namespace kiv::test;

namespace {

std::vector<int> shown(const CKivDoc& doc)
{
    std::vector<int> out;
    for (int i = 0; i < doc.SatelliteCount; ++i)
        out.push_back(doc.SatInfo[i].shown);
    return out;
}

} // namespace

TEST_F(ShellTest, OneButtonPerSatelliteAndOnlyTheFirstShown)
{
    start();
    EXPECT_EQ(frame().ToolBar()->actions().size(), 13);
    EXPECT_FALSE(frame().SatelliteButton(0)->isChecked());
    EXPECT_TRUE(frame().SatelliteButton(1)->isChecked());
    EXPECT_TRUE(frame().SatelliteButton(2)->isChecked());
    EXPECT_EQ(shown(doc()), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(frame().SatelliteButton(1)->text(), QStringLiteral("SAT 1"));

    frame().SatelliteButton(1)->trigger();
    EXPECT_EQ(shown(doc()), (std::vector<int>{1, 1, 0}));
    EXPECT_FALSE(frame().SatelliteButton(1)->isChecked());
    frame().SatelliteButton(1)->trigger();
    EXPECT_EQ(shown(doc()), (std::vector<int>{1, 0, 0}));
    EXPECT_TRUE(frame().SatelliteButton(1)->isChecked());
}

TEST_F(ShellTest, DisplayAllShowsEverySatelliteAndRestoresTheButtons)
{
    start();
    frame().SatelliteButton(2)->trigger();
    run(kCmdDisplayAll);
    EXPECT_EQ(shown(doc()), (std::vector<int>{1, 1, 1}));
    EXPECT_FALSE(frame().SatelliteButton(0)->isVisible());
    EXPECT_TRUE(frame().Commands().action(kCmdDisplayAll)->isChecked());
    run(kCmdDisplayAll);
    EXPECT_EQ(shown(doc()), (std::vector<int>{1, 0, 1}));
    EXPECT_TRUE(frame().SatelliteButton(1)->isChecked());
    EXPECT_FALSE(frame().SatelliteButton(2)->isChecked());
    EXPECT_TRUE(frame().SatelliteButton(1)->isVisible());
    EXPECT_FALSE(frame().Commands().action(kCmdDisplayAll)->isChecked());

    doc().SatInfo[1].shown = 1; // e.g. the follow command
    doc().UpdateSatelliteToolbar();
    EXPECT_FALSE(frame().SatelliteButton(1)->isChecked());
}

TEST_F(ShellTest, EveryButtonWorksAndNoneWithoutSatellites)
{
    writeFile("many.tle", satelliteFile(100));
    start("[Allgemein]\nSatellitenfilename=many.tle\n");
    EXPECT_EQ(frame().ToolBar()->actions().size(), 110);
    frame().SatelliteButton(99)->trigger();
    EXPECT_EQ(doc().SatInfo[99].shown, 1);

    run(kCmdDisplayAll); // Display all on; a reload clears it
    writeFile("none.tle", "");
    app_->OpenFile(path("none.tle"));
    EXPECT_EQ(doc().SatelliteCount, 0);
    EXPECT_EQ(doc().DisplayAll, 0);
    EXPECT_EQ(frame().ToolBar()->actions().size(), 10);
    EXPECT_EQ(frame().SatelliteButton(0), nullptr);
    EXPECT_FALSE(run(kCmdFirstSatellite));
}

TEST_F(ShellTest, FixedButtonsKeepSizeAndPlaceWhateverTheSatelliteButtonsDo)
{
    // More satellite buttons than the bar has room for: without them the bar has room to spare.
    writeFile("many.tle", satelliteFile(100));
    start("[Allgemein]\nSatellitenfilename=many.tle\nShow3D=FALSE\n");
    frame().resize(700, 500);
    frame().show();
    const auto places = [&] {
        QCoreApplication::processEvents();
        std::vector<QRect> out;
        for (int id : {kCmdPlay, kCmdPause, kCmdReset, kCmdZoom, kCmdDraw, kCmdDisplayAll})
            out.push_back(frame().ToolBar()->widgetForAction(frame().Commands().action(id))->geometry());
        return out;
    };
    const std::vector<QRect> before = places();
    run(kCmdDisplayAll);
    EXPECT_EQ(places(), before);
    run(kCmdDisplayAll);
    EXPECT_EQ(places(), before);
    frame().hide();
}
