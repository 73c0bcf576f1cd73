#include "app/CChildFrame.h"

#include <QCloseEvent>

using namespace kiv;

CChildFrame::CChildFrame(kiv::ViewKind kind, View view, QWidget* parent)
    : QMdiSubWindow(parent), kind_(kind), view_(std::move(view))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view_.widget);
}

// Every frame becomes a native window when it is first shown (its parents exist by then): the 3D
// views draw into native windows of their own, and frames overlap in their proper order only when
// they all are.
void CChildFrame::showEvent(QShowEvent* event)
{
    QMdiSubWindow::showEvent(event);
    if (!testAttribute(Qt::WA_NativeWindow))
        setAttribute(Qt::WA_NativeWindow);
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
