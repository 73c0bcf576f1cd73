#pragma once
// The icon table as the satellite style dialog edits it: the entries (entry 0 the built-in
// icon) and the icon index of every slot, worked on as a copy of the document's and handed back
// whole on OK. An entry's count is the number of loaded slots that use it; an entry in use has
// its picture, an unused one (other than entry 0) none. Entry 0 is never cleared or removed.

#include "document/IconListFile.h"
#include "document/tagICONENTRY.h"

#include <QImage>
#include <QString>

#include <array>
#include <functional>

namespace kiv {

using IconEntries = std::array<tagICONENTRY, kIconEntries>;

// Indices and names of an icon list file into a table: the names of the entries the file
// covers, each entry whose name changes losing its picture; entries beyond the file stay.
void applyIconList(IconEntries& entries, IconIndices& indices, const IconListRead& read);

class IconTable {
public:
    // The picture of an icon file as a 32 x 32 icon; an empty name is the built-in icon.
    using IconLoader = std::function<QImage(const QString& fileName)>;

    enum class Assigned {
        Done,      // the slot has the icon now
        Unchanged, // it had it already, or no file was given
        Full,      // no free entry for a new file: nothing changed
        NoSlot,    // the slot does not exist
    };

    IconTable() = default;
    // loadedSlots: the slots below it hold satellites and count as users of their entries.
    IconTable(const IconEntries& entries, const IconIndices& indices, int loadedSlots, IconLoader load);

    // One slot takes the icon of a file: the entry of that file when there is one, else a new
    // entry. The old entry is removed when no slot uses it any more; later entries move down.
    Assigned assign(int slot, const QString& fileName);
    // Every slot takes the icon of one file, which becomes entry 1; all other entries go.
    void assignAll(const QString& fileName);
    // The table of another icon list, exactly as the file has it, pictures loaded anew; edits
    // before are dropped.
    void take(const IconListRead& read);
    // Pictures loaded anew from the files.
    void reload();

    const IconEntries& entries() const { return entries_; }
    const IconIndices& indices() const { return indices_; }
    int loadedSlots() const { return loadedSlots_; }
    // Set by any change of an index or a name.
    bool changed() const { return changed_; }
    void setChanged() { changed_ = true; }

private:
    int entryOf(const QString& fileName) const;
    int freeEntry() const;
    bool inUse(int entry) const;
    void removeEntry(int entry);
    // Counts from the loaded slots; pictures for the entries in use, none for the others.
    void settle();

    IconEntries entries_{};
    IconIndices indices_{};
    int loadedSlots_ = 0;
    IconLoader load_;
    bool changed_ = false;
};

} // namespace kiv
