#pragma once
// An OpenGL compatibility context without a window, for pixel tests and benchmarks: an
// off-screen surface, a framebuffer object with a depth buffer, and read-back to a QImage. Needs
// a display (tests run it under xvfb-run with Mesa's llvmpipe); it makes the GUI application
// object itself when there is none.

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QString>

#include <memory>

namespace kiv::test {

class OffscreenGl {
public:
    OffscreenGl(int width, int height);
    ~OffscreenGl();
    OffscreenGl(const OffscreenGl&) = delete;
    OffscreenGl& operator=(const OffscreenGl&) = delete;

    // False, with the reason in error(), when no context could be made current.
    bool valid() const { return fbo_ != nullptr; }
    const QString& error() const { return error_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Makes this context current with its framebuffer bound (after another context was).
    void makeCurrent();
    // Waits for the drawing and reads the framebuffer (top row first).
    QImage grab();

private:
    bool application_; // made before the surface, which needs it
    int width_;
    int height_;
    QString error_;
    QOpenGLContext context_;
    QOffscreenSurface surface_;
    std::unique_ptr<QOpenGLFramebufferObject> fbo_;
};

} // namespace kiv::test
