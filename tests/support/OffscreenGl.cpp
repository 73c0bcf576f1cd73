#include "tests/support/OffscreenGl.h"
#include "tests/support/GlDriver.h"

#include <QGuiApplication>

#include <GL/gl.h>

namespace kiv::test {

namespace {

bool ensureGuiApplication()
{
    if (QCoreApplication::instance())
        return true;
    static int argc = 1;
    static char name[] = "kiv-gl-test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    return true;
}

} // namespace

OffscreenGl::OffscreenGl(int width, int height)
    : application_(ensureGuiApplication()), width_(width), height_(height)
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    context_.setFormat(format);
    if (!context_.create()) {
        error_ = QStringLiteral("no OpenGL context (is there a display?)");
        return;
    }
    surface_.setFormat(context_.format());
    surface_.create();
    if (!context_.makeCurrent(&surface_)) {
        error_ = QStringLiteral("the OpenGL context cannot be made current");
        return;
    }
    keepGlDriverLoaded();
    fbo_ = std::make_unique<QOpenGLFramebufferObject>(width, height, QOpenGLFramebufferObject::Depth);
    fbo_->bind();
    glViewport(0, 0, width, height);
}

OffscreenGl::~OffscreenGl()
{
    if (!fbo_)
        return;
    context_.makeCurrent(&surface_);
    fbo_.reset();
    context_.doneCurrent();
}

void OffscreenGl::makeCurrent()
{
    if (!fbo_)
        return;
    context_.makeCurrent(&surface_);
    fbo_->bind();
}

QImage OffscreenGl::grab()
{
    glFinish();
    // Colours are compared without their alpha, as the window shows them: a line drawn with
    // alpha 0 is still a visible line.
    QImage image = fbo_->toImage();
    if (image.format() == QImage::Format_RGBA8888_Premultiplied || image.format() == QImage::Format_RGBA8888)
        image.reinterpretAsFormat(QImage::Format_RGBX8888);
    else
        image.reinterpretAsFormat(QImage::Format_RGB32);
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace kiv::test
