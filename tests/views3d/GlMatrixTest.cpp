// The camera's own matrices against the GL and GLU calls they stand for.
#include "tests/support/OffscreenGl.h"
#include "views3d/GlobeCamera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace kiv;

namespace {

// The GL matrix in use, element by element (both column-major); GL keeps single precision.
void expectSame(const Matrix4& ours, GLenum which)
{
    GLdouble m[16];
    glGetDoublev(which, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(ours.data()[i], m[i], 1e-6 * std::max(1.0, std::abs(m[i]))) << "element " << i;
}

} // namespace

TEST(GlMatrix, CameraMatchesTheFixedFunctionCalls)
{
    kiv::test::OffscreenGl gl(64, 64);
    ASSERT_TRUE(gl.valid()) << gl.error().toStdString();
    GlobeCamera camera;
    camera.setPerspective({20.0, 5.0, 400000.0}, 800, 600);
    camera.lookAt({30.0, 40.0, -120.0});
    camera.pan(7.0, -3.0);
    camera.turn(12.0, -5.0);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(20.0, 800.0 / 600.0, 5.0, 400000.0);
    glTranslated(-7.0, -3.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(30.0, 40.0, -120.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glRotated(-5.0, 1.0, 0.0, 0.0);
    glRotated(12.0, 0.0, -1.0, 0.0);
    expectSame(camera.projection(), GL_PROJECTION_MATRIX);
    expectSame(camera.modelView(), GL_MODELVIEW_MATRIX);

    // The window position of a point, as GLU projects it.
    const GLint viewport[] = {0, 0, 800, 600};
    GLdouble x = 0, y = 0, z = 0;
    ASSERT_TRUE(gluProject(3.0, 4.0, 5.0, camera.modelView().data(), camera.projection().data(), viewport, &x, &y, &z));
    const auto at = camera.project({3.0, 4.0, 5.0});
    ASSERT_TRUE(at);
    EXPECT_EQ(at->x, static_cast<int>(x));
    EXPECT_EQ(at->y, static_cast<int>(y));
}
