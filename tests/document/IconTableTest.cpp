// The icon table as the style dialog edits it: sharing, removal with compaction, a full table,
// all slots at once and another icon list, always with the exact reference counts.
#include "document/IconTable.h"

#include <gtest/gtest.h>

#include <map>

using namespace kiv;

namespace {

// Pictures are 1 x 1 images whose colour tells which file they came from; every load is counted.
class Icons {
public:
    IconTable::IconLoader loader()
    {
        return [this](const QString& name) {
            ++loads[name];
            QImage image(1, 1, QImage::Format_ARGB32);
            image.fill(qRgb(name.size(), 0, 0));
            return image;
        };
    }
    std::map<QString, int> loads;
};

// Entries named by the list (entry 1 first), slot indices as given, the rest 0.
IconTable table(Icons& icons, std::initializer_list<const char*> names, std::initializer_list<int> indices, int loaded)
{
    IconEntries entries{};
    entries[0].icon = QImage(32, 32, QImage::Format_ARGB32); // the built-in icon, as the document has it
    int e = 1;
    for (const char* name : names)
        entries[e++].fileName = QString::fromLatin1(name);
    IconIndices slotIndices{};
    int s = 0;
    for (int index : indices)
        slotIndices[s++] = index;
    return IconTable(entries, slotIndices, loaded, icons.loader());
}

std::vector<QString> namesOf(const IconTable& t)
{
    std::vector<QString> names;
    for (int e = 1; e < kIconEntries && !t.entries()[e].fileName.isEmpty(); ++e)
        names.push_back(t.entries()[e].fileName);
    return names;
}

std::vector<int> counts(const IconTable& t, int entries)
{
    std::vector<int> c;
    for (int e = 0; e < entries; ++e)
        c.push_back(t.entries()[e].refCount);
    return c;
}

// In use exactly when counted, entry 0 always.
void expectPicturesFollowCounts(const IconTable& t)
{
    EXPECT_FALSE(t.entries()[0].icon.isNull());
    for (int e = 1; e < kIconEntries; ++e)
        EXPECT_EQ(t.entries()[e].icon.isNull(), t.entries()[e].refCount == 0) << "entry " << e;
}

} // namespace

