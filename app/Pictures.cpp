#include "app/Pictures.h"

#include "platform/DataPaths.h"

#include <QImageReader>

namespace kiv {

namespace {

// Stand-in for the standard texture (512 x 256) until the picture loader provides it.
QImage standardTexture()
{
    QImage image(512, 256, QImage::Format_RGB888);
    image.fill(QColor(20, 60, 130));
    return image;
}

} // namespace

QImage loadMapPicture(const QString& fileName, const platform::DataPaths& paths)
{
    QImageReader reader(paths.resolve(fileName));
    QImage image = reader.read();
    return image.isNull() ? standardTexture() : image.convertToFormat(QImage::Format_RGB888);
}

QImage splashPicture() { return QImage(QStringLiteral(":/kiv/image/416")); }

} // namespace kiv
