#include "document/ElementFile.h"

#include "platform/LineReader.h"

namespace kiv {

namespace {
constexpr std::size_t kNameLength = 22;
constexpr std::size_t kLineLength = 69;
} // namespace

ElementLines trimmedElementLines(std::string_view name, std::string_view line1, std::string_view line2)
{
    while (name.size() > 1 && name.back() == ' ')
        name.remove_suffix(1);
    return {std::string(name.substr(0, kNameLength)), std::string(line1.substr(0, kLineLength)),
            std::string(line2.substr(0, kLineLength))};
}

ElementFileContent readElementFile(kiv::LineReader& reader)
{
    ElementFileContent content;
    std::string name, line1, line2;
    int lineCount = 0;
    while (static_cast<int>(content.records.size()) < kMaxSatellites && reader.readLine(name)) {
        reader.readLine(line1);
        reader.readLine(line2);
        lineCount += 3;
        if (line1.empty() || line1.front() != '1') {
            content.badLine = lineCount - 1;
            break;
        }
        if (line2.empty() || line2.front() != '2') {
            content.badLine = lineCount;
            break;
        }
        content.records.push_back({name, line1, line2});
    }
    return content;
}

} // namespace kiv
