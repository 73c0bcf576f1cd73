#include "views3d/EarthTextureFile.h"

#include "document/CKivDoc.h"
#include "imaging/CGraphicFile.h"
#include "imaging/ReaderMessage.h"
#include "platform/DataPaths.h"
#include "platform/UiServices.h"

namespace kiv {

QImage readEarthTexture(const QString& fileName, const DocumentContext& context)
{
    CGraphicFile file;
    file.SetUseDib(false);
    const std::optional<QString> path = context.paths.find(fileName);
    if (path && file.Load(*path))
        return file.DetachBitmap().takeImage();
    if (path)
        showReaderMessages(file.takeMessages(), context.ui.messages, context.ui.bell);
    file.LoadFromResource(CGraphicFile::kBitmapResource, CGraphicFile::kStandardTexture);
    return file.DetachBitmap().takeImage();
}

} // namespace kiv
