#pragma once
// The picture of the 3D style dialog's preview: one satellite at the origin with its beam along
// +z, lit by two lights, turned and zoomed by the dialog's buttons. The body is the globe's
// (SatelliteBody), compiled under the globe's model list number in the preview's own context.
// It is not a widget: the preview window and the off-screen tests drive it the same way; every
// operation needs the preview's context current.

#include "views3d/Matrix4.h"
#include "views3d/SatelliteBody.h"

namespace kiv {

struct PreviewLook {
    SatelliteBody body;
    int beamDrawStyle = 0;   // 0 none, 1 line, 2 cone, 3 see-through cone
    double beamAngle = 0.0;  // full angle, degrees
    float transparency = 1.0f;
};

class PreviewScene {
public:
    // The cone's radius at its far end, 10 units from the satellite, for a full beam angle.
    static double beamTopRadius(double beamAngle);

    // The set-up of a new context: lights, projection, the satellite moved back by 5.
    void initialize(int width, int height);
    // Deletes the list; initialize() and build() make it anew.
    void release();
    void resize(int width, int height);
    // Compiles the satellite and its beam; for a model file, what the file held.
    ModelFileRead build(const PreviewLook& look);
    // One frame into the current framebuffer.
    void render();
    // A turn of the satellite about an axis, and a move of the projection along z.
    void turn(double degrees, Vec3 axis);
    void moveProjection(double dz);

    const Matrix4& modelView() const { return modelView_; }
    const Matrix4& projection() const { return projection_; }

private:
    void drawBeam(const PreviewLook& look);

    Matrix4 projection_;
    Matrix4 modelView_;
    double projectionShift_ = 0.0; // the projection's moves along z
    int width_ = 1;
    int height_ = 1;
    bool built_ = false;
};

} // namespace kiv
