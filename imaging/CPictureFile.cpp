#include "imaging/CPictureFile.h"

#include "imaging/Dib.h"
#include "imaging/IconDirectory.h"
#include "imaging/MetafileCheck.h"
#include "imaging/MetafileChild.h"
#include "imaging/PictureBudget.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace kiv {

namespace {

ReaderMessage error(const QString& caption, const QString& text)
{
    return {.caption = caption, .text = text, .icon = ReaderMessage::Icon::Hand};
}

bool formatAllowed(const QByteArray& format)
{
    return format == "jpeg" || format == "gif" || format == "ico" || format == "bmp";
}

bool indexed(QImage::Format format)
{
    return format == QImage::Format_Indexed8 || format == QImage::Format_Mono || format == QImage::Format_MonoLSB
        || format == QImage::Format_Grayscale8;
}

// The format a decoded picture is delivered in on the route.
QImage::Format routeFormat(QImage::Format decoded, Route route)
{
    if (route == Route::Display)
        return QImage::Format_RGB32;
    return indexed(decoded) ? QImage::Format_Indexed8 : QImage::Format_BGR888;
}

// The decoded picture and, when its format is not the route's, the converted one beside it (Qt
// converts some formats in place, but that is not counted on); then what the route makes of it. A
// format the decoder does not tell in advance counts as 32 bits a pixel.
qint64 peakBytes(QSize size, QImage::Format decoded, Route route)
{
    const QImage::Format format = decoded == QImage::Format_Invalid ? QImage::Format_ARGB32 : decoded;
    const QImage::Format delivered = routeFormat(format, route);
    const qint64 bitmap = pictureBudget::imageBytes(size.width(), size.height(), delivered);
    const qint64 decodedBytes = pictureBudget::imageBytes(size.width(), size.height(), format);
    const qint64 reader = decodedBytes + (delivered == format ? 0 : bitmap);
    return pictureBudget::routePeak(reader, bitmap, size.width(), size.height(), route);
}

Bitmap toRoute(QImage image, Route route)
{
    const QImage::Format format = routeFormat(image.format(), route);
    const int bits = route == Route::Display ? 32 : format == QImage::Format_Indexed8 ? 8 : 24;
    image.convertTo(format);
    return Bitmap(std::move(image), bits);
}

ReaderMessage overBudget()
{
    return error(QStringLiteral("Error."),
                 QStringLiteral("Can not allocate enough memory: %1\t").arg(pictureBudget::limitText()));
}

LoadResult decodeRaster(QByteArrayView bytes, Route route)
{
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(int(pictureBudget::kMebibytes));
    if (!formatAllowed(reader.format()))
        return {};
    // An icon's directory names its pictures' sides, but the pictures are decoded by their own.
    if (reader.format() == "ico" && !iconDirectory::entriesNameable(bytes))
        return {};
    const QSize size = reader.size();
    if (size.isValid() && !pictureSizeAllowed(size.width(), size.height()))
        return {};
    if (size.isValid() && !pictureBudget::admits(peakBytes(size, reader.imageFormat(), route)))
        return failure(overBudget());
    QImage image = reader.read();
    if (image.isNull() || !pictureSizeAllowed(image.width(), image.height()))
        return {};
    // The decoded picture may still differ from what the header promised: its conversion is
    // counted again before it is made.
    if (image.size() != size && !pictureBudget::admits(peakBytes(image.size(), image.format(), route)))
        return failure(overBudget());
    LoadResult result;
    result.bitmap = toRoute(std::move(image), route);
    return result;
}

} // namespace

LoadResult CPictureFile::decode(QByteArrayView bytes, Route route)
{
    if (!metafileCheck::recognises(bytes))
        return decodeRaster(bytes, route);
    // Drawn as 32-bit RGB within the metafile pixel budget; the route's copy fits the budget too.
    LoadResult result;
    result.bitmap = toRoute(MetafileChild::standard().render(bytes), route);
    return result;
}

bool CPictureFile::Load(const QString& fileName)
{
    clear();
    QString text;
    const auto bytes = readWholeFile(fileName, text);
    if (!bytes) {
        addMessage(error(QStringLiteral("Error"), text.left(255)));
        return false;
    }
    if (bytes->isEmpty()) {
        addMessage(error(QStringLiteral("Error."), QStringLiteral("Error reading file\t")));
        return false;
    }
    return adopt(decode(*bytes, route()));
}

bool CPictureFile::LoadImageResource(int id)
{
    clear();
    QFile resource(QStringLiteral(":/kiv/image/%1").arg(id));
    if (!resource.open(QIODevice::ReadOnly)) {
        addMessage(error(QStringLiteral("Error"), QStringLiteral("FindResource() Failed\t")));
        return false;
    }
    return adopt(decode(resource.readAll(), route()));
}

} // namespace kiv
