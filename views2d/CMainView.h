#pragma once
// The base of the flat views: shows the view's off-screen picture in one block, fits its frame
// to the picture on a double click and prints the picture (Ctrl+P) scaled to the page. The
// pictures themselves are drawn by plain classes; the widgets only adapt events.
//
// Nothing here realises a palette: true-colour displays have none to realise.

#include "platform/CommandMap.h"

#include <QImage>
#include <QSize>
#include <QRect>
#include <QWidget>

#include <optional>


namespace kiv {

class CKivDoc;

class CMainView : public QWidget {
public:
    explicit CMainView(CKivDoc& doc, QWidget* parent = nullptr);

    CKivDoc& GetDocument() const { return doc_; }
    const kiv::CommandMap& Commands() const { return commands_; }

    // The picture at 1:1, the size the frame fits to.
    QSize BaseSize() const { return baseSize_; }
    // Fits the MDI frame around this view to the base size.
    void FitFrame();
    // The print dialog, then the picture scaled to the page.
    void Print();

protected:
    virtual const QImage& Picture() const = 0;
    void SetBaseSize(QSize size) { baseSize_ = size.isEmpty() ? QSize(1, 1) : size; }
    // The picture's pixel shown at the view's top-left corner, for a picture larger than the view
    // (rubber band boxes are in picture pixels too).
    void SetScrollOffset(QPoint offset);
    QPoint ScrollOffset() const { return scrollOffset_; }
    // The zoom box being dragged, framed in red hatching over the picture; nothing hides it.
    void SetRubberBand(std::optional<QRect> box);
    // The title of the MDI frame around the view (the mouse's position while it moves).
    void SetFrameTitle(const QString& title);

    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

    kiv::CommandMap commands_;

private:
    CKivDoc& doc_;
    QSize baseSize_{1, 1};
    std::optional<QRect> band_;
    QPoint scrollOffset_;
};

} // namespace kiv
