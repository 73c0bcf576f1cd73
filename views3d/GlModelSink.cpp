#include "views3d/GlModelSink.h"

#include "views3d/GlState.h"

namespace kiv {

namespace {

void emit(Vec3 v) { glVertex3d(v.x, v.y, v.z); }


} // namespace

void GlModelSink::pushMatrix() { glPushMatrix(); }
void GlModelSink::popMatrix() { glPopMatrix(); }
void GlModelSink::setCulling(bool on) { on ? glEnable(GL_CULL_FACE) : glDisable(GL_CULL_FACE); }
void GlModelSink::begin(Primitive primitive) { glBegin(static_cast<GLenum>(primitive)); }
void GlModelSink::end() { glEnd(); }
void GlModelSink::vertex(Vec3 v) { emit(v); }
void GlModelSink::translate(Vec3 by) { glTranslated(by.x, by.y, by.z); }
void GlModelSink::rotate(double degrees, Vec3 axis) { glRotated(degrees, axis.x, axis.y, axis.z); }
void GlModelSink::color(double r, double g, double b) { glColor3d(r, g, b); }

void GlModelSink::material(double r, double g, double b)
{
    const GLfloat c[] = {static_cast<GLfloat>(r), static_cast<GLfloat>(g), static_cast<GLfloat>(b), 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, c);
}

void GlModelSink::cube(double edge) { drawCube(edge); }

void GlModelSink::sphere(double radius, Detail detail)
{
    const gl::Quadric q(gluNewQuadric());
    gluSphere(q.get(), radius, detail.slices, detail.stacks);
}

// Normals do not change along a cylinder's or cone's length, so one stack draws and lights it
// exactly as many would, with a fraction of the vertices.
void GlModelSink::cylinder(double baseRadius, double topRadius, double height, Detail detail)
{
    const gl::Quadric q(gluNewQuadric());
    gluCylinder(q.get(), baseRadius, topRadius, height, detail.slices, 1);
}

void drawCube(double edge)
{
    const CubeVertices cube = cubeVertices(edge);
    glBegin(GL_QUAD_STRIP);
    for (const Vec3& v : cube.sides)
        emit(v);
    glEnd();
    glBegin(GL_QUADS);
    for (const Vec3& v : cube.caps)
        emit(v);
    glEnd();
}

void drawCircle(double radius, int points, unsigned mode)
{
    glBegin(mode);
    for (const Vec3& v : circlePoints(radius, points))
        emit(v);
    glEnd();
}

} // namespace kiv
