#include "imaging/CPictureFile.h"

#include "imaging/Dib.h"
#include "imaging/IconDirectory.h"
#include "imaging/MetafileCheck.h"
#include "imaging/MetafileChild.h"
#include "imaging/PictureBudget.h"

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

LoadResult decodeRaster(const PictureBytes& bytes, Route route)
{
    // Qt's decoder reads the file through the device as it decodes.
    QIODevice& device = bytes.device();
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(int(pictureBudget::kMebibytes));
    if (!formatAllowed(reader.format()))
        return {};
    // An icon's directory names its pictures' sides, but the pictures are decoded by their own.
    if (reader.format() == "ico") {
        const qint64 at = device.pos();
        const bool nameable = iconDirectory::entriesNameable(bytes);
        device.seek(at);
        if (!nameable)
            return {};
    }
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

// A metafile goes to its child whole, so it is read whole: as far as its header says it goes, an
// EMF only when that is the file's own size. Its bytes are held until the picture is drawn (32 bits
// a pixel, within the metafile pixel budget), and the route's copy is made after they are gone.
LoadResult decodeMetafile(const PictureBytes& bytes, const QByteArray& head, Route route)
{
    const qint64 size = metafileCheck::namedSize(head);
    if (size <= 0 || size > bytes.size() || (metafileCheck::isEmf(head) && size != bytes.size()))
        return {};
    if (!pictureBudget::admitsMetafile(size))
        return failure(overBudget());
    QByteArray metafile = bytes.read(0, size);
    if (metafile.size() != size)
        return {};
    QImage drawn = MetafileChild::standard().render(metafile);
    metafile = QByteArray();
    LoadResult result;
    result.bitmap = toRoute(std::move(drawn), route);
    return result;
}

} // namespace

LoadResult CPictureFile::decode(const PictureBytes& bytes, Route route)
{
    const QByteArray head = bytes.read(0, metafileCheck::kHeadBytes);
    if (!metafileCheck::recognises(head))
        return decodeRaster(bytes, route);
    return decodeMetafile(bytes, head, route);
}

bool CPictureFile::Load(const QString& fileName)
{
    clear();
    const PictureBytes bytes(fileName);
    if (!bytes.isOpen()) {
        addMessage(error(QStringLiteral("Error"), bytes.errorString().left(255)));
        return false;
    }
    if (bytes.size() == 0) {
        addMessage(error(QStringLiteral("Error."), QStringLiteral("Error reading file\t")));
        return false;
    }
    return adopt(decode(bytes, route()), bytes);
}

bool CPictureFile::LoadImageResource(int id)
{
    clear();
    const PictureBytes resource(QStringLiteral(":/kiv/image/%1").arg(id));
    if (!resource.isOpen()) {
        addMessage(error(QStringLiteral("Error"), QStringLiteral("FindResource() Failed\t")));
        return false;
    }
    return adopt(decode(resource, route()), resource);
}

} // namespace kiv