TEST(IconTableTest, AssigningKeepsSharedEntriesAndRemovesUnusedOnes)
{
    const struct {
        const char* what;
        int slot;
        const char* file;
        IconTable::Assigned result;
        std::vector<QString> names;
        std::vector<int> indices; // slots 0..4
        std::vector<int> counts;  // entries 0..4
    } cases[] = {
        {"shared entry stays for the other slot", 0, "c.ico", IconTable::Assigned::Done,
         {"a.ico", "b.ico", "d.ico", "c.ico"}, {4, 1, 2, 3, 0}, {1, 1, 1, 1, 1}},
        {"only user: entry goes, later ones move down", 2, "c.ico", IconTable::Assigned::Done,
         {"a.ico", "d.ico", "c.ico"}, {1, 1, 3, 2, 0}, {1, 2, 1, 1, 0}},
        {"an existing file is shared, not added", 3, "a.ico", IconTable::Assigned::Done,
         {"a.ico", "b.ico"}, {1, 1, 2, 1, 0}, {1, 3, 1, 0, 0}},
        {"the same file again changes nothing", 2, "b.ico", IconTable::Assigned::Unchanged,
         {"a.ico", "b.ico", "d.ico"}, {1, 1, 2, 3, 0}, {1, 2, 1, 1, 0}},
        {"from the built-in icon", 4, "b.ico", IconTable::Assigned::Done,
         {"a.ico", "b.ico", "d.ico"}, {1, 1, 2, 3, 2}, {0, 2, 2, 1, 0}},
        {"no such slot", 255, "c.ico", IconTable::Assigned::NoSlot,
         {"a.ico", "b.ico", "d.ico"}, {1, 1, 2, 3, 0}, {1, 2, 1, 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Icons icons;
        IconTable t = table(icons, {"a.ico", "b.ico", "d.ico"}, {1, 1, 2, 3, 0}, 5);
        EXPECT_EQ(t.assign(c.slot, QString::fromLatin1(c.file)), c.result);
        EXPECT_EQ(namesOf(t), c.names);
        EXPECT_EQ(std::vector<int>(t.indices().begin(), t.indices().begin() + 5), c.indices);
        EXPECT_EQ(counts(t, 5), c.counts);
        EXPECT_EQ(t.changed(), c.result == IconTable::Assigned::Done);
        EXPECT_TRUE(t.entries()[kIconEntries - 1].fileName.isEmpty());
        expectPicturesFollowCounts(t);
    }
}

TEST(IconTableTest, AnEntryOfAnUnloadedSlotIsNotRemoved)
{
    Icons icons;
    // Slot 3 holds no satellite but still names entry 2 in the icon list.
    IconTable t = table(icons, {"a.ico", "b.ico"}, {1, 2, 0, 2}, 2);
    EXPECT_EQ(counts(t, 3), (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(t.assign(1, QStringLiteral("a.ico")), IconTable::Assigned::Done);
    EXPECT_EQ(namesOf(t), (std::vector<QString>{"a.ico", "b.ico"}));
    EXPECT_EQ(t.indices()[3], 2);
    EXPECT_EQ(counts(t, 3), (std::vector<int>{0, 2, 0}));
    expectPicturesFollowCounts(t);
}

TEST(IconTableTest, AFullTableRefusesANewFileAndKeepsEverything)
{
    Icons icons;
    IconEntries entries{};
    for (int e = 1; e < kIconEntries; ++e)
        entries[e].fileName = QStringLiteral("icon%1.ico").arg(e);
    IconIndices indices{};
    for (int s = 0; s < kIconListSlots; ++s)
        indices[s] = s % kIconEntries;
    IconTable t(entries, indices, kIconListSlots, icons.loader());
    const IconEntries before = t.entries();
    EXPECT_EQ(t.assign(7, QStringLiteral("new.ico")), IconTable::Assigned::Full);
    EXPECT_FALSE(t.changed());
    EXPECT_EQ(t.indices(), indices);
    for (int e = 0; e < kIconEntries; ++e) {
        EXPECT_EQ(t.entries()[e].fileName, before[e].fileName);
        EXPECT_EQ(t.entries()[e].refCount, before[e].refCount);
        EXPECT_FALSE(t.entries()[e].icon.isNull());
    }
    // An entry already there can still be given.
    EXPECT_EQ(t.assign(7, QStringLiteral("icon9.ico")), IconTable::Assigned::Done);
    EXPECT_EQ(t.indices()[7], 8); // entry 7 had no other user and went
}

TEST(IconTableTest, ChangeAllGivesEverySlotEntryOne)
{
    Icons icons;
    IconTable t = table(icons, {"a.ico", "b.ico", "d.ico"}, {1, 2, 3, 0}, 3);
    t.assignAll(QStringLiteral("all.ico"));
    EXPECT_EQ(namesOf(t), (std::vector<QString>{"all.ico"}));
    for (int index : t.indices())
        EXPECT_EQ(index, 1);
    EXPECT_EQ(counts(t, 3), (std::vector<int>{0, 3, 0}));
    EXPECT_TRUE(t.changed());
    expectPicturesFollowCounts(t);
    EXPECT_FALSE(t.entries()[0].icon.isNull()); // the built-in icon is never cleared
}

TEST(IconTableTest, AnotherIconListAndAReloadLoadWhatIsUsed)
{
    Icons icons;
    IconTable t = table(icons, {"a.ico", "b.ico"}, {1, 2, 0}, 3);
    IconListRead read;
    read.indices[0] = 2;
    read.indices[1] = 2;
    read.names = {QStringLiteral("x.ico"), QStringLiteral("y.ico")};
    EXPECT_EQ(t.assign(2, QStringLiteral("c.ico")), IconTable::Assigned::Done);
    icons.loads.clear();
    t.take(read);
    EXPECT_FALSE(t.changed());
    EXPECT_EQ(namesOf(t), (std::vector<QString>{"x.ico", "y.ico"}));
    EXPECT_EQ(counts(t, 3), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(icons.loads, (std::map<QString, int>{{"y.ico", 1}}));
    expectPicturesFollowCounts(t);

    icons.loads.clear();
    t.reload();
    EXPECT_EQ(icons.loads, (std::map<QString, int>{{"y.ico", 1}}));
    EXPECT_FALSE(t.entries()[0].icon.isNull());
}
