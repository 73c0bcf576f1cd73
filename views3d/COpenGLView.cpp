#include "views3d/COpenGLView.h"

#include "platform/MessageBoxes.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QWindow>

#include <GL/gl.h>

#include <cmath>
#include <memory>

namespace kiv {

// The native window the picture is drawn into. It draws when exposed and on request, and hands
// its mouse input to the widget that holds it.
class COpenGLView::GlSurface : public QWindow {
public:
    explicit GlSurface(COpenGLView& view) : view_(view)
    {
        setSurfaceType(QSurface::OpenGLSurface);
        setFlag(Qt::WindowDoesNotAcceptFocus);
    }

protected:
    void exposeEvent(QExposeEvent*) override
    {
        if (isExposed())
            view_.renderNow();
    }

    bool event(QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::UpdateRequest:
            view_.renderNow();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (view_.focusPolicy() & Qt::ClickFocus)
                view_.setFocus(Qt::MouseFocusReason);
            [[fallthrough]];
        case QEvent::MouseButtonRelease:
            QCoreApplication::sendEvent(&view_, event);
            return true;
        case QEvent::MouseMove:
            if (view_.hasMouseTracking() || static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton)
                QCoreApplication::sendEvent(&view_, event);
            return true;
        case QEvent::Wheel:
            QCoreApplication::sendEvent(&view_, event);
            return true;
        default:
            return QWindow::event(event);
        }
    }

private:
    COpenGLView& view_;
};

COpenGLView::COpenGLView(kiv::MessageBoxes& messages, QWidget* parent)
    : QWidget(parent), messages_(messages), surface_(new GlSurface(*this))
{
    container_ = QWidget::createWindowContainer(surface_, this);
    // The focus stays with this widget: a focused container would hand it to the native window.
    container_->setFocusPolicy(Qt::NoFocus);
    // A native container (and so native parents) lets the window system clip the picture to
    // the widgets around it, and stack it among its siblings.
    container_->setAttribute(Qt::WA_NativeWindow);
    container_->setGeometry(rect());
}

// Deriving classes have released their scene by now. The context, a member, goes before its
// window, which the container (a child) takes along when the widget goes.
COpenGLView::~COpenGLView()
{
    if (context_)
        context_->doneCurrent();
}

int COpenGLView::pixelWidth() const { return static_cast<int>(std::lround(width() * devicePixelRatioF())); }

int COpenGLView::pixelHeight() const { return static_cast<int>(std::lround(height() * devicePixelRatioF())); }

bool COpenGLView::ensureContext()
{
    if (ready_)
        return true;
    if (failed_)
        return false;
    if (!surface_->handle())
        surface_->create();
    context_ = std::make_unique<QOpenGLContext>();
    context_->setFormat(surface_->requestedFormat());
    // Fixed-function drawing needs a compatibility context; a core one cannot draw the scene.
    if (!context_->create() || context_->format().profile() == QSurfaceFormat::CoreProfile
        || !context_->makeCurrent(surface_)) {
        context_.reset();
        failed_ = true;
        messages_.show({.caption = QCoreApplication::applicationName(),
                        .text = QStringLiteral("SetPixelFormat failed"),
                        .buttons = kiv::MessageButtons::Ok,
                        .icon = kiv::MessageIcon::Error});
        return false;
    }
    ready_ = true;
    sceneSize_ = {};
    initializeScene(pixelWidth(), pixelHeight());
    return true;
}

bool COpenGLView::makeCurrent() { return ready_ && context_->makeCurrent(surface_); }

bool COpenGLView::drawFrame()
{
    if (!ensureContext() || !makeCurrent())
        return false;
    const QSize size(pixelWidth(), pixelHeight());
    if (size != sceneSize_) {
        sceneSize_ = size;
        resizeScene(size.width(), size.height());
    }
    paintScene();
    return true;
}

void COpenGLView::renderNow()
{
    if (!surface_->isExposed() || !drawFrame())
        return;
    context_->swapBuffers(surface_);
    context_->doneCurrent();
}

void COpenGLView::update()
{
    if (!failed_)
        surface_->requestUpdate();
}

QImage COpenGLView::grabFramebuffer()
{
    if (!isVisible() || !drawFrame())
        return {};
    const int w = sceneSize_.width();
    const int h = sceneSize_.height();
    QImage picture(w, h, QImage::Format_RGBA8888);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, picture.bits());
    context_->doneCurrent();
    // The buffer's rows run bottom-up; the picture is opaque as the window shows it.
    return picture.mirrored().convertToFormat(QImage::Format_RGB32);
}

bool COpenGLView::withContext(const std::function<void()>& work)
{
    if (!makeCurrent())
        return false;
    work();
    context_->doneCurrent();
    return true;
}

void COpenGLView::releaseContext()
{
    if (!makeCurrent())
        return;
    releaseScene();
    context_->doneCurrent();
    ready_ = false;
}

bool COpenGLView::event(QEvent* event)
{
    // The native window shows its own cursor: it follows this widget's.
    if (event->type() == QEvent::CursorChange)
        surface_->setCursor(cursor());
    return QWidget::event(event);
}

void COpenGLView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    container_->setGeometry(rect());
}

} // namespace kiv
