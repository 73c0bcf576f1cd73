#include "document/ElementFile.h"

#include "platform/LineReader.h"

#include <algorithm>

namespace kiv {

namespace {
constexpr std::size_t kNameLength = 22;
constexpr std::size_t kLineLength = 69;

// The three lines of the next record (a missing one empty) and how many of them the input held;
// 0 at its end. cutLine: the number of the first of them cut to the reader's maximum, else 0.
int readRecord(LineReader& reader, ElementLines& record, int& cutLine)
{
    cutLine = 0;
    int lines = 0;
    for (std::string* line : {&record.name, &record.line1, &record.line2}) {
        if (!reader.readLine(*line))
            continue;
        ++lines;
        if (cutLine == 0 && reader.lastLineCut())
            cutLine = reader.lineNumber();
    }
    return lines;
}
} // namespace

ElementLines trimmedElementLines(std::string_view name, std::string_view line1, std::string_view line2)
{
    while (name.size() > 1 && name.back() == ' ')
        name.remove_suffix(1);
    return {.name = std::string(name.substr(0, kNameLength)),
            .line1 = std::string(line1.substr(0, kLineLength)),
            .line2 = std::string(line2.substr(0, kLineLength))};
}

int refusedElementLine(const ElementLines& record)
{
    if (record.line1.empty() || record.line1.front() != '1')
        return 2;
    if (record.line2.empty() || record.line2.front() != '2')
        return 3;
    return 0;
}

ElementFileContent readElementFile(kiv::LineReader& reader)
{
    ElementFileContent content;
    ElementLines record;
    int cutLine = 0;
    int lineCount = 0;
    while (static_cast<int>(content.records.size()) < kMaxSatellites && readRecord(reader, record, cutLine) > 0) {
        if (const int refused = refusedElementLine(record)) {
            content.badLine = lineCount + refused;
            break;
        }
        lineCount += 3;
        content.records.push_back(record);
    }
    return content;
}

ElementFileRecords readElementRecords(LineReader& reader)
{
    ElementFileRecords content;
    ElementRecord record;
    int cutLine = 0;
    while ((record.linesInFile = readRecord(reader, record.lines, cutLine)) > 0) {
        if (cutLine > 0) {
            content.stop = ElementFileRecords::Stop::LongLine;
            content.longLine = cutLine;
            break;
        }
        if (content.records.size() == kElementFileMaxRecords || reader.bytesConsumed() > kElementFileMaxBytes) {
            content.stop = ElementFileRecords::Stop::TooLarge;
            break;
        }
        content.records.push_back(record);
    }
    if (content.stop == ElementFileRecords::Stop::End && reader.readError())
        content.stop = ElementFileRecords::Stop::ReadError;
    return content;
}

void appendElementRecord(std::string& text, const ElementRecord& record)
{
    const std::string* lines[] = {&record.lines.name, &record.lines.line1, &record.lines.line2};
    // A record made by hand may say anything; only the lines it has are written.
    const int count = std::clamp(record.linesInFile, 0, static_cast<int>(std::size(lines)));
    for (int i = 0; i < count; ++i)
        text.append(*lines[i]).push_back('\n');
}

} // namespace kiv
