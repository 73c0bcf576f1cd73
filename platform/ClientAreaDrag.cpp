#include "platform/ClientAreaDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace kiv {

namespace {

class ClientAreaDragFilter final : public QObject {
public:
    explicit ClientAreaDragFilter(QWidget* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != window_ || event->type() != QEvent::MouseButtonPress)
            return false;
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        QWindow* handle = window_->windowHandle();
        return handle && handle->startSystemMove();
    }

private:
    QWidget* window_;
};

} // namespace

void dragByClientArea(QWidget* window)
{
    window->installEventFilter(new ClientAreaDragFilter(window));
}

} // namespace kiv
