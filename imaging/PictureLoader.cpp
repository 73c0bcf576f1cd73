#include "imaging/PictureLoader.h"

#include "imaging/CGraphicFile.h"
#include "imaging/ReaderMessage.h"
#include "platform/DataPaths.h"
#include "platform/UiServices.h"

namespace kiv {

QImage PictureLoader::load(const QString& fileName, PictureUse use)
{
    CGraphicFile file;
    file.SetUseDib(use != PictureUse::Texture);
    const std::optional<QString> found = paths_.find(fileName);
    if (file.Load(found.value_or(fileName)))
        return file.DetachBitmap().takeImage();
    // A stopped load tells nothing: the program is ending.
    if (!file.stopped() && (found || use != PictureUse::Texture))
        showReaderMessages(file.takeMessages(), ui_.messages, ui_.bell);
    if (use == PictureUse::Overlay)
        return {};
    file.LoadFromResource(CGraphicFile::kBitmapResource, CGraphicFile::kStandardTexture);
    return file.DetachBitmap().takeImage();
}

QImage PictureLoader::splashPicture()
{
    CGraphicFile file;
    file.LoadFromResource(CGraphicFile::kImageResource, CGraphicFile::kSplashPicture);
    return file.DetachBitmap().takeImage();
}

} // namespace kiv
