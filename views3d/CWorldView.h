#pragma once
// The 3D globe's window: a thin adapter between Qt and the GlobeRenderer. It registers with the
// document's open views, turns mouse events into camera moves through GlobeMouse, keeps the
// globe's commands, and puts the frame rate into its frame's title.

#include "document/DocumentViews.h"
#include "platform/CommandMap.h"
#include "views3d/COpenGLView.h"
#include "views3d/GlobeMouse.h"
#include "views3d/GlobeRenderer.h"

#include <optional>


namespace kiv {

class CKivDoc;

class CWorldView : public COpenGLView, public kiv::WorldViewPort {
public:
    explicit CWorldView(CKivDoc& doc, QWidget* parent = nullptr);
    ~CWorldView() override;

    static QString Title() { return QStringLiteral("3D-View"); }
    // Leaves the document at once (the frame closes); the widget is deleted later.
    void Unregister();
    const kiv::CommandMap& Commands() const { return commands_; }

    void RenderScene() override;
    bool PictureMoved() override;
    void ShowFramesPerSecond() override;
    void FreeOrbitBuffers() override;
    void ResetOrbitState() override;
    void BuildOrbitLists() override;
    void BuildStarList() override;
    void FollowFrom(const tagVECTOR& positionKm) override;
    void LookAt(double latitude, double westLongitude, double distance) override;
    void SetEarthTexture(const QImage& picture) override;
    void BuildSatelliteLists() override;
    kiv::GlobeArchiveState ArchiveState() const override;
    void RestoreArchiveState(const kiv::GlobeArchiveState& state,
                             const std::optional<std::vector<std::string>>& model) override;
    void SetQuality(const tagQUALITY& quality) override;
    void MoveProjectionZ(double dz) override;

protected:
    void initializeScene(int width, int height) override;
    void paintScene() override;
    void resizeScene(int width, int height) override;
    void releaseScene() override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void bindCommands();
    void setBeamStyle(int style);
    void rebuildBeams();
    void endDrag();
    void showCursor();

    CKivDoc& doc_;
    kiv::GlobeRenderer renderer_;
    kiv::GlobeMouse mouse_;
    kiv::CommandMap commands_;
    std::optional<QImage> pendingTexture_; // a background picture that came before the context
    // A restored archive's globe state that came before the context.
    struct PendingArchive {
        kiv::GlobeArchiveState state;
        std::optional<std::vector<std::string>> model;
    };
    std::optional<PendingArchive> pendingArchive_;
    std::optional<kiv::GlobeArchiveState> archivedCamera_; // until the first frame is drawn
    bool registered_ = true;
};

} // namespace kiv
