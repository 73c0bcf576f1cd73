#include "app/CChildFrame.h"

#include <QCloseEvent>

using namespace kiv;

CChildFrame::CChildFrame(kiv::ViewKind kind, View view, QWidget* parent)
    : QMdiSubWindow(parent), kind_(kind), view_(std::move(view))
{
    setAttribute(Qt::WA_DeleteOnClose);
    // Every frame is a native window: the globe draws into a native window of its own, and
    // frames overlap in their proper order only when they all are.
    setAttribute(Qt::WA_NativeWindow);
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
