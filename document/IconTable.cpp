#include "document/IconTable.h"

#include <algorithm>

namespace kiv {

void applyIconList(IconEntries& entries, IconIndices& indices, const IconListRead& read)
{
    indices = read.indices;
    for (std::size_t k = 0; k < read.names.size() && k + 1 < entries.size(); ++k) {
        tagICONENTRY& entry = entries[k + 1];
        if (entry.fileName != read.names[k]) {
            entry.fileName = read.names[k];
            entry.icon = QImage();
        }
    }
}

IconTable::IconTable(const IconEntries& entries, const IconIndices& indices, int loadedSlots, IconLoader load)
    : entries_(entries), indices_(indices), loadedSlots_(std::clamp(loadedSlots, 0, kIconListSlots)),
      load_(std::move(load))
{
    for (int& index : indices_)
        index = checkedIconIndex(index);
    settle();
}

int IconTable::entryOf(const QString& fileName) const
{
    for (int e = 1; e < kIconEntries && !entries_[e].fileName.isEmpty(); ++e) {
        if (entries_[e].fileName == fileName)
            return e;
    }
    return -1;
}

int IconTable::freeEntry() const
{
    for (int e = 1; e < kIconEntries; ++e) {
        if (entries_[e].fileName.isEmpty())
            return e;
    }
    return -1;
}

bool IconTable::inUse(int entry) const
{
    return std::find(indices_.begin(), indices_.end(), entry) != indices_.end();
}

IconTable::Assigned IconTable::assign(int slot, const QString& fileName)
{
    if (slot < 0 || slot >= kIconListSlots)
        return Assigned::NoSlot;
    if (fileName.isEmpty())
        return Assigned::Unchanged;
    int target = entryOf(fileName);
    if (target == indices_[slot])
        return Assigned::Unchanged;
    if (target < 0) {
        // The old entry is let go only once the new one is sure.
        target = freeEntry();
        if (target < 0)
            return Assigned::Full;
        entries_[target] = tagICONENTRY{QImage(), fileName, 0};
    }
    const int old = indices_[slot];
    indices_[slot] = target;
    changed_ = true;
    if (old > 0 && !inUse(old))
        removeEntry(old);
    settle();
    return Assigned::Done;
}

void IconTable::removeEntry(int entry)
{
    for (int e = entry; e + 1 < kIconEntries; ++e)
        entries_[e] = std::move(entries_[e + 1]);
    entries_[kIconEntries - 1] = tagICONENTRY{};
    for (int& index : indices_) {
        if (index > entry)
            --index;
    }
}

void IconTable::assignAll(const QString& fileName)
{
    if (fileName.isEmpty())
        return;
    for (int e = 1; e < kIconEntries; ++e)
        entries_[e] = tagICONENTRY{};
    entries_[1].fileName = fileName;
    indices_.fill(1);
    changed_ = true;
    settle();
}

void IconTable::take(const IconListRead& read)
{
    for (int e = 1; e < kIconEntries; ++e)
        entries_[e] = tagICONENTRY{};
    applyIconList(entries_, indices_, read);
    for (int& index : indices_)
        index = checkedIconIndex(index);
    changed_ = false; // the table is the file's now
    reload();
}

void IconTable::reload()
{
    for (int e = 1; e < kIconEntries; ++e)
        entries_[e].icon = QImage();
    settle();
}

void IconTable::settle()
{
    std::array<int, kIconEntries> counts{};
    for (int i = 0; i < loadedSlots_; ++i)
        ++counts[indices_[i]];
    for (int e = 0; e < kIconEntries; ++e) {
        tagICONENTRY& entry = entries_[e];
        entry.refCount = counts[e];
        if (counts[e] > 0 && entry.icon.isNull() && load_)
            entry.icon = load_(e == 0 ? QString() : entry.fileName);
        else if (counts[e] == 0 && e > 0)
            entry.icon = QImage();
    }
}

} // namespace kiv
