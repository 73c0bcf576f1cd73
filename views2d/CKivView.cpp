#include "views2d/CKivView.h"

#include "document/CKivDoc.h"

CKivView::CKivView(CKivDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc)
{
    doc_.MapView = this;
    commands_.on(32877, [this] { zoomMode_ = !zoomMode_; }, [this](platform::CommandUi& ui) { ui.SetCheck(zoomMode_); });
}

CKivView::~CKivView() { Unregister(); }

void CKivView::Unregister()
{
    if (!registered_)
        return;
    registered_ = false;
    if (doc_.MapView == this) {
        doc_.MapView = nullptr;
        doc_.Show2D = 0;
    }
}
