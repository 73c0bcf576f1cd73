#include "imaging/MetafileChild.h"

#include "imaging/MetafileCheck.h"
#include "imaging/PictureBudget.h"
#include "imaging/PictureReceiver.h"

#include <QFileInfo>

namespace kiv {

namespace {

QString& namedHelper()
{
    static QString path;
    return path;
}

} // namespace

MetafileChild MetafileChild::standard()
{
    if (!namedHelper().isEmpty())
        return MetafileChild(namedHelper());
    return MetafileChild(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() + QStringLiteral("/kiv-metafile"));
}

void MetafileChild::useHelper(const QString& path)
{
    namedHelper() = path;
}

QImage MetafileChild::render(QByteArrayView bytes) const
{
    if (!metafileCheck::isSound(bytes))
        return {};
    PictureReceiver receiver(pictureBudget::kMetafilePixels);
    const auto result =
        BoundedChild::run(helper_, {}, bytes, limits_, [&receiver](QByteArrayView piece) { return receiver.take(piece); });
    return result.succeeded() ? receiver.picture() : QImage();
}

} // namespace kiv
