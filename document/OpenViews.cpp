#include "document/OpenViews.h"

#include <algorithm>

namespace kiv {

WDBViewPort* OpenViews::wdb(int slot) const
{
    return slot >= 1 && slot <= wdbCount_ ? wdb_[slot - 1] : nullptr;
}

bool OpenViews::isOpen(ViewKind kind, int wdbSlot) const { return key(kind, wdbSlot) != nullptr; }

const void* OpenViews::key(ViewKind kind, int wdbSlot) const
{
    switch (kind) {
    case ViewKind::World:
        return world_;
    case ViewKind::Map:
        return map_;
    case ViewKind::Obs:
        return obs_;
    case ViewKind::WDB:
        return wdb(wdbSlot);
    }
    return nullptr;
}

int OpenViews::add(WDBViewPort* view)
{
    if (!view || wdbCount_ >= kMaxWDBViews)
        return 0;
    wdb_[wdbCount_++] = view;
    return wdbCount_;
}

void OpenViews::remove(const WDBViewPort* view)
{
    const auto first = wdb_.begin();
    const auto last = wdb_.begin() + wdbCount_;
    const auto it = std::find(first, last, view);
    if (!view || it == last)
        return;
    std::move(it + 1, last, it);
    wdb_[--wdbCount_] = nullptr;
    if (wdbCount_ == 0)
        notifyLastClosed(ViewKind::WDB);
}

void OpenViews::notifyLastClosed(ViewKind kind) const
{
    if (lastClosed_)
        lastClosed_(kind);
}

} // namespace kiv
