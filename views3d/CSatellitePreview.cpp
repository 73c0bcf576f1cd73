#include "views3d/CSatellitePreview.h"

namespace kiv {

CSatellitePreview::CSatellitePreview(MessageBoxes& messages, QWidget* parent) : COpenGLView(messages, parent) {}

CSatellitePreview::~CSatellitePreview() { releaseContext(); }

void CSatellitePreview::SetLook(const PreviewLook& look)
{
    look_ = look;
    // Without a context the look waits for the set-up.
    withContext([this] { scene_.build(look_); });
    update();
}

void CSatellitePreview::Turn(double degrees, Vec3 axis)
{
    scene_.turn(degrees, axis);
    update();
}

void CSatellitePreview::MoveProjection(double dz)
{
    scene_.moveProjection(dz);
    update();
}

void CSatellitePreview::initializeScene(int width, int height)
{
    scene_.initialize(width, height);
    scene_.build(look_);
}

void CSatellitePreview::paintScene() { scene_.render(); }

void CSatellitePreview::resizeScene(int width, int height) { scene_.resize(width, height); }

void CSatellitePreview::releaseScene() { scene_.release(); }

} // namespace kiv
