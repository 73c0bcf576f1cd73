#pragma once
// The base of the program's OpenGL windows: a QOpenGLWidget in a context of its own (no sharing:
// display-list numbers are per context), of the compatibility profile that main() asks for. GL
// work asked for from outside runs inside withContext(), which makes this window's context
// current, or is left for the set-up when the context does not exist yet. A context that cannot
// be had is reported once; the window then stays black and every GL entry does nothing.

#include <QOpenGLWidget>

#include <functional>

namespace kiv {

class MessageBoxes;

class COpenGLView : public QOpenGLWidget {
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

private:
    void initializeGL() final;
    void paintGL() final;
    void resizeGL(int width, int height) final;

    kiv::MessageBoxes& messages_;
    bool ready_ = false;
};

} // namespace kiv
