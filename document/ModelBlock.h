#pragma once
// The satellite model file as lines: which lines count, where model k starts, and the block of
// one model as a settings archive carries it. The model reader of the globe and the archive
// writer use the same rules: a line with "#" anywhere is a comment, a blank line is nothing, and
// only a line that is neither and contains "StartModel" starts a model.

#include "platform/LineReader.h"

#include <string>
#include <string_view>
#include <vector>

namespace kiv::modelBlock {

bool isComment(std::string_view line);
bool isBlank(std::string_view line);
// A model start: neither comment nor blank, and containing "StartModel".
bool isModelStart(std::string_view line);
bool isModelEnd(std::string_view line);

// The statement lines of model `model` (0 and 1 the first; 0 also takes the lines above it),
// without comments, blank lines and the closing "EndModel"; the lines after the model are not
// read. Further "StartModel" lines inside are kept, as model 0 keeps the file's first one.
std::vector<std::string> extract(LineReader& lines, int model);

// What an archive carries when the model file cannot be read: a cube of edge 0.8.
std::vector<std::string> fallback();

} // namespace kiv::modelBlock
