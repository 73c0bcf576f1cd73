#include "views3d/PreviewScene.h"

#include "document/BeamFootprint.h"
#include "views3d/GlModelSink.h"
#include "views3d/GlState.h"
#include "views3d/GlobeLists.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kiv {

namespace {

constexpr double kBeamLength = 10.0;
constexpr double kBeamBaseRadius = 0.1;

} // namespace

double PreviewScene::beamTopRadius(double beamAngle)
{
    return std::tan(clampBeamAngle(beamAngle) * std::numbers::pi / 360.0) * kBeamLength;
}

void PreviewScene::initialize(int width, int height)
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glShadeModel(GL_SMOOTH);
    const GLfloat ambient[] = {0.3f, 0.0f, 1.0f, 0.5f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    modelView_ = Matrix4::translation(0.0, 0.0, -5.0);
    resize(width, height);
}

void PreviewScene::release()
{
    if (built_)
        glDeleteLists(lists::kSatelliteModel, 1);
    built_ = false;
}

void PreviewScene::resize(int width, int height)
{
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    projection_ = Matrix4::perspective(45.0, double(width_) / double(height_), 1.0, 1000.0) *
                  Matrix4::translation(0.0, 0.0, projectionShift_);
}

void PreviewScene::drawBeam(const PreviewLook& look)
{
    if (look.beamDrawStyle < 1 || look.beamDrawStyle > 3)
        return;
    const gl::TransparentBeam see(look.beamDrawStyle == 3);
    if (look.beamDrawStyle == 1) {
        glBegin(GL_LINES);
        glVertex3d(0.0, 0.0, 0.0);
        glVertex3d(0.0, 0.0, kBeamLength);
        glEnd();
        return;
    }
    gl::material(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, 0.8f, 0.8f, 0.8f, std::clamp(look.transparency, 0.0f, 1.0f));
    GlModelSink().cylinder(kBeamBaseRadius, beamTopRadius(look.beamAngle), kBeamLength, look.body.detail);
}

ModelFileRead PreviewScene::build(const PreviewLook& look)
{
    glNewList(lists::kSatelliteModel, GL_COMPILE);
    drawBeam(look);
    gl::material(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, 0.8f, 0.8f, 0.8f);
    glColor4f(0.8f, 0.8f, 0.8f, 1.0f);
    const ModelFileRead read = drawSatelliteBody(look.body, true);
    glEndList();
    built_ = true;
    return read;
}

void PreviewScene::render()
{
    glViewport(0, 0, width_, height_);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(projection_.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(modelView_.data());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (built_)
        glCallList(lists::kSatelliteModel);
}

void PreviewScene::turn(double degrees, Vec3 axis)
{
    modelView_ = modelView_ * Matrix4::rotation(degrees, axis.x, axis.y, axis.z);
}

void PreviewScene::moveProjection(double dz)
{
    projectionShift_ += dz;
    resize(width_, height_);
}

} // namespace kiv
