#include "views3d/GlobeCamera.h"

#include <algorithm>
#include <cmath>

namespace kiv {

void GlobeCamera::setPerspective(const Perspective& perspective, int width, int height)
{
    perspective_ = perspective;
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    resetProjection();
}

void GlobeCamera::resize(int width, int height)
{
    if (height <= 0)
        return;
    setPerspective(perspective_, width, height);
}

void GlobeCamera::resetProjection()
{
    projection_ = Matrix4::perspective(perspective_.fieldOfView, static_cast<double>(width_) / height_,
                                       perspective_.zNear, perspective_.zFar);
}

void GlobeCamera::lookAt(Vec3 eye) { modelView_ = Matrix4::lookAt(eye, {0.0, 0.0, 0.0}, {0.0, 1.0, 0.0}); }

void GlobeCamera::pan(double dx, double dy) { projection_ = projection_ * Matrix4::translation(-dx, dy, 0.0); }

void GlobeCamera::zoom(double dy) { projection_ = projection_ * Matrix4::translation(0.0, 0.0, dy); }

void GlobeCamera::turn(double dx, double dy)
{
    modelView_ = modelView_ * Matrix4::rotation(dy, 1.0, 0.0, 0.0) * Matrix4::rotation(dx, 0.0, -1.0, 0.0);
}

void GlobeCamera::roll(double dx, double dy)
{
    modelView_ = modelView_ * Matrix4::rotation(dy, 0.0, 0.0, 1.0) * Matrix4::rotation(dx, 0.0, -1.0, 0.0);
}

void GlobeCamera::turnAboutPolarAxis(double degrees) { modelView_ = modelView_ * Matrix4::rotation(degrees, 0.0, 1.0, 0.0); }

Vec3 GlobeCamera::eye() const
{
    // The model-view is a rotation R and a translation t: the eye is -R^T t.
    const Matrix4& m = modelView_;
    const Vec3 t{m(0, 3), m(1, 3), m(2, 3)};
    return Vec3{-(m(0, 0) * t.x + m(1, 0) * t.y + m(2, 0) * t.z), -(m(0, 1) * t.x + m(1, 1) * t.y + m(2, 1) * t.z),
                -(m(0, 2) * t.x + m(1, 2) * t.y + m(2, 2) * t.z)};
}

std::optional<WindowPoint> GlobeCamera::project(Vec3 point) const
{
    const Vec4 clip = projection_ * (modelView_ * Vec4{point.x, point.y, point.z, 1.0});
    const auto inside = [&clip](double v) { return -clip.w <= v && v <= clip.w; };
    if (!(clip.w > 0.0) || !inside(clip.x) || !inside(clip.y) || !inside(clip.z))
        return std::nullopt;
    const double x = (clip.x / clip.w + 1.0) / 2.0 * width_;
    const double y = (clip.y / clip.w + 1.0) / 2.0 * height_;
    return WindowPoint{static_cast<int>(x), static_cast<int>(y)};
}

void GlobeCamera::setMatrices(const Matrix4& projection, const Matrix4& modelView)
{
    projection_ = projection;
    modelView_ = modelView;
}

} // namespace kiv
