#include "imaging/CGraphicFile.h"

#include "imaging/BmpReader.h"
#include "imaging/CPcxFile.h"
#include "imaging/CPictureFile.h"
#include "imaging/CTiffFile.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kiv {

namespace {

struct Extension {
    const char* text;
    int kind;
};

constexpr std::array<Extension, 13> kExtensions{{
    {"PCX", CGraphicFile::kPcx},
    {"PCC", CGraphicFile::kPcx},
    {"TIF", CGraphicFile::kTiff},
    {"TIFF", CGraphicFile::kTiff},
    {"BMP", CGraphicFile::kBmp},
    {"DIB", CGraphicFile::kBmp},
    {"JPG", CGraphicFile::kPicture},
    {"JIF", CGraphicFile::kPicture},
    {"JPEG", CGraphicFile::kPicture},
    {"GIF", CGraphicFile::kGif},
    {"EMF", CGraphicFile::kPicture},
    {"ICO", CGraphicFile::kPicture},
    {"WMF", CGraphicFile::kPicture},
}};

} // namespace

int CGraphicFile::KindForName(const QString& fileName)
{
    // Names from older settings may still use backslashes between folders.
    const qsizetype slash = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot <= slash)
        return kDispatch;
    const QString extension = fileName.mid(dot + 1).toUpper();
    for (const Extension& e : kExtensions) {
        if (extension == QLatin1String(e.text))
            return e.kind;
    }
    return kDispatch;
}

bool CGraphicFile::Load(const QString& fileName)
{
    return LoadFile(kDispatch, fileName);
}

bool CGraphicFile::LoadFile(int kind, const QString& fileName)
{
    clear();
    if (kind == kDispatch)
        kind = KindForName(fileName);
    switch (kind) {
    case kBmp:
        return loadDecoded(fileName, bmpOpenFailure(fileName), &decodeBmp);
    case kPcx:
        return loadWith<CPcxFile>(fileName);
    case kTiff:
        return loadWith<CTiffFile>(fileName);
    case kPicture:
    case kGif:
        return loadWith<CPictureFile>(fileName);
    default:
        return false;
    }
}

template <typename Reader>
bool CGraphicFile::loadWith(const QString& fileName)
{
    Reader reader;
    reader.SetUseDib(useDib_);
    reader.Load(fileName);
    return adoptFrom(reader);
}

bool CGraphicFile::adoptFrom(CGraphicFile& reader)
{
    LoadResult result;
    result.bitmap = reader.DetachBitmap();
    result.messages = reader.takeMessages();
    const bool adopted = adopt(std::move(result));
    stopped_ = reader.stopped();
    return adopted;
}

bool CGraphicFile::loadDecoded(const QString& fileName, ReaderMessage openFailure, Decoder decode)
{
    clear();
    const PictureBytes bytes(fileName);
    if (!bytes.isOpen()) {
        addMessage(std::move(openFailure));
        return false;
    }
    return adopt(decode(bytes, fileName, route()), bytes);
}

bool CGraphicFile::LoadFromResource(int kind, int id)
{
    clear();
    if (kind != kBitmapResource) {
        CPictureFile reader;
        reader.SetUseDib(useDib_);
        reader.LoadImageResource(id);
        return adoptFrom(reader);
    }
    const QString name = QStringLiteral(":/kiv/bitmap/%1.bmp").arg(id);
    const PictureBytes resource(name);
    if (!resource.isOpen())
        return false;
    return adopt(decodeBmp(resource, name, route()), resource);
}

Bitmap CGraphicFile::DetachBitmap()
{
    return std::exchange(bitmap_, Bitmap());
}

bool CGraphicFile::CreatePaletteFromBitmap(QList<QRgb>& palette) const
{
    if (bitmap_.isNull() || bitmap_.image().format() != QImage::Format_Indexed8)
        return false;
    palette = bitmap_.image().colorTable();
    return true;
}

ReaderMessages CGraphicFile::takeMessages()
{
    return std::exchange(messages_, ReaderMessages());
}

bool CGraphicFile::adopt(LoadResult result)
{
    for (ReaderMessage& m : result.messages)
        messages_.push_back(std::move(m));
    bitmap_ = std::move(result.bitmap);
    width_ = bitmap_.width();
    height_ = bitmap_.height();
    imageSize_ = bitmap_.imageSize();
    bitsPerPixel_ = bitmap_.bitsPerPixel();
    return !bitmap_.isNull();
}

bool CGraphicFile::adopt(LoadResult result, const PictureBytes& bytes)
{
    if (!bytes.stopped())
        return adopt(std::move(result));
    stopped_ = true;
    return false;
}

void CGraphicFile::clear()
{
    stopped_ = false;
    bitmap_ = Bitmap();
    width_ = height_ = bitsPerPixel_ = 0;
    imageSize_ = 0;
}

} // namespace kiv
