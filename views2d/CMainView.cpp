#include "views2d/CMainView.h"

#include "document/CKivDoc.h"
#include "document/TimerBracket.h"
#include "resources/CommandIds.h"
#include "views2d/ViewGeometry.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

using namespace kiv;

CMainView::CMainView(CKivDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc)
{
    // Every pixel is painted (the picture, the window colour around it): no erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    commands_.on(kiv::kCmdFilePrint, [this] { Print(); });
}

void CMainView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QImage& picture = Picture();
    painter.drawImage(-scrollOffset_, picture);
    // A window larger than a fixed-size picture (a World Data Bank view maximised or pulled
    // wider) shows the window colour around it, never what was on screen before.
    const QRegion outside = QRegion(event->rect()) - QRect(-scrollOffset_, picture.size());
    for (const QRect& r : outside)
        painter.fillRect(r, palette().window());
    if (band_) {
        // A frame one pixel wide filled with the hatch, as a hatched brush frames a rectangle.
        const QRect r = band_->translated(-scrollOffset_);
        const QBrush hatch(QColor(255, 0, 0), Qt::DiagCrossPattern);
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), hatch);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), hatch);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), hatch);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), hatch);
    }
}

void CMainView::SetScrollOffset(QPoint offset)
{
    if (scrollOffset_ == offset)
        return;
    scrollOffset_ = offset;
    update();
}

void CMainView::SetRubberBand(std::optional<QRect> box)
{
    if (band_ == box)
        return;
    band_ = box;
    update();
}

void CMainView::SetFrameTitle(const QString& title)
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->setWindowTitle(title);
}

void CMainView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        FitFrame();
}

void CMainView::FitFrame()
{
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    QMdiArea* area = frame ? frame->mdiArea() : nullptr;
    if (!area)
        return;
    const QPoint inner = mapTo(frame, QPoint(0, 0));
    const QMargins insets(inner.x(), inner.y(), frame->width() - inner.x() - width(), frame->height() - inner.y() - height());
    const kiv::FrameFit fit = kiv::fitFrame(area->viewport()->size(), insets, baseSize_);
    if (frame->isMaximized()) {
        if (!fit.unmaximise)
            return; // already as large as the area allows
        frame->showNormal();
    }
    frame->setGeometry(fit.frame);
}

void CMainView::Print()
{
    const kiv::TimerBracket bracket(doc_);
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        QPainter painter(&printer);
        const QImage& picture = Picture();
        painter.drawImage(kiv::fitToPage(picture.size(), painter.viewport()), picture);
    }
}
