#include "imaging/PictureBytes.h"

#include "platform/AtomicFile.h"
#include "platform/ReadableFile.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <cstring>

namespace kiv {

// What a decoder that reads the bytes itself sees: the bytes, which end once the decode is stopped.
class PictureBytes::View : public QIODevice {
public:
    explicit View(const PictureBytes& bytes) : bytes_(bytes) { open(QIODevice::ReadOnly); }
    qint64 size() const override { return bytes_.size(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 count = std::min(maxSize, bytes_.size() - pos());
        return count <= 0 ? 0 : bytes_.readInto(pos(), count, data);
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    const PictureBytes& bytes_;
};

PictureBytes::PictureBytes(QByteArrayView bytes)
    : memory_(QByteArray::fromRawData(bytes.data(), bytes.size())), inMemory_(true)
{
    auto buffer = std::make_unique<QBuffer>(&memory_);
    buffer->open(QIODevice::ReadOnly);
    size_ = memory_.size();
    device_ = std::move(buffer);
}

PictureBytes::PictureBytes(const QString& fileName)
{
    constexpr QIODevice::OpenMode mode = QIODevice::ReadOnly | QIODevice::Unbuffered;
    auto file = std::make_unique<QFile>(fileName);
    if (fileName.startsWith(u':')) { // a picture built into the program
        if (!file->open(mode))
            openError_ = file->errorString();
    } else if (ReadableFile named(fileName); !named.handTo(*file, mode)) {
        openError_ = named.notRegular() ? named.describe(true) : AtomicFile::reason(named.error(), true);
    }
    size_ = file->isOpen() ? file->size() : 0;
    device_ = std::move(file);
}

PictureBytes::PictureBytes(std::unique_ptr<QIODevice> device) : device_(std::move(device))
{
    if (device_->isOpen())
        size_ = device_->size();
}

PictureBytes::~PictureBytes() = default;

bool PictureBytes::isOpen() const
{
    return device_->isOpen();
}

QString PictureBytes::errorString() const
{
    return openError_;
}

qint64 PictureBytes::readInto(qint64 offset, qint64 count, char* out) const
{
    if (watch_.stop())
        return 0;
    if (inMemory_) {
        std::memcpy(out, memory_.constData() + offset, size_t(count));
        return count;
    }
    qint64 got = 0;
    if (device_->seek(offset)) {
        for (qint64 n = 0; got < count; got += n) {
            n = device_->read(out + got, count - got);
            if (n <= 0)
                break;
        }
    }
    return got;
}

QByteArray PictureBytes::read(qint64 offset, qint64 count) const
{
    if (offset < 0 || count <= 0 || offset >= size_)
        return {};
    QByteArray bytes(std::min(count, size_ - offset), Qt::Uninitialized);
    bytes.truncate(readInto(offset, bytes.size(), bytes.data()));
    return bytes;
}

bool PictureBytes::read(qint64 offset, qint64 count, uchar* out) const
{
    if (offset < 0 || count < 0 || offset > size_ || count > size_ - offset)
        return false;
    return readInto(offset, count, reinterpret_cast<char*>(out)) == count;
}

QIODevice& PictureBytes::device() const
{
    if (!view_)
        view_ = std::make_unique<View>(*this);
    view_->seek(0);
    return *view_;
}

ByteStream::ByteStream(const PictureBytes& bytes, qint64 begin, qint64 end)
    : bytes_(bytes), begin_(std::clamp<qint64>(begin, 0, bytes.size())),
      end_(std::clamp<qint64>(end, begin_, bytes.size())), pieceStart_(begin_)
{
}

bool ByteStream::fill()
{
    pieceStart_ += filled_;
    filled_ = at_ = 0;
    const qint64 count = std::min(kPieceBytes, end_ - pieceStart_);
    if (failed_ || count <= 0)
        return false;
    piece_.resize(size_t(count));
    if (!bytes_.read(pieceStart_, count, piece_.data())) {
        failed_ = true;
        return false;
    }
    filled_ = count;
    return true;
}

qint64 ByteStream::take(uchar* out, qint64 count)
{
    qint64 done = 0;
    while (done < count) {
        if (at_ == filled_ && !fill())
            break;
        const qint64 n = std::min(count - done, filled_ - at_);
        if (out)
            std::memcpy(out + done, piece_.data() + at_, size_t(n));
        at_ += n;
        done += n;
    }
    return done;
}

} // namespace kiv
