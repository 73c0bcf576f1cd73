#include "views3d/EarthTextureFile.h"

#include "document/CKivDoc.h"
#include "imaging/CGraphicFile.h"
#include "imaging/ReaderMessage.h"
#include "platform/DataPaths.h"
#include "platform/UiServices.h"

namespace views3d {

QImage readEarthTexture(const QString& fileName, const kiv::DocumentContext& context)
{
    imaging::CGraphicFile file;
    file.SetUseDib(false);
    const std::optional<QString> path = context.paths.find(fileName);
    if (path && file.Load(*path))
        return file.DetachBitmap().takeImage();
    if (path)
        imaging::showReaderMessages(file.takeMessages(), context.ui.messages, context.ui.bell);
    file.LoadFromResource(imaging::CGraphicFile::kBitmapResource, imaging::CGraphicFile::kStandardTexture);
    return file.DetachBitmap().takeImage();
}

} // namespace views3d
