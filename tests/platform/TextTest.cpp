#include "platform/Latin1.h"
#include "platform/LineReader.h"
#include "platform/Paragraphs.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <vector>

using kiv::LineReader;

namespace {

std::vector<std::string> readAll(LineReader& reader)
{
    std::vector<std::string> lines;
    std::string line;
    while (reader.readLine(line))
        lines.push_back(line);
    EXPECT_TRUE(line.empty());
    return lines;
}

std::vector<std::string> linesOf(std::string_view bytes, std::size_t max = LineReader::kDefaultMaxLineLength)
{
    LineReader reader(bytes, max);
    return readAll(reader);
}

using Lines = std::vector<std::string>;

} // namespace

TEST(LineReader, LineEnds)
{
    EXPECT_EQ(linesOf("a\nb\n"), (Lines{"a", "b"}));
    EXPECT_EQ(linesOf("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(linesOf("a\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("\n"), Lines{""});
    EXPECT_EQ(linesOf("a\n\n\nb"), (Lines{"a", "", "", "b"}));
    EXPECT_EQ(linesOf("\r\n\r\n"), (Lines{"", ""}));
    // Only a CR right before LF is a line end.
    EXPECT_EQ(linesOf("a\rb\r\r\nc\r"), (Lines{"a\rb\r", "c\r"}));
    EXPECT_EQ(linesOf(std::string_view("x\0y\n", 4)), Lines{std::string("x\0y", 3)});
}

TEST(LineReader, CountsLinesAndBytes)
{
    LineReader reader("one\r\ntwo\nthree");
    std::string line;
    ASSERT_TRUE(reader.readLine(line));
    EXPECT_EQ(reader.lineNumber(), 1);
    EXPECT_EQ(reader.bytesConsumed(), 5u);
    EXPECT_EQ(reader.lastLineEnd(), LineReader::LineEnd::CrLf);
    ASSERT_TRUE(reader.readLine(line));
    EXPECT_EQ(reader.lastLineEnd(), LineReader::LineEnd::Lf);
    ASSERT_TRUE(reader.readLine(line));
    EXPECT_EQ(line, "three");
    EXPECT_EQ(reader.lastLineEnd(), LineReader::LineEnd::None);
    EXPECT_EQ(reader.lineNumber(), 3);
    EXPECT_EQ(reader.bytesConsumed(), 14u);
    EXPECT_FALSE(reader.readLine(line));
    EXPECT_EQ(reader.lineNumber(), 3);
}

TEST(LineReader, LongLinesAreCutNotAccumulated)
{
    LineReader reader("abcdefgh\nxy\r\nabcd\r\nabcde\r\n", 4);
    std::string line;
    ASSERT_TRUE(reader.readLine(line));
    EXPECT_EQ(line, "abcd");
    EXPECT_TRUE(reader.lastLineCut());
    ASSERT_TRUE(reader.readLine(line));
    EXPECT_EQ(line, "xy");
    EXPECT_FALSE(reader.lastLineCut());
    ASSERT_TRUE(reader.readLine(line));
    EXPECT_EQ(line, "abcd"); // exactly the maximum, CR LF dropped
    EXPECT_FALSE(reader.lastLineCut());
    ASSERT_TRUE(reader.readLine(line));
    EXPECT_EQ(line, "abcd");
    EXPECT_TRUE(reader.lastLineCut());
    EXPECT_FALSE(reader.readLine(line));
}

TEST(LineReader, ReadsDevicesAcrossChunks)
{
    // Lines that straddle the reader's chunks, a CR LF split between two chunks, and a last line
    // without LF.
    QByteArray data;
    Lines expected;
    for (int i = 0; i < 3000; ++i) {
        expected.push_back(std::string(i % 97, static_cast<char>('a' + i % 26)));
        data += QByteArray::fromStdString(expected.back()) + (i % 3 == 0 ? "\r\n" : "\n");
    }
    data += "tail";
    expected.push_back("tail");
    QBuffer buffer(&data);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    LineReader reader(buffer);
    EXPECT_EQ(readAll(reader), expected);
    EXPECT_FALSE(reader.readError());

    QByteArray noNewline(300'000, 'z');
    QBuffer endless(&noNewline);
    ASSERT_TRUE(endless.open(QIODevice::ReadOnly));
    LineReader bounded(endless, 1000);
    std::string line;
    ASSERT_TRUE(bounded.readLine(line));
    EXPECT_EQ(line.size(), 1000u);
    EXPECT_LE(line.capacity(), 64u * 1024u);
    EXPECT_TRUE(bounded.lastLineCut());
    EXPECT_FALSE(bounded.readLine(line));
}

TEST(Latin1, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const QString text = kiv::fromLatin1(all);
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(text.at(0xB0), QChar(0x00B0)); // the degree sign of the map labels
    EXPECT_EQ(kiv::toLatin1(text), all);
    EXPECT_EQ(kiv::toLatin1(QStringLiteral("M\u00fcnchen \u20ac")), "M\xfc" "nchen ?");
}

TEST(Paragraphs, LinesJoinWithinAParagraphAndEmptyLinesSeparateThem)
{
    const struct {
        const char* text;
        const char* joined;
    } cases[] = {
        {"mit denen eine Kugelform angen\xC3\xA4hert\nwird an.", "mit denen eine Kugelform angen\xC3\xA4hert wird an."},
        {"for any \nother form.\n\nNext one.", "for any other form.\n\nNext one."},
        {"One.\n\n\n\nTwo.\n", "One.\n\nTwo."},
        {"\n\nLead.\n\n", "Lead."},
        {"a\r\nb", "a b"},
        {"plain", "plain"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kiv::asParagraphs(QString::fromUtf8(c.text)), QString::fromUtf8(c.joined)) << c.text;
}
