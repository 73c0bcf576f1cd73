#include "views3d/COpenGLView.h"

#include "platform/MessageBoxes.h"

#include <QCoreApplication>
#include <QOpenGLContext>

#include <cmath>

namespace kiv {

COpenGLView::COpenGLView(kiv::MessageBoxes& messages, QWidget* parent) : QOpenGLWidget(parent), messages_(messages) {}

// The context goes after this part of the window: its notice must not reach it any more.
COpenGLView::~COpenGLView()
{
    if (QOpenGLContext* gl = context())
        disconnect(gl, nullptr, this, nullptr);
}

int COpenGLView::pixelWidth() const { return static_cast<int>(std::lround(width() * devicePixelRatioF())); }

int COpenGLView::pixelHeight() const { return static_cast<int>(std::lround(height() * devicePixelRatioF())); }

void COpenGLView::initializeGL()
{
    QOpenGLContext* gl = context();
    // Fixed-function drawing needs a compatibility context; a core one cannot draw the scene.
    if (!gl || !gl->isValid() || gl->format().profile() == QSurfaceFormat::CoreProfile) {
        messages_.show({QCoreApplication::applicationName(), QStringLiteral("SetPixelFormat failed"),
                        kiv::MessageButtons::Ok, kiv::MessageIcon::Error});
        return;
    }
    connect(gl, &QOpenGLContext::aboutToBeDestroyed, this, &COpenGLView::releaseContext, Qt::UniqueConnection);
    ready_ = true;
    initializeScene(pixelWidth(), pixelHeight());
}

void COpenGLView::paintGL()
{
    if (ready_)
        paintScene();
}

void COpenGLView::resizeGL(int, int)
{
    if (ready_)
        resizeScene(pixelWidth(), pixelHeight());
}

bool COpenGLView::withContext(const std::function<void()>& work)
{
    if (!ready_)
        return false;
    makeCurrent();
    work();
    doneCurrent();
    return true;
}

void COpenGLView::releaseContext()
{
    if (!ready_)
        return;
    makeCurrent();
    releaseScene();
    doneCurrent();
    ready_ = false;
}

} // namespace kiv
