#pragma once
// The pictures the shell loads through the picture loader: the document's map bitmaps (a file,
// else the standard texture 419 after the loader's messages) and the splash picture 416.

#include <QImage>
#include <QString>

namespace platform {
class DataPaths;
struct UiServices;
}

namespace kiv {

QImage loadMapPicture(const QString& fileName, const platform::DataPaths& paths, platform::UiServices& ui);
QImage splashPicture();

} // namespace kiv
