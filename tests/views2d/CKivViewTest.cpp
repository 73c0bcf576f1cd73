// The 2D map's window in an MDI area: registration with the document, the picture at the
// window's size, and fitting the frame on a double click.
#include "tests/support/DocumentFixture.h"
#include "views2d/CKivView.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QApplication>
#include <QMouseEvent>

using namespace kiv;
using namespace kiv::test;

namespace {

class CKivViewTest : public DocumentTest {
protected:
    // A 2D view in a frame of a 1200 x 800 MDI area, for a map of the given size.
    CKivView& open(QSize mapSize)
    {
        CKivDoc& doc = makeDocument();
        doc.EarthMapBitmap = QImage(mapSize, QImage::Format_RGB32);
        doc.EarthMapBitmap.fill(Qt::white);
        doc.EarthMapWidth = mapSize.width();
        doc.EarthMapHeight = mapSize.height();
        area_.resize(1200, 800);
        area_.show();
        view_ = new CKivView(doc);
        frame_ = area_.addSubWindow(view_);
        frame_->resize(400, 300);
        frame_->show();
        return *view_;
    }
    void doubleClick()
    {
        QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(10, 10), view_->mapToGlobal(QPointF(10, 10)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view_, &click);
    }

    QMdiArea area_;
    CKivView* view_ = nullptr;
    QMdiSubWindow* frame_ = nullptr;
};

TEST_F(CKivViewTest, RegistersAndLeavesTheDocument)
{
    CKivView& view = open({1024, 512});
    EXPECT_EQ(doc_->Views.map(), &view);
    doc_->Show2D = 1;
    view.Unregister();
    EXPECT_EQ(doc_->Views.map(), nullptr);
    EXPECT_EQ(doc_->Show2D, 0);
}

TEST_F(CKivViewTest, PictureFollowsTheWindowsSize)
{
    CKivView& view = open({1024, 512});
    doc_->Show2D = 1;
    doc_->AnimationStep();
    EXPECT_EQ(view.Map().image().size(), view.size());
    frame_->resize(640, 480);
    EXPECT_EQ(view.Map().image().size(), view.size());
    EXPECT_EQ(view.BaseSize(), QSize(1024, 512));
}

TEST_F(CKivViewTest, DoubleClickCentresAFittingFrameAndRestoresAMaximisedOne)
{
    open({1024, 512});
    frame_->showMaximized();
    doubleClick();
    EXPECT_FALSE(frame_->isMaximized());
    EXPECT_EQ(frame_->pos(), QPoint((1200 - 1024) / 2, (800 - 512) / 2));
    // The whole picture shows.
    EXPECT_GE(view_->width(), 1024);
    EXPECT_GE(view_->height(), 512);
}

TEST_F(CKivViewTest, DoubleClickPutsATooLargeFrameAtTheCornerAtFullHeight)
{
    open({2048, 1024});
    frame_->showMaximized();
    doubleClick();
    EXPECT_TRUE(frame_->isMaximized());
    frame_->showNormal();
    doubleClick();
    EXPECT_EQ(frame_->pos(), QPoint(0, 0));
    EXPECT_EQ(frame_->height(), 800);
}

} // namespace
