#include "views2d/CWDBView.h"

#include "document/CKivDoc.h"
#include "resources/CommandIds.h"

using namespace kiv;


CWDBView::CWDBView(CKivDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc)
{
    registered_ = doc_.Views.add(this) != 0;
    commands_.on(kiv::kCmdZoom, [this] { zoomMode_ = !zoomMode_; }, [this](kiv::CommandUi& ui) { ui.SetCheck(zoomMode_); });
    commands_.on(kiv::kCmdDraw, [] {});
}

CWDBView::~CWDBView() { Unregister(); }

void CWDBView::Unregister()
{
    if (!registered_)
        return;
    registered_ = false;
    doc_.Views.remove(this);
}
