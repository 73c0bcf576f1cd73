#include "app/Pictures.h"

#include "imaging/CGraphicFile.h"
#include "imaging/ReaderMessage.h"
#include "platform/DataPaths.h"
#include "platform/UiServices.h"

namespace kiv {

using kiv::CGraphicFile;

QImage loadMapPicture(const QString& fileName, const DataPaths& paths, UiServices& ui)
{
    CGraphicFile file;
    if (!file.Load(paths.resolve(fileName))) {
        showReaderMessages(file.takeMessages(), ui.messages, ui.bell);
        file.LoadFromResource(CGraphicFile::kBitmapResource, CGraphicFile::kStandardTexture);
    }
    return file.DetachBitmap().takeImage();
}

QImage splashPicture()
{
    CGraphicFile file;
    file.LoadFromResource(CGraphicFile::kImageResource, CGraphicFile::kSplashPicture);
    return file.DetachBitmap().takeImage();
}

} // namespace kiv
