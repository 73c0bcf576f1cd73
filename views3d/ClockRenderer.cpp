#include "views3d/ClockRenderer.h"

#include "views3d/GlModelSink.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace kiv {

namespace {

constexpr double kFieldOfView = 45.0;
constexpr double kNear = 1.0;
constexpr double kFar = 1000.0;
constexpr float kSecondLineGrey[] = {0.8f, 0.8f, 0.8f, 1.0f};

void vertex(const Vec3& v) { glVertex3d(v.x, v.y, v.z); }

// A disc of radius 2h in the xy plane.
void drawDisc(double h, int n)
{
    glBegin(GL_TRIANGLE_FAN);
    glVertex3d(0.0, 0.0, 0.0);
    for (int i = 0; i < n; ++i)
        vertex(ringPoint(i, n, 2.0 * h));
    glVertex3d(0.0, 2.0 * h, 0.0);
    glEnd();
}

// An open tube along z from 0 to the length.
void drawTube(double radius, double length, int n)
{
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < n; ++i) {
        const Vec3 p = ringPoint(i, n, radius);
        glVertex3d(p.x, p.y, 0.0);
        glVertex3d(p.x, p.y, length);
    }
    glVertex3d(0.0, radius, 0.0);
    glVertex3d(0.0, radius, length);
    glEnd();
}

// A cone pointing along +y with its base disc in the xz plane.
void drawCone(double radius, double height, int n)
{
    const auto rim = [&] {
        for (int i = 0; i < n; ++i) {
            const Vec3 p = ringPoint(i, n, radius);
            glVertex3d(p.x, 0.0, p.y);
        }
        glVertex3d(0.0, 0.0, radius);
    };
    glBegin(GL_TRIANGLE_FAN);
    glVertex3d(0.0, height, 0.0);
    rim();
    glEnd();
    glBegin(GL_TRIANGLE_FAN);
    glVertex3d(0.0, 0.0, 0.0);
    rim();
    glEnd();
}

// Opaque parts write depth and replace what lies behind; a part with any other alpha is added
// to the picture and lets what lies behind it show.
void setBlending(float alpha)
{
    if (alpha == 1.0f) {
        glDisable(GL_BLEND);
        glDepthMask(GL_TRUE);
    } else {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glDepthMask(GL_FALSE);
    }
}

void setSurface(const float* rgba)
{
    setBlending(rgba[3]);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, rgba);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, rgba);
}

double reduced(double degrees) { return std::fmod(degrees, 360.0); }

} // namespace

ClockRenderer::ClockRenderer(const ClockColors& colors) : colors_(colors) {}

void ClockRenderer::initialize(int width, int height)
{
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glFrontFace(GL_CCW);
    glDisable(GL_CULL_FACE);
    glShadeModel(GL_FLAT);
    glEnable(GL_LIGHT0);
    const GLfloat ambient[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);
    resize(width, height);
    if (listBase_ == 0)
        listBase_ = glGenLists(ListCount);
    buildLists();
}

void ClockRenderer::release()
{
    if (listBase_ != 0)
        glDeleteLists(listBase_, ListCount);
    listBase_ = 0;
}

void ClockRenderer::resize(int width, int height)
{
    if (height <= 0)
        return;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, static_cast<double>(width) / height, kNear, kFar);
    glMatrixMode(GL_MODELVIEW);
}

void ClockRenderer::setColors(const ClockColors& colors)
{
    colors_ = colors;
    if (listBase_ != 0)
        buildLists();
}

void ClockRenderer::setMaterial(ClockPart part) { setSurface(colors_[static_cast<std::size_t>(part)].data()); }

double ClockRenderer::buildGear(const GearOutline& gear, double width)
{
    const double back = -width / 2.0;
    const double front = width / 2.0;
    glBegin(GL_QUAD_STRIP);
    for (const Vec3& p : gear.points) {
        glVertex3d(p.x, p.y, back);
        glVertex3d(p.x, p.y, front);
    }
    glVertex3d(gear.points.front().x, gear.points.front().y, back);
    glVertex3d(gear.points.front().x, gear.points.front().y, front);
    glEnd();
    for (const double z : {back, front}) {
        glBegin(GL_TRIANGLE_FAN);
        glVertex3d(0.0, 0.0, z);
        for (const Vec3& p : gear.points)
            glVertex3d(p.x, p.y, z);
        glVertex3d(gear.points.front().x, gear.points.front().y, z);
        glEnd();
    }
    return gear.tipRadius;
}

void ClockRenderer::buildHand(double hub, double thickness, double length, double tipRadius, double tipHeight)
{
    constexpr int n = ClockDimensions::kSegments;
    glTranslated(0.0, 0.0, -thickness / 2.0);
    setMaterial(ClockPart::PointerBase);
    drawDisc(hub, n);
    drawTube(2.0 * hub, thickness, n);
    glTranslated(0.0, 0.0, thickness);
    drawDisc(hub, n);
    glTranslated(0.0, 0.0, -thickness / 2.0);
    glRotated(-90.0, 1.0, 0.0, 0.0);
    setMaterial(ClockPart::PointerBar);
    drawTube(thickness / 4.0, length, n);
    glRotated(90.0, 1.0, 0.0, 0.0);
    glTranslated(0.0, length, 0.0);
    setMaterial(ClockPart::Pointer);
    drawCone(tipRadius, tipHeight, n);
    glTranslated(0.0, -length, 0.0);
}

