#pragma once
// The views that are open: at most one globe, one 2D map and one observer view, and up to nine
// World Data Bank views in slots 1..wdbCount() with no gaps. A view registers when it is built and
// unregisters synchronously when it closes, before any deferred deletion, so the document never
// calls a view that is going away.

#include "document/DocumentViews.h"

#include <array>
#include <functional>
#include <utility>

namespace kiv {

class OpenViews {
public:
    static constexpr int kMaxWDBViews = 9;

    // Called when the last view of a kind has left.
    explicit OpenViews(std::function<void(ViewKind)> lastClosed = {}) : lastClosed_(std::move(lastClosed)) {}

    WorldViewPort* world() const { return world_; }
    MapViewPort* map() const { return map_; }
    ObsViewPort* obs() const { return obs_; }
    int wdbCount() const { return wdbCount_; }
    // The WDB view in slot 1..wdbCount(), else nullptr.
    WDBViewPort* wdb(int slot) const;
    // Whether a view of the kind (for WDB: the one in the slot) is open.
    bool isOpen(ViewKind kind, int wdbSlot = 1) const;
    // The view of a kind (for WDB: the one in the slot) as an opaque key, or nullptr.
    const void* key(ViewKind kind, int wdbSlot = 1) const;

    // A single view replaces nothing: registering while another of its kind is open is refused.
    bool add(WorldViewPort* view) { return addSingle(world_, view); }
    bool add(MapViewPort* view) { return addSingle(map_, view); }
    bool add(ObsViewPort* view) { return addSingle(obs_, view); }
    // The WDB view's slot, or 0 when all nine are taken.
    int add(WDBViewPort* view);

    // Removing a view that is not registered does nothing. A WDB view leaves its slot and the
    // views after it move up one.
    void remove(const WorldViewPort* view) { removeSingle(world_, view, ViewKind::World); }
    void remove(const MapViewPort* view) { removeSingle(map_, view, ViewKind::Map); }
    void remove(const ObsViewPort* view) { removeSingle(obs_, view, ViewKind::Obs); }
    void remove(const WDBViewPort* view);

private:
    template <class Port>
    static bool addSingle(Port*& slot, Port* view)
    {
        if (slot || !view)
            return false;
        slot = view;
        return true;
    }
    template <class Port>
    void removeSingle(Port*& slot, const Port* view, ViewKind kind)
    {
        if (!view || slot != view)
            return;
        slot = nullptr;
        notifyLastClosed(kind);
    }
    void notifyLastClosed(ViewKind kind) const;

    std::function<void(ViewKind)> lastClosed_;
    WorldViewPort* world_ = nullptr;
    MapViewPort* map_ = nullptr;
    ObsViewPort* obs_ = nullptr;
    std::array<WDBViewPort*, kMaxWDBViews> wdb_{};
    int wdbCount_ = 0;
};

} // namespace kiv
