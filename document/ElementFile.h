#pragma once
// Element-set files: three lines per satellite (a name, then lines 1 and 2 of the two-line
// format), at most 255 records.

#include <string>
#include <string_view>
#include <vector>

namespace kiv {
class LineReader;
}

namespace kiv {

inline constexpr int kMaxSatellites = 255;

// One record as the table keeps it: the name right-trimmed of blanks (its first character always
// stays) and cut to 22 characters, each element line cut to 69.
struct ElementLines {
    std::string name;
    std::string line1;
    std::string line2;

    friend bool operator==(const ElementLines&, const ElementLines&) = default;
};

ElementLines trimmedElementLines(std::string_view name, std::string_view line1, std::string_view line2);

struct ElementFileContent {
    std::vector<ElementLines> records; // as read, neither trimmed nor cut
    // 1-based number of the first bad line (a line 1 not starting with '1' or a line 2 not
    // starting with '2'); 0 when every record read was good. Reading stops there.
    int badLine = 0;
};

// Element lines are 69 characters; reading lines no longer than this keeps memory bounded for
// files that are not element sets at all.
inline constexpr std::size_t kElementFileMaxLine = 4096;

ElementFileContent readElementFile(LineReader& lines);

} // namespace kiv
