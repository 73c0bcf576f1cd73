#include "imaging/PictureReceiver.h"

#include "imaging/Dib.h"
#include "imaging/LittleEndian.h"
#include "platform/ArchiveWriter.h"

#include <cstring>

namespace kiv {

namespace {

constexpr std::uint32_t kMark = 0x5056494B; // "KIVP"

} // namespace

QByteArray PictureReceiver::header(QSize size)
{
    ArchiveWriter out;
    out.writeUInt32(kMark);
    out.writeUInt32(std::uint32_t(size.width()));
    out.writeUInt32(std::uint32_t(size.height()));
    return out.bytes();
}

bool PictureReceiver::startPicture()
{
    const LittleEndian in(header_);
    const qint64 width = *in.u32(4);
    const qint64 height = *in.u32(8);
    if (in.u32(0) != kMark || !pictureSizeAllowed(width, height) || width * height > maxPixels_)
        return false;
    picture_ = QImage(int(width), int(height), QImage::Format_RGB32);
    return !picture_.isNull();
}

bool PictureReceiver::take(QByteArrayView bytes)
{
    if (broken_)
        return false;
    if (header_.size() < kHeaderSize) {
        const qsizetype part = std::min(kHeaderSize - header_.size(), bytes.size());
        header_.append(bytes.first(part));
        bytes = bytes.sliced(part);
        if (header_.size() == kHeaderSize && !startPicture()) {
            broken_ = true;
            return false;
        }
    }
    if (bytes.isEmpty())
        return true;
    if (picture_.isNull() || bytes.size() > picture_.sizeInBytes() - received_) {
        broken_ = true;
        return false;
    }
    std::memcpy(picture_.bits() + received_, bytes.data(), size_t(bytes.size()));
    received_ += bytes.size();
    return true;
}

QImage PictureReceiver::picture() const
{
    const bool whole = !broken_ && !picture_.isNull() && received_ == picture_.sizeInBytes();
    return whole ? picture_ : QImage();
}

} // namespace kiv
