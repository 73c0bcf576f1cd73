#include "app/CChildFrame.h"

#include <QCloseEvent>

using namespace kiv;

CChildFrame::CChildFrame(kiv::ViewKind kind, View view, QWidget* parent)
    : QMdiSubWindow(parent), kind_(kind), view_(std::move(view))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view_.widget);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (view_.unregister) {
        auto leave = std::move(view_.unregister);
        view_.unregister = nullptr;
        leave();
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted() && onClosed)
        onClosed(this);
}
