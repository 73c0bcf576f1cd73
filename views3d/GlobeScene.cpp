// GlobeRenderer: the scene around the satellites: earth, coordinate cross, moon, sun with its
// lens flare, and the stars.
#include "views3d/GlobeRenderer.h"

#include "document/CKivDoc.h"
#include "views3d/GlModelSink.h"
#include "views3d/GlState.h"
#include "views3d/GlobeLists.h"
#include "views3d/GlobeMotion.h"
#include "views3d/SceneGeometry.h"
#include "views3d/StarField.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kiv {

namespace {

constexpr double kMoonRadius = 1.74;
constexpr double kSunRadius = 2088.0;
constexpr float kFlare[] = {0.98f, 0.98f, 0.5f, 0.15f};
constexpr float kFlareBand[] = {0.98f, 0.3f, 0.3f, 0.25f};


void flareMaterial(const float* rgba)
{
    gl::color(rgba);
    gl::material(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, rgba[0], rgba[1], rgba[2], rgba[3]);
}

} // namespace

void GlobeRenderer::buildEarthList()
{
    glNewList(lists::kEarth, GL_COMPILE);
    if (texturing_) {
        drawTexturedSphere();
    } else {
        const gl::Quadric q(gluNewQuadric());
        gl::material(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, 1.0f, 1.0f, 1.0f);
        if (doc_.ShadeMode == 3)
            gluQuadricDrawStyle(q.get(), GLU_LINE);
        gluSphere(q.get(), kEarthRadius, detail().slices, detail().stacks);
    }
    glEndList();
    buildCrossList();
}

void GlobeRenderer::drawTexturedSphere()
{
    gl::material(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, 0.4f, 0.4f, 0.9f);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture_);
    for (const auto& strip : texturedSphere(kEarthRadius, detail(), doc_.TextureDeltaErde)) {
        glBegin(GL_QUAD_STRIP);
        for (const SphereVertex& v : strip) {
            glTexCoord2f(v.s, v.t);
            glNormal3d(v.position.x, v.position.y, v.position.z);
            glVertex3d(v.position.x, v.position.y, v.position.z);
        }
        glEnd();
    }
    glDisable(GL_TEXTURE_2D);
}

void GlobeRenderer::buildCrossList()
{
    struct Axis {
        Vec3 end;
        float r, g, b;
    };
    const Axis axes[] = {{{kCrossHalfLength, 0, 0}, 0, 1, 0}, {{0, kCrossHalfLength, 0}, 1, 0, 0}, {{0, 0, kCrossHalfLength}, 0, 0, 1}};
    glNewList(lists::kCross, GL_COMPILE);
    glBegin(GL_LINES);
    for (const Axis& a : axes) {
        glColor3f(a.r, a.g, a.b);
        gl::material(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, a.r, a.g, a.b);
        glVertex3d(a.end.x, a.end.y, a.end.z);
        glVertex3d(-a.end.x, -a.end.y, -a.end.z);
    }
    glEnd();
    glEndList();
}

void GlobeRenderer::buildMoonList()
{
    const gl::Quadric q(gluNewQuadric());
    glNewList(lists::kMoon, GL_COMPILE);
    gl::material(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, 1.0f, 1.0f, 1.0f);
    gluSphere(q.get(), kMoonRadius, detail().slices, detail().stacks);
    glEndList();
}

