#include "views2d/CWDBView.h"

#include "document/CKivDoc.h"
#include "resources/CommandIds.h"

#include <algorithm>

CWDBView::CWDBView(CKivDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc)
{
    if (doc_.WDBViewCount + 1 < static_cast<int>(doc_.WDBViews.size()))
        doc_.WDBViews[++doc_.WDBViewCount] = this;
    else
        registered_ = false;
    commands_.on(kiv::kCmdZoom, [this] { zoomMode_ = !zoomMode_; }, [this](kiv::CommandUi& ui) { ui.SetCheck(zoomMode_); });
    commands_.on(kiv::kCmdDraw, [] {});
}

CWDBView::~CWDBView() { Unregister(); }

void CWDBView::Unregister()
{
    if (!registered_)
        return;
    registered_ = false;
    auto first = doc_.WDBViews.begin() + 1;
    auto last = doc_.WDBViews.begin() + 1 + doc_.WDBViewCount;
    auto it = std::find(first, last, static_cast<kiv::WDBViewPort*>(this));
    if (it == last)
        return;
    std::move(it + 1, last, it);
    doc_.WDBViews[static_cast<std::size_t>(doc_.WDBViewCount)] = nullptr;
    if (--doc_.WDBViewCount == 0)
        doc_.ShowWDB = 0;
}
