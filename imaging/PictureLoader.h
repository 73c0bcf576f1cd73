#pragma once
// The program's one picture loader: a file through CGraphicFile, the reader's messages shown to
// the user, and the standard texture in place of a file that cannot be used.

#include "platform/PictureSource.h"

namespace kiv {

class DataPaths;
struct UiServices;

class PictureLoader : public PictureSource {
public:
    PictureLoader(const DataPaths& paths, UiServices& ui) : paths_(paths), ui_(ui) {}

    QImage load(const QString& fileName, PictureUse use) override;

    // The splash screen's picture, built into the program.
    static QImage splashPicture();

private:
    const DataPaths& paths_;
    UiServices& ui_;
};

} // namespace kiv
