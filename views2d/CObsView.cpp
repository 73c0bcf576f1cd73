#include "views2d/CObsView.h"

#include "document/CKivDoc.h"
#include "resources/CommandIds.h"

CObsView::CObsView(CKivDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc)
{
    registered_ = doc_.Views.add(this);
    commands_.on(kiv::kCmdZoom, [this] { zoomMode_ = !zoomMode_; }, [this](kiv::CommandUi& ui) { ui.SetCheck(zoomMode_); });
}

CObsView::~CObsView() { Unregister(); }

void CObsView::Unregister()
{
    if (!registered_)
        return;
    registered_ = false;
    doc_.Views.remove(this);
}
