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

// The see-through beam's state: additive blending, no depth writes, both faces drawn. Set when
// `on`, and undone when the guard ends by the same flag, so that the two always match.
class TransparentBeam {
public:
    explicit TransparentBeam(bool on) : on_(on)
    {
        if (!on_)
            return;
        glEnable(GL_BLEND);
        glDepthMask(GL_FALSE);
        glDisable(GL_CULL_FACE);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    }
    ~TransparentBeam()
    {
        if (!on_)
            return;
        glEnable(GL_CULL_FACE);
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
    }
    TransparentBeam(const TransparentBeam&) = delete;
    TransparentBeam& operator=(const TransparentBeam&) = delete;

private:
    bool on_;
};

} // namespace kiv::gl
