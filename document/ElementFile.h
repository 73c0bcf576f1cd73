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

// 0 when the loader takes the record, else the 1-based line within it that it refuses: 2 for a line
// 1 not starting with '1', 3 for a line 2 not starting with '2'.
int refusedElementLine(const ElementLines& record);

// A record exactly as the file holds it, whether the loader takes it or not.
struct ElementRecord {
    ElementLines lines;  // neither trimmed nor cut; lines missing at the end of the file are empty
    int linesInFile = 3; // fewer only for a last record that the end of the file cut short
};

// Every record of an element-set file, for showing and rewriting it record by record.
struct ElementFileRecords {
    enum class Stop { End, ReadError, LongLine, TooLarge };
    std::vector<ElementRecord> records;
    Stop stop = Stop::End; // anything but End: the records do not hold the whole file
    int longLine = 0;      // 1-based number of the line longer than kElementFileMaxLine
};

// Bounds for files that are not element sets at all: a full public catalogue is some 30 000
// records and 6 MB.
inline constexpr std::size_t kElementFileMaxRecords = 100000;
inline constexpr std::size_t kElementFileMaxBytes = 32 * 1024 * 1024;

ElementFileRecords readElementRecords(LineReader& lines);
// Appends the record's lines as the file held them, each ended by LF.
void appendElementRecord(std::string& text, const ElementRecord& record);

} // namespace kiv
