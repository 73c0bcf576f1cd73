#include "document/ModelBlock.h"

namespace kiv::modelBlock {

bool isComment(std::string_view line) { return line.find('#') != std::string_view::npos; }

bool isBlank(std::string_view line) { return line.find_first_not_of(" \t\r\v\f") == std::string_view::npos; }

bool isModelStart(std::string_view line)
{
    return !isComment(line) && !isBlank(line) && line.find("StartModel") != std::string_view::npos;
}

bool isModelEnd(std::string_view line) { return line.find("EndModel") != std::string_view::npos; }

std::vector<std::string> extract(LineReader& lines, int model)
{
    std::string line;
    for (int k = 0; k < model; ++k) {
        bool found = false;
        while (!found && lines.readLine(line))
            found = isModelStart(line);
        if (!found)
            return {};
    }
    std::vector<std::string> block;
    while (lines.readLine(line)) {
        if (isComment(line) || isBlank(line))
            continue;
        if (isModelEnd(line))
            break;
        block.push_back(line);
    }
    return block;
}

std::vector<std::string> fallback() { return {"gluSolidCube {0.8}"}; }

} // namespace kiv::modelBlock
