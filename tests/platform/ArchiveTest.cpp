#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"

#include <gtest/gtest.h>

#include <cmath>

using kiv::ArchiveReader;
using kiv::ArchiveRect;
using kiv::ArchiveWriter;

namespace {

std::string_view view(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), bytes.size());
}

QByteArray stringBytes(std::string_view text)
{
    ArchiveWriter writer;
    writer.writeString(text);
    return writer.bytes();
}

} // namespace

TEST(Archive, NumbersAreLittleEndianAndRoundTrip)
{
    ArchiveWriter writer;
    writer.writeInt32(-2);
    writer.writeUInt32(0x02FFFFFFu);
    writer.writeUInt16(0x1234);
    writer.writeUInt8(0xAB);
    writer.writeFloat(1.0f);
    writer.writeDouble(-2.5);
    writer.writeInt64(-1);
    writer.writeRect({-10, 20, 1300, 1000});
    writer.writeBytes(std::string(500, '\0'));
    EXPECT_EQ(writer.bytes().left(23), QByteArray::fromHex("feffffff" "ffffff02" "3412" "ab" "0000803f"
                                                           "00000000000004c0"));
    EXPECT_EQ(writer.bytes().size(), 4 + 4 + 2 + 1 + 4 + 8 + 8 + 16 + 500);

    ArchiveReader reader(view(writer.bytes()));
    EXPECT_EQ(reader.readInt32(), -2);
    EXPECT_EQ(reader.readUInt32(), 0x02FFFFFFu);
    EXPECT_EQ(reader.readUInt16(), 0x1234);
    EXPECT_EQ(reader.readUInt8(), 0xAB);
    EXPECT_EQ(reader.readFloat(), 1.0f);
    EXPECT_EQ(reader.readDouble(), -2.5);
    EXPECT_EQ(reader.readInt64(), -1);
    EXPECT_EQ(reader.readRect(), (ArchiveRect{-10, 20, 1300, 1000}));
    reader.skip(500);
    EXPECT_TRUE(reader.ok());
    EXPECT_TRUE(reader.atEnd());
}

TEST(Archive, StringLengthPrefixes)
{
    EXPECT_EQ(stringBytes(""), QByteArray::fromHex("00"));
    EXPECT_EQ(stringBytes("Stored Settings with Version 2.41"),
              QByteArray(1, '\x21') + "Stored Settings with Version 2.41");
    EXPECT_EQ(stringBytes(std::string(254, 'a')).left(1), QByteArray::fromHex("fe"));
    EXPECT_EQ(stringBytes(std::string(255, 'a')).left(3), QByteArray::fromHex("ffff00"));
    EXPECT_EQ(stringBytes(std::string(0xFFFD, 'a')).left(3), QByteArray::fromHex("fffdff"));
    EXPECT_EQ(stringBytes(std::string(0xFFFE, 'a')).left(7), QByteArray::fromHex("ffffff" "feff0000"));
    for (const std::size_t length : {0u, 1u, 254u, 255u, 256u, 0xFFFDu, 0xFFFEu, 0xFFFFu, 0x10000u}) {
        const std::string text(length, 'k');
        const QByteArray bytes = stringBytes(text);
        ArchiveReader reader(view(bytes));
        EXPECT_EQ(reader.readString(), text) << length;
        EXPECT_TRUE(reader.ok() && reader.atEnd()) << length;
    }
}

TEST(Archive, UnicodeStringsAndTheEightByteLength)
{
    // 0xFF, the marker 0xFEFF, then the length in characters and UTF-16LE text.
    const QByteArray unicode = QByteArray::fromHex("fffeff" "03" "4b00fc00ac20");
    ArchiveReader reader(view(unicode));
    EXPECT_EQ(reader.readString(), "K\xfc?");
    EXPECT_TRUE(reader.ok() && reader.atEnd());

    const QByteArray longUnicode = QByteArray::fromHex("fffeff" "ff0001") + QByteArray(512, 'a');
    ArchiveReader second(view(longUnicode));
    EXPECT_EQ(second.readString().size(), 256u);
    EXPECT_TRUE(second.ok() && second.atEnd());

    const QByteArray eightBytes = QByteArray::fromHex("ffffffffffffff" "0300000000000000") + "abc";
    ArchiveReader third(view(eightBytes));
    EXPECT_EQ(third.readString(), "abc");
    EXPECT_TRUE(third.ok());
}

TEST(Archive, MalformedInputFailsOnceAndForAll)
{
    // A huge claimed length: no allocation, no read, an error naming the position.
    for (const QByteArray& bytes : {QByteArray::fromHex("ffffffffffffff" "ffffffffffffff7f") + "abc",
                                    QByteArray::fromHex("fffeff" "ffffffffffffffffffffffff"),
                                    QByteArray::fromHex("ff1000") + "short",
                                    QByteArray::fromHex("05") + "abc",
                                    QByteArray::fromHex("ff")}) {
        ArchiveReader reader(view(bytes));
        EXPECT_EQ(reader.readString(), "");
        EXPECT_FALSE(reader.ok()) << bytes.toHex().toStdString();
        EXPECT_FALSE(reader.error().isEmpty());
        EXPECT_EQ(reader.readUInt8(), 0) << "the error is sticky";
    }
    const QByteArray three = QByteArray::fromHex("010203");
    ArchiveReader reader(view(three));
    EXPECT_EQ(reader.readUInt32(), 0u);
    EXPECT_FALSE(reader.ok());
    EXPECT_EQ(reader.position(), 0u);
    EXPECT_TRUE(reader.error().english.contains(QStringLiteral("byte 0")));
    EXPECT_TRUE(reader.error().german.contains(QStringLiteral("Byte 0")));
    EXPECT_EQ(reader.readRect(), ArchiveRect{});
    EXPECT_EQ(reader.readBytes(1), "");
    std::string line;
    EXPECT_FALSE(reader.readTextLine(line));
}

TEST(Archive, TextLines)
{
    ArchiveWriter writer;
    writer.writeTextLine("StartModel");
    writer.writeTextLine("gluSolidCube {0.8}");
    writer.writeInt32(7);
    EXPECT_EQ(writer.bytes(), QByteArray("StartModel\ngluSolidCube {0.8}\n\x07\0\0\0", 34));

    const QByteArray bytes = "first\r\n\nlast";
    ArchiveReader reader(view(bytes));
    std::string line;
    ASSERT_TRUE(reader.readTextLine(line));
    EXPECT_EQ(line, "first");
    ASSERT_TRUE(reader.readTextLine(line));
    EXPECT_EQ(line, "");
    ASSERT_TRUE(reader.readTextLine(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(reader.readTextLine(line));
    EXPECT_TRUE(reader.ok()) << "the end of the lines is not an error";
}
