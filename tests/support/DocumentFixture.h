#pragma once
// A document in a temporary working directory (holding a default icon list and colour table)
// with scripted services, an in-memory profile and fake windows that record what the document
// asks of them.

#include "document/CKivDoc.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScratchWorkspace.h"
#include "tests/support/TleWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace kiv::test {

class FakeFrame final : public MainFramePort {
public:
    void SetAnimationTimer(bool on) override { timerOn = on; }
    void SetTitle(const QString& text) override { title = text; }
    void SetStatusText(StatusPane pane, const QString& text) override
    {
        (pane == StatusPane::Clock ? clockText : factorText) = text;
        ++statusWrites;
    }
    void SetLanguage(int) override {}
    bool timerOn = false;
    QString title, clockText, factorText;
    int statusWrites = 0;
};

// Records the calls of the animation step in order.
class FakeViews final : public WorldViewPort, public MapViewPort, public ObsViewPort, public WDBViewPort {
public:
    void RenderScene() override { calls.push_back("RenderScene"); }
    // What every view answers when a step whose clock moved asks whether its picture moved.
    bool PictureMoved() override { return pictureMoved; }
    void ShowFramesPerSecond() override { calls.push_back("ShowFramesPerSecond"); }
    void FreeOrbitBuffers() override { calls.push_back("FreeOrbitBuffers"); }
    void ResetOrbitState() override { calls.push_back("ResetOrbitState"); }
    void BuildOrbitLists() override { calls.push_back("BuildOrbitLists"); }
    void BuildStarList() override { calls.push_back("BuildStarList"); }
    void FollowFrom(const tagVECTOR&) override { calls.push_back("FollowFrom"); }
    void LookAt(double, double, double distance) override
    {
        calls.push_back("LookAt");
        lookAtDistance = distance;
    }
    void RedrawMap() override { calls.push_back("RedrawMap"); }
    void SetWDBZoomBox(const QRectF&) override { calls.push_back("SetWDBZoomBox"); }
    void SetObserverMarker(double, double, double, double) override { calls.push_back("SetObserverMarker"); }
    void RedrawSky() override { calls.push_back("RedrawSky"); }
    void StoreObsSettings() override { calls.push_back("StoreObsSettings"); }
    void LoadObsSettings() override { calls.push_back("LoadObsSettings"); }
    void RefreshSatellites() override { calls.push_back("RefreshSatellites"); }
    void CentreOn(double, double) override { calls.push_back("CentreOn"); }
    QRectF Extent() const override { return {10, 20, 30, -40}; }
    void SetEarthTexture(const QImage&) override { calls.push_back("SetEarthTexture"); }
    void BuildSatelliteLists() override { calls.push_back("BuildSatelliteLists"); }
    void ShowWholeWorld(const QSize&) override { calls.push_back("ShowWholeWorld"); }
    void ShowRegion(const QRectF& extent, const QSize& size) override
    {
        calls.push_back("ShowRegion");
        region = extent;
        regionSize = size;
    }
    void SetQuality(const tagQUALITY& q) override
    {
        calls.push_back("SetQuality");
        quality = q;
    }
    void MoveProjectionZ(double dz) override
    {
        calls.push_back("MoveProjectionZ");
        projectionZ += dz;
    }
    // How often the document made the call.
    long count(const char* call) const { return std::count(calls.begin(), calls.end(), call); }

    std::vector<std::string> calls;
    bool pictureMoved = true;
    double lookAtDistance = 0.0;
    QRectF region;
    QSize regionSize;
    tagQUALITY quality;
    double projectionZ = 0.0;

private:
    void LayoutLabels() override { calls.push_back("LayoutLabels"); }
    void ReloadBackground() override { calls.push_back("ReloadBackground"); }
};

class DocumentTest : public ::testing::Test, protected ScratchWorkspace {
protected:
    DocumentTest();

    // Writes a file into the working directory.
    void writeFile(const std::string& name, const std::string& bytes) const;
    void removeFile(const std::string& name) const;
    std::string path(const std::string& name) const;
    // Builds the document (and reads the profile text first, if any).
    CKivDoc& makeDocument(const std::string& profileText = {});
    // A recording fake registered with the document as each kind given (WDB twice: two WDB
    // views), those kinds shown; it outlives the document.
    FakeViews& attachFakeViews(std::initializer_list<ViewKind> kinds);

    ScopedTimeZone zone_{"UTC0"};
    FakeFrame frame_;
    // The maps' and textures' pictures; none by default, so no map is loaded.
    PictureSource* pictures_ = nullptr;
    std::deque<FakeViews> fakeViews_; // before doc_: the document goes first
    std::unique_ptr<CKivDoc> doc_;
};

} // namespace kiv::test
