#include "imaging/CPictureFile.h"

#include "imaging/Dib.h"
#include "imaging/Metafile.h"

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

QImage decodeRaster(QByteArrayView bytes)
{
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (!formatAllowed(reader.format()))
        return {};
    const QSize size = reader.size();
    if (size.isValid() && !pictureSizeAllowed(size.width(), size.height()))
        return {};
    QImage image = reader.read();
    if (image.isNull() || !pictureSizeAllowed(image.width(), image.height()))
        return {};
    return image;
}

Bitmap toRoute(const QImage& image, Route route)
{
    if (route == Route::Display)
        return Bitmap(image.convertToFormat(QImage::Format_RGB32), 32);
    if (image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono
        || image.format() == QImage::Format_MonoLSB || image.format() == QImage::Format_Grayscale8)
        return Bitmap(image.convertToFormat(QImage::Format_Indexed8), 8);
    return Bitmap(image.convertToFormat(QImage::Format_BGR888), 24);
}

} // namespace

Bitmap CPictureFile::decode(QByteArrayView bytes, Route route)
{
    const QImage image = Metafile::recognises(bytes) ? Metafile::render(bytes) : decodeRaster(bytes);
    if (image.isNull())
        return {};
    return toRoute(image, route);
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
    LoadResult result;
    result.bitmap = decode(*bytes, route());
    return adopt(std::move(result));
}

bool CPictureFile::LoadImageResource(int id)
{
    clear();
    QFile resource(QStringLiteral(":/kiv/image/%1").arg(id));
    if (!resource.open(QIODevice::ReadOnly)) {
        addMessage(error(QStringLiteral("Error"), QStringLiteral("FindResource() Failed\t")));
        return false;
    }
    LoadResult result;
    result.bitmap = decode(resource.readAll(), route());
    return adopt(std::move(result));
}

} // namespace kiv
