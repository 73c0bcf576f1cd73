#pragma once
// The pictures the shell loads: the map bitmaps of the document (a file through the picture
// loader, else the standard texture) and the splash picture.

#include <QImage>
#include <QString>

namespace platform {
class DataPaths;
class MessageBoxes;
}

namespace kiv {

QImage loadMapPicture(const QString& fileName, const platform::DataPaths& paths);
QImage splashPicture();

} // namespace kiv
