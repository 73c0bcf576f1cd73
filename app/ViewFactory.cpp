#include "app/ViewFactory.h"

#include "dialogs/CDstDlg2d.h"
#include "dialogs/DialogCommands.h"
#include "views2d/CKivView.h"
#include "views2d/CObsView.h"
#include "views2d/CWDBView.h"
#include "views3d/CWorldView.h"

#include <functional>

namespace kiv {

namespace {

template <class View, class Port>
CChildFrame* frameFor(ViewKind kind, CKivDoc& doc, const std::function<void(View&)>& setUp = {})
{
    auto* view = new View(doc);
    if (setUp)
        setUp(*view);
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
        // The style dialog edits the World Data Bank view's own label switches.
        return frameFor<CWDBView, WDBViewPort>(kind, doc, [&doc](CWDBView& view) {
            view.SetStyleCommand([&doc](CWDBView& v) {
                commands::satelliteStyle2D(doc, [&doc](const SatelliteStyle2D& values) { return CDstDlg2d::edit(doc, values); }, v);
            });
        });
    case ViewKind::Obs:
        return frameFor<CObsView, ObsViewPort>(kind, doc);
    }
    return nullptr;
}

} // namespace kiv
