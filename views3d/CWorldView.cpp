#include "views3d/CWorldView.h"

#include "document/CKivDoc.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>

CWorldView::CWorldView(CKivDoc& doc, QWidget* parent) : QOpenGLWidget(parent), doc_(doc) { doc_.WorldView = this; }

CWorldView::~CWorldView() { Unregister(); }

void CWorldView::Unregister()
{
    if (!registered_)
        return;
    registered_ = false;
    if (doc_.WorldView == this) {
        doc_.WorldView = nullptr;
        doc_.Show3D = 0;
    }
}

void CWorldView::paintGL()
{
    QOpenGLFunctions* gl = context()->functions();
    gl->glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
