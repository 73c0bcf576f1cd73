#include "document/IconListFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kiv;

namespace {

QByteArray head(const IconIndices& indices)
{
    QByteArray bytes;
    for (int index : indices)
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>((static_cast<unsigned>(index) >> shift) & 0xFF);
    return bytes;
}

IconListRead read(const QByteArray& bytes)
{
    return readIconList(bytes.toStdString());
}

std::vector<QString> names(std::initializer_list<const char*> texts)
{
    std::vector<QString> result;
    for (const char* text : texts)
        result.push_back(QString::fromLatin1(text));
    return result;
}

} // namespace

TEST(IconListFile, IndicesThenNamedEntriesAsCrLfLines)
{
    IconIndices indices{};
    indices[0] = 1;
    indices[7] = 3;
    indices[254] = 2;
    IconNames entries{};
    entries[1] = QStringLiteral("sat.ico");
    entries[2] = QStringLiteral("C:\\Kiv\\dish.ico");
    entries[3] = QStringLiteral("/home/m\u00fcller/probe.ico");

    const QByteArray bytes = iconListBytes(indices, entries);
    EXPECT_EQ(bytes, head(indices) + "sat.ico\r\nC:\\Kiv\\dish.ico\r\n/home/m\xfcller/probe.ico\r\n")
        << "names are Latin-1; entry 4 and later are not written";

    const IconListRead again = read(bytes);
    EXPECT_EQ(again.indices, indices);
    EXPECT_EQ(again.names, std::vector<QString>(entries.begin() + 1, entries.begin() + 4));

    const IconListRead lf = read(head(indices) + "sat.ico\nC:\\Kiv\\dish.ico\n/home/m\xfcller/probe.ico");
    EXPECT_EQ(lf.names, again.names) << "LF line ends and a last line without one";
}

TEST(IconListFile, GapsAndReferencedEntriesAreKept)
{
    IconIndices indices{};
    indices[3] = 6; // refers to an entry without a name
    IconNames entries{};
    entries[1] = QStringLiteral("a.ico");
    entries[4] = QStringLiteral("d.ico");
    entries[0] = QStringLiteral("never written");

    const IconListRead again = read(iconListBytes(indices, entries));
    EXPECT_EQ(again.names, names({"a.ico", "", "", "d.ico", "", ""}));
    EXPECT_EQ(again.indices[3], 6);

    EXPECT_EQ(iconListBytes(IconIndices{}, IconNames{}).size(), 1020) << "nothing named, nothing referenced";
}

TEST(IconListFile, IndicesTheTableCannotHoldBecomeTheBuiltInIcon)
{
    IconIndices indices{};
    indices[0] = 300;
    indices[1] = -1;
    indices[2] = 255;
    indices[3] = 254;
    const IconListRead fromFile = read(head(indices));
    EXPECT_EQ((std::vector<int>(fromFile.indices.begin(), fromFile.indices.begin() + 4)),
              (std::vector<int>{0, 0, 0, 254}));

    const IconListRead written = read(iconListBytes(indices, IconNames{}));
    EXPECT_EQ(written.indices, fromFile.indices) << "out-of-range indices in memory are written as 0";
    EXPECT_EQ(written.names.size(), 254u) << "entry 254 is referenced";

    QByteArray shortHead = head(indices).left(4 * 3 + 2);
    shortHead[0] = 7; // slot 0 was 300
    shortHead[1] = 0;
    const IconListRead cut = read(shortHead);
    EXPECT_EQ(cut.indices[0], 7);
    EXPECT_EQ(cut.indices[3], 0) << "a cut index is 0";
    EXPECT_TRUE(cut.names.empty());
}

TEST(IconListFile, LineBreaksInNamesAndOverlongLists)
{
    IconNames entries{};
    entries[1] = QStringLiteral("two\r\nlines.ico");
    entries[2] = QStringLiteral("b.ico");
    entries[3] = QStringLiteral("\r");
    EXPECT_EQ(read(iconListBytes(IconIndices{}, entries)).names, names({"twolines.ico", "b.ico"}))
        << "a name of nothing but a line break is no name";

    QByteArray many = head(IconIndices{});
    for (int line = 0; line < 300; ++line)
        many += "x.ico\r\n";
    EXPECT_EQ(read(many).names.size(), 254u) << "the table has 254 named entries";
}

TEST(IconListFile, FilesOnDisk)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kiv.sin"));
    EXPECT_FALSE(loadIconListFile(path));

    IconIndices indices{};
    indices[10] = 2;
    IconNames entries{};
    entries[1] = QStringLiteral("one.ico");
    ASSERT_TRUE(saveIconListFile(path, indices, entries));
    const std::optional<IconListRead> loaded = loadIconListFile(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->indices, indices);
    EXPECT_EQ(loaded->names, names({"one.ico", ""}));
}
