#pragma once
// The globe's camera as plain state: the projection and model-view matrices in double
// precision, which the renderer loads at the start of every frame. Pan and zoom accumulate in
// the projection, turns in the model-view; a look-at replaces the model-view, a reset of the
// projection (double click, resize) drops pan and zoom.

#include "views3d/Matrix4.h"

#include <optional>

namespace kiv {

struct Perspective {
    double fieldOfView = 20.0; // degrees, vertical
    double zNear = 5.0;
    double zFar = 400000.0;    // beyond the sun and the stars
};

struct WindowPoint {
    int x = 0;
    int y = 0; // counted from the bottom, as GL counts
};

class GlobeCamera {
public:
    // Window size in device pixels; a height of 0 is taken as 1.
    void setPerspective(const Perspective& perspective, int width, int height);
    // A new window size: ignored for a height of 0 or less, else the projection is set anew.
    void resize(int width, int height);
    void resetProjection();

    void lookAt(Vec3 eye);
    // Mouse moves, in pixels of the last move (last minus current position).
    void pan(double dx, double dy);
    void zoom(double dy);
    void turn(double dx, double dy);
    void roll(double dx, double dy);
    // The geostationary camera turns about the polar axis with the earth.
    void turnAboutPolarAxis(double degrees);
    // Both matrices as a settings archive restores them; the next resize sets the projection anew.
    void setMatrices(const Matrix4& projection, const Matrix4& modelView);

    const Matrix4& projection() const { return projection_; }
    const Matrix4& modelView() const { return modelView_; }
    const Perspective& perspective() const { return perspective_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Where the eye is in the scene (turns only ever enter the model-view).
    Vec3 eye() const;
    // The window position of a scene point, or nothing when it is clipped.
    std::optional<WindowPoint> project(Vec3 point) const;

private:
    Perspective perspective_;
    int width_ = 1;
    int height_ = 1;
    Matrix4 projection_;
    Matrix4 modelView_;
};

} // namespace kiv
