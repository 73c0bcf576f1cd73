#pragma once
// Reads text files line by line as the program's files are written: a line ends at LF, a CR
// right before the LF is dropped, a last line without LF is still a line, and an empty line is
// distinct from the end of the file. Lines are bytes; nothing is decoded.
//
// A line longer than the maximum is cut to it and the rest of it skipped, so that a file
// without line ends cannot make the reader allocate without bound.

#include <QIODevice>

#include <cstddef>
#include <string>
#include <string_view>

namespace kiv {

class LineReader {
public:
    enum class LineEnd { None, Lf, CrLf };

    static constexpr std::size_t kDefaultMaxLineLength = 64 * 1024;

    // Reads from an open device, from its current position.
    explicit LineReader(QIODevice& device, std::size_t maxLineLength = kDefaultMaxLineLength);
    // Reads from bytes in memory, which must outlive the reader.
    explicit LineReader(std::string_view bytes, std::size_t maxLineLength = kDefaultMaxLineLength);

    // The next line without its line end; false at the end of the input (line is then empty).
    bool readLine(std::string& line);

    // Lines read so far (the number of the last line returned, 1-based).
    int lineNumber() const { return lineNumber_; }
    // Whether the last line returned was cut to the maximum length.
    bool lastLineCut() const { return lastLineCut_; }
    // How the last line returned ended: LF, CR LF, or nothing at the end of the input.
    LineEnd lastLineEnd() const { return lastLineEnd_; }
    // Whether the device reported a read error; the lines before it were returned.
    bool readError() const { return readError_; }
    // Bytes consumed so far, line ends included.
    std::size_t bytesConsumed() const { return consumed_; }

private:
    bool refill();

    QIODevice* device_ = nullptr;
    std::size_t maxLineLength_;
    std::string chunk_;
    std::string_view window_;
    int lineNumber_ = 0;
    std::size_t consumed_ = 0;
    bool lastLineCut_ = false;
    LineEnd lastLineEnd_ = LineEnd::None;
    bool readError_ = false;
};

} // namespace kiv
