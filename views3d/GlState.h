#pragma once
// Small helpers for the fixed-function state the globe sets again and again.

#include <GL/gl.h>
#include <GL/glu.h>

#include <memory>

namespace kiv::gl {

inline void material(GLenum face, GLenum what, float r, float g, float b, float a = 1.0f)
{
    const GLfloat c[] = {r, g, b, a};
    glMaterialfv(face, what, c);
}

// The colour of the table (RGBA floats) as current colour.
inline void color(const float* rgba) { glColor4fv(rgba); }

struct QuadricDeleter {
    void operator()(GLUquadric* q) const { gluDeleteQuadric(q); }
};
// A quadric for one drawing call.
using Quadric = std::unique_ptr<GLUquadric, QuadricDeleter>;

inline void setEnabled(GLenum capability, bool on) { on ? glEnable(capability) : glDisable(capability); }

} // namespace kiv::gl
