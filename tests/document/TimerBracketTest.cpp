// The modal-dialog bracket and the reload that runs inside it.
#include "document/TimerBracket.h"
#include "tests/support/DocumentFixture.h"

using namespace kiv;
using namespace kiv::test;

namespace {

const char* kProfile = "[Allgemein]\nSatellitenfilename=sats.tle\n";

// A globe that records the reload's calls with the timer state at each, and runs an animation
// step in the middle, as a message box's event loop would.
class ReentrantGlobe final : public WorldViewPort {
public:
    ReentrantGlobe(CKivDoc& doc, const FakeFrame& frame) : doc_(doc), frame_(frame) {}
    void RenderScene() override { log("RenderScene"); }
    void ShowFramesPerSecond() override {}
    void FreeOrbitBuffers() override { log("FreeOrbitBuffers"); }
    void ResetOrbitState() override { log("ResetOrbitState"); }
    void BuildOrbitLists() override
    {
        log("BuildOrbitLists");
        doc_.AnimationStep();
    }
    void BuildStarList() override { log("BuildStarList"); }
    void FollowFrom(const tagVECTOR&) override {}
    void LookAt(double, double, double) override {}
    void SetEarthTexture(const QImage&) override {}
    void SetQuality(const tagQUALITY&) override {}
    void MoveProjectionZ(double) override {}

    std::vector<std::string> calls;
    int callsWithTimerOn = 0;

private:
    void log(const char* call)
    {
        calls.emplace_back(call);
        callsWithTimerOn += frame_.timerOn ? 1 : 0;
    }
    CKivDoc& doc_;
    const FakeFrame& frame_;
};

class TimerBracketTest : public DocumentTest {
protected:
    CKivDoc& start()
    {
        writeFile("sats.tle", lowSatellites(3));
        CKivDoc& doc = makeDocument(kProfile);
        doc.EnableAnimationTimer(true);
        return doc;
    }
};

} // namespace

TEST_F(TimerBracketTest, HoldsTheTimerOffUntilTheOutermostBracketEnds)
{
    CKivDoc& doc = start();
    for (const int running : {1, 0}) {
        doc.AnimationRunning = running;
        doc.EnableAnimationTimer(true);
        {
            const TimerBracket outer(doc);
            EXPECT_FALSE(frame_.timerOn);
            {
                const TimerBracket inner(doc);
                doc.EnableAnimationTimer(true); // e.g. Play from inside a dialog: still held
                EXPECT_FALSE(frame_.timerOn);
            }
            EXPECT_FALSE(frame_.timerOn) << "the inner bracket must not end the outer hold";
        }
        EXPECT_EQ(frame_.timerOn, running == 1);
    }
}

TEST_F(TimerBracketTest, AReloadRunsInOrderWithTheTimerOffAndNoStep)
{
    CKivDoc& doc = start();
    ReentrantGlobe globe(doc, frame_);
    FakeViews flat;
    doc.Views.add(static_cast<WorldViewPort*>(&globe));
    doc.Views.add(static_cast<MapViewPort*>(&flat));
    doc.Show3D = 1;
    doc.TimeFactor = 60;
    const kiv::Time before = doc.SimTime;

    writeFile("sats.tle", lowSatellites(2));
    doc.ReloadSatellites();
    EXPECT_EQ(globe.calls,
              (std::vector<std::string>{"FreeOrbitBuffers", "ResetOrbitState", "BuildOrbitLists"}));
    EXPECT_EQ(globe.callsWithTimerOn, 0);
    EXPECT_EQ(doc.SimTime, before) << "no animation step may run during a reload";
    EXPECT_EQ(flat.calls, std::vector<std::string>{"LayoutLabels"});
    EXPECT_EQ(doc.SatelliteCount, 2);
    EXPECT_TRUE(frame_.timerOn);
    EXPECT_EQ(ui_.waitDepth(), 0);

    globe.calls.clear();
    doc.ReloadSatellites(true);
    EXPECT_EQ(globe.calls.back(), "BuildStarList");

    ui_.clock.advanceMs(1000);
    doc.AnimationStep(); // steps run again after the reload
    EXPECT_EQ(globe.calls.back(), "RenderScene");
}
