#include "views3d/CClock3D.h"

#include <QMouseEvent>

using namespace kiv;

CClock3D::CClock3D(MessageBoxes& messages, const ClockColors& colors, QWidget* parent)
    : COpenGLView(messages, parent),
      renderer_(colors)
{
}

CClock3D::~CClock3D() { releaseContext(); }

void CClock3D::UpdateTime(const ClockTime& time)
{
    if (time == time_)
        return;
    time_ = time;
    update();
}

void CClock3D::SetViewpoint(const ClockViewpoint& viewpoint)
{
    if (viewpoint == viewpoint_)
        return;
    viewpoint_ = viewpoint;
    update();
}

void CClock3D::ChangeColors(const ClockColors& colors)
{
    if (colors == renderer_.colors())
        return;
    // Without a context the colours wait in the renderer for the set-up.
    if (!withContext([&] { renderer_.setColors(colors); }))
        renderer_.setColors(colors);
    update();
}

void CClock3D::initializeScene(int width, int height) { renderer_.initialize(width, height); }

void CClock3D::paintScene()
{
    renderer_.setTime(time_);
    renderer_.setViewpoint(viewpoint_);
    renderer_.render();
}

void CClock3D::resizeScene(int width, int height) { renderer_.resize(width, height); }

void CClock3D::releaseScene() { renderer_.release(); }

void CClock3D::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        grab_ = event->position().toPoint();
    event->accept();
}

void CClock3D::mouseMoveEvent(QMouseEvent* event)
{
    if (grab_ && (event->buttons() & Qt::LeftButton))
        move(mapToParent(event->position().toPoint() - *grab_));
    event->accept();
}

void CClock3D::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        grab_.reset();
    event->accept();
}
