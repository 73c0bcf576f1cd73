#pragma once
// The 3D style dialog's preview window: a PreviewScene in a context of its own. The dialog
// hands it the look to show and turns it; without a working GL context it stays a blank panel.

#include "views3d/COpenGLView.h"
#include "views3d/PreviewScene.h"

namespace kiv {

class CSatellitePreview : public COpenGLView {
public:
    explicit CSatellitePreview(kiv::MessageBoxes& messages, QWidget* parent = nullptr);
    ~CSatellitePreview() override;

    // The satellite and beam to show, compiled anew.
    void SetLook(const PreviewLook& look);
    void Turn(double degrees, Vec3 axis);
    void MoveProjection(double dz);

    const PreviewLook& Look() const { return look_; }
    const PreviewScene& Scene() const { return scene_; }

protected:
    void initializeScene(int width, int height) override;
    void paintScene() override;
    void resizeScene(int width, int height) override;
    void releaseScene() override;

private:
    PreviewScene scene_;
    PreviewLook look_;
};

} // namespace kiv