void ClockRenderer::buildDial(double radius)
{
    constexpr int n = ClockDimensions::kSegments;
    setMaterial(ClockPart::Face);
    drawDisc(radius / 2.0, 2 * n);
    setMaterial(ClockPart::FacePoints);
    for (int k = 0; k < 12; ++k) {
        const Vec3 at = ringPoint(k, 12, 0.75 * radius);
        glTranslated(at.x, at.y, 0.0);
        drawCube(0.1 * radius);
        glTranslated(-at.x, -at.y, 0.0);
    }
}

void ClockRenderer::buildLists()
{
    using D = ClockDimensions;
    const double r1 = dimensions_.hourGear;
    const double r2 = dimensions_.minuteGear;
    const auto compile = [this](List list, auto&& draw) {
        glNewList(listBase_ + list, GL_COMPILE);
        draw();
        glEndList();
    };
    compile(HourGear, [&] {
        setMaterial(ClockPart::HourGear);
        buildGear(hourGearOutline(), D::kLargeWidth);
        setMaterial(ClockPart::HourBar);
        drawTube(r1 / 30.0, r1 / 2.0 + D::kGearSpacing, D::kSegments);
    });
    // Leaves the frame on the minute gear's plane: the minute hand, the second line, the dial and
    // the intermediate gears are placed from there.
    compile(MinuteGear, [&] {
        glTranslated(0.0, 0.0, D::kGearSpacing);
        setMaterial(ClockPart::MinuteGear);
        glRotated(28.0, 0.0, 0.0, 1.0);
        buildGear(minuteGearOutline(), D::kSmallWidth);
        glRotated(-28.0, 0.0, 0.0, 1.0);
        setMaterial(ClockPart::MinuteBar);
        drawTube(r2 / 6.0, r1 / 4.0, D::kSegments);
    });
    compile(SecondLine, [&] {
        const double back = -D::kGearSpacing * 16.0 / 13.0;
        glTranslated(0.0, 0.0, back);
        setSurface(kSecondLineGrey);
        glBegin(GL_LINES);
        glVertex3d(0.0, 0.0, 0.0);
        glVertex3d(0.0, r1, 0.0);
        glEnd();
        glTranslated(0.0, 0.0, -back);
    });
    compile(Intermediate, [&] {
        setMaterial(ClockPart::MinuteHourGear);
        buildGear(minuteHourGearOutline(), D::kSmallWidth);
        glTranslated(0.0, 0.0, -D::kGearSpacing);
        setMaterial(ClockPart::HourMinuteGear);
        buildGear(hourMinuteGearOutline(), D::kSmallWidth);
        setMaterial(ClockPart::MinuteHourBar);
        drawTube(r2 / 5.0, D::kGearSpacing, D::kSegments);
    });
    compile(MinuteHand, [&] { buildHand(r2 / 8.0, 4.0, r1 / 2.0, r2 / 4.0, r2); });
    compile(HourHand, [&] { buildHand(r2 / 8.0, 4.0, r1 / 4.0, r2 / 4.0, r2); });
    compile(Dial, [&] { buildDial(r1); });
}

void ClockRenderer::call(List list) const { glCallList(listBase_ + list); }

void ClockRenderer::render()
{
    // Depth writes and blending as the clear needs them, whatever the last part left.
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    const Rgba& background = colors_[static_cast<std::size_t>(ClockPart::Background)];
    glClearColor(background[0], background[1], background[2], background[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (listBase_ == 0)
        return;

    const double r1 = dimensions_.hourGear;
    const HandAngles angles = handAngles(time_);
    const double hour = reduced(angles.hour);
    const double minute = reduced(angles.minute);
    const double second = reduced(angles.second);
    glTranslated(0.0, 0.0, clockDistance(viewpoint_.zoom));
    glRotated(5.0 * viewpoint_.turn, 0.0, 1.0, 0.0);
    glRotated(5.0 * viewpoint_.tilt, 1.0, 0.0, 0.0);

    const auto callAt = [this](double z, List list) {
        glTranslated(0.0, 0.0, z);
        call(list);
        glTranslated(0.0, 0.0, -z);
    };
    glRotated(-hour, 0.0, 0.0, 1.0);
    call(HourGear);
    callAt(r1 / 2.0 + ClockDimensions::kGearSpacing, HourHand);
    glRotated(hour - minute, 0.0, 0.0, 1.0);
    call(MinuteGear);
    callAt(r1 / 4.0, MinuteHand);
    glRotated(minute - second, 0.0, 0.0, 1.0);
    callAt(r1, SecondLine);
    glRotated(second, 0.0, 0.0, 1.0);
    callAt(r1 / 8.0, Dial);
    glTranslated(0.0, r1 + dimensions_.hourMinuteGear - ClockDimensions::kToothHeight / 2.0, 0.0);
    glRotated(reduced(3.0 * angles.hour + 30.0), 0.0, 0.0, 1.0);
    call(Intermediate);
}

} // namespace kiv
