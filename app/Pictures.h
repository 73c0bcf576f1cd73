#pragma once
// The pictures the shell loads through the picture loader: the document's map bitmaps (a file,
// else the standard texture 419 after the loader's messages) and the splash picture 416.

#include <QImage>
#include <QString>

namespace kiv {
class DataPaths;
struct UiServices;
}

namespace kiv {

QImage loadMapPicture(const QString& fileName, const DataPaths& paths, UiServices& ui);
QImage splashPicture();

} // namespace kiv
