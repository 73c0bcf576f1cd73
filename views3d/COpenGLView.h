#pragma once
// The base of the program's OpenGL windows. The picture is drawn into a native window of its own
// (GlSurface, held in a window container that fills this widget), in a context of its own (no
// sharing: display-list numbers are per context), of the compatibility profile that main() asks
// for. So the window around it stays a plain raster window: repainting its other parts (a frame's
// title, the status bar) never goes through OpenGL. Input that reaches the native window is handed
// on to this widget, so the deriving classes take mouse events, focus and cursors as any widget.
//
// GL work asked for from outside runs inside withContext(), which makes this window's context
// current, or is left for the set-up when the context does not exist yet. A context that cannot
// be had is reported once; the window then stays black and every GL entry does nothing.

#include <QImage>
#include <QSize>
#include <QWidget>

#include <functional>
#include <memory>

class QOpenGLContext;

namespace kiv {

class MessageBoxes;

class COpenGLView : public QWidget {
public:
    // Draws the current picture at once and returns it (for tests and pictures of the window).
    QImage grabFramebuffer();
    // Asks for a new frame; several requests before it is drawn give one frame. (This hides
    // QWidget::update(): the widget itself has nothing to paint.)
    void update();

protected:
    COpenGLView(kiv::MessageBoxes& messages, QWidget* parent);
    ~COpenGLView() override;

    // Runs the work with this window's context current; false, without running it, while the
    // window has no working context (not shown yet, or none to be had).
    bool withContext(const std::function<void()>& work);
    // Width and height in device pixels.
    int pixelWidth() const;
    int pixelHeight() const;

    // Called with the context current: once it exists, every frame, on size changes, and
    // before it goes (also when the window is deleted).
    virtual void initializeScene(int width, int height) = 0;
    virtual void paintScene() = 0;
    virtual void resizeScene(int width, int height) = 0;
    virtual void releaseScene() = 0;

    // Deriving classes call this from their destructor, while their scene still exists.
    void releaseContext();

    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class GlSurface;
    friend class GlSurface;

    // Creates the context on first use; false when there is none to be had.
    bool ensureContext();
    bool makeCurrent();
    // Draws a frame into the back buffer (set-up and size changes first); false without one.
    bool drawFrame();
    void renderNow();

    kiv::MessageBoxes& messages_;
    GlSurface* surface_ = nullptr; // owned by container_
    QWidget* container_ = nullptr;
    std::unique_ptr<QOpenGLContext> context_;
    QSize sceneSize_;      // the size the scene was last told, in device pixels
    bool ready_ = false;   // the scene is set up in a working context
    bool failed_ = false;  // no context to be had (reported)
};

} // namespace kiv