void GlobeRenderer::buildSunList()
{
    const gl::Quadric q(gluNewQuadric());
    glNewList(lists::kSun, GL_COMPILE);
    gl::material(GL_FRONT, GL_EMISSION, 0.98f, 0.98f, 0.5f);
    glColor4f(0.98f, 0.98f, 0.5f, 1.0f);
    gluSphere(q.get(), kSunRadius, detail().slices, detail().stacks);
    gl::material(GL_FRONT, GL_EMISSION, 0.0f, 0.0f, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEndList();
}

void GlobeRenderer::buildStarList()
{
    glNewList(lists::kStars, GL_COMPILE);
    gl::material(GL_FRONT, GL_EMISSION, 1.0f, 1.0f, 1.0f);
    glBegin(GL_POINTS);
    for (const Vec3& star : starField(doc_.Sterne))
        glVertex3d(star.x, star.y, star.z);
    glEnd();
    gl::material(GL_FRONT, GL_EMISSION, 0.0f, 0.0f, 0.0f);
    glEndList();
}

void GlobeRenderer::buildLensFlareLists()
{
    const double s = flareScale(camera_.width(), camera_.height());
    for (int i = 0; i < kFlareDiscs; ++i) {
        glNewList(lists::kFlareDiscs + static_cast<unsigned>(i), GL_COMPILE);
        drawCircle(s * kFlareDiscTable[i].radius, detail().slices, GL_TRIANGLE_FAN);
        glEndList();
    }
    glNewList(lists::kFlareRing, GL_COMPILE);
    glBegin(GL_QUADS);
    for (int k = 0; k < 10; ++k) {
        const double a = k * 0.62831855 + 0.1;
        const double c = std::cos(a) * s;
        const double n = std::sin(a) * s;
        glVertex3d(2.8 * c, 2.8 * n, 0.0);
        glVertex3d(1.5 * c, 1.8 * n, 0.0);
        glVertex3d(0.7 * c, 0.7 * n, 0.0);
        glVertex3d(1.8 * c, 1.5 * n, 0.0);
    }
    glEnd();
    flareMaterial(kFlareBand);
    glBegin(GL_TRIANGLE_STRIP);
    const int points = detail().slices;
    for (int k = 0; k <= points; ++k) {
        const double a = 2.0 * std::numbers::pi / points * k;
        glVertex3d(1.8 * s * std::cos(a), 1.8 * s * std::sin(a), 0.0);
        glVertex3d(1.7 * s * std::cos(a), 1.7 * s * std::sin(a), 0.0);
    }
    glEnd();
    glEndList();
}

void GlobeRenderer::drawEarth(const SceneFrame& frame)
{
    glPushMatrix();
    glRotated(frame.earthTurnDeg, 0.0, 1.0, 0.0);
    glCallList(lists::kEarth);
    if (doc_.ShowCenterCross)
        glCallList(lists::kCross);
    drawSatellites();
    glPopMatrix();
}

// At its true distance: the moon's radius is to scale with the earth's.
void GlobeRenderer::drawMoon(const SceneFrame& frame, double jd)
{
    double sun[4], moon[4];
    doc_.Orbit.SunMoon(jd, sun, moon);
    const Vec3 at = frame.inertialToScene({moon[0], moon[1], moon[2], moon[3]});
    glPushMatrix();
    glTranslated(at.x, at.y, at.z);
    glCallList(lists::kMoon);
    glPopMatrix();
}

void GlobeRenderer::drawSun(Vec3 sun)
{
    glPushMatrix();
    glTranslated(sun.x, sun.y, sun.z);
    glCallList(lists::kSun);
    glPopMatrix();
    if (const std::optional<WindowPoint> at = flareAt(doc_, camera_, sun))
        drawLensFlare(*at);
}

void GlobeRenderer::drawLensFlare(WindowPoint sun)
{
    const double w = camera_.width();
    const double h = camera_.height();
    const double cx = w / 2.0;
    const double cy = h / 2.0;
    const double px = sun.x;
    const double py = sun.y;
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, w, h, 0.0, -1.0, camera_.perspective().zFar);
    glMatrixMode(GL_MODELVIEW);
    flareMaterial(kFlare);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glTranslated(cx, cy, 0.0);
    const int discs = std::min(doc_.NrOfOcularReflections, kFlareDiscs);
    for (int i = 0; i < discs; ++i) {
        const double p = kFlareDiscTable[i].position;
        glPushMatrix();
        glTranslated((cx - px) * p, (py - cy) * p, 0.0);
        glCallList(lists::kFlareDiscs + static_cast<unsigned>(i));
        glPopMatrix();
    }
    glPushMatrix();
    glTranslated(px - cx, cy - py, 0.0);
    glCallList(lists::kFlareRing);
    glPopMatrix();
    flareMaterial(kFlare);
    glPushMatrix();
    glTranslated((cx - px) * 0.5, (py - cy) * 0.5, 0.0);
    glCallList(lists::kFlareRing);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_CULL_FACE);
    gl::setEnabled(GL_LIGHTING, lighting_);
    glPopMatrix();
}

} // namespace kiv
