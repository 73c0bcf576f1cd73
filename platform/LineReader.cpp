#include "platform/LineReader.h"

#include <algorithm>

namespace kiv {

namespace {

constexpr qint64 kChunkSize = 64 * 1024;

} // namespace

LineReader::LineReader(QIODevice& device, std::size_t maxLineLength)
    : device_(&device), maxLineLength_(maxLineLength)
{
}

LineReader::LineReader(std::string_view bytes, std::size_t maxLineLength)
    : maxLineLength_(maxLineLength), window_(bytes)
{
}

bool LineReader::refill()
{
    if (device_ == nullptr || readError_)
        return false;
    chunk_.resize(kChunkSize);
    const qint64 got = device_->read(chunk_.data(), kChunkSize);
    if (got < 0)
        readError_ = true;
    chunk_.resize(std::max<qint64>(got, 0));
    window_ = chunk_;
    return !window_.empty();
}

bool LineReader::readLine(std::string& line)
{
    line.clear();
    lastLineCut_ = false;
    bool anyByte = false;
    bool endedByLf = false;
    // One byte beyond the maximum is kept so that a CR before LF can still be recognised.
    const std::size_t keep = maxLineLength_ + 1;
    while (!endedByLf && (!window_.empty() || refill())) {
        anyByte = true;
        const std::size_t lf = window_.find('\n');
        endedByLf = lf != std::string_view::npos;
        const std::size_t length = endedByLf ? lf : window_.size();
        const std::size_t taken = std::min(length, keep - line.size());
        lastLineCut_ = lastLineCut_ || taken < length;
        line.append(window_.substr(0, taken));
        const std::size_t used = endedByLf ? lf + 1 : length;
        window_.remove_prefix(used);
        consumed_ += used;
    }
    if (!anyByte)
        return false;
    lastLineEnd_ = endedByLf ? LineEnd::Lf : LineEnd::None;
    if (endedByLf && !lastLineCut_ && !line.empty() && line.back() == '\r') {
        line.pop_back();
        lastLineEnd_ = LineEnd::CrLf;
    }
    if (line.size() > maxLineLength_) {
        line.resize(maxLineLength_);
        lastLineCut_ = true;
    }
    ++lineNumber_;
    return true;
}

} // namespace kiv
