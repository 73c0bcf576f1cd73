#include "app/ViewFactory.h"

#include "views2d/CKivView.h"
#include "views2d/CObsView.h"
#include "views2d/CWDBView.h"
#include "views3d/CWorldView.h"

namespace kiv {

namespace {

template <class View, class Port>
CChildFrame* frameFor(ViewKind kind, CKivDoc& doc)
{
    auto* view = new View(doc);
    auto* frame = new CChildFrame(kind, {view, static_cast<const Port*>(view), &view->Commands(), [view] { view->Unregister(); }});
    frame->setWindowTitle(View::Title());
    return frame;
}

} // namespace

CChildFrame* makeViewFrame(ViewKind kind, CKivDoc& doc)
{
    switch (kind) {
    case ViewKind::World:
        return frameFor<CWorldView, WorldViewPort>(kind, doc);
    case ViewKind::Map:
        return frameFor<CKivView, MapViewPort>(kind, doc);
    case ViewKind::WDB:
        return frameFor<CWDBView, WDBViewPort>(kind, doc);
    case ViewKind::Obs:
        return frameFor<CObsView, ObsViewPort>(kind, doc);
    }
    return nullptr;
}

} // namespace kiv
