#pragma once
// The earth texture's picture from a file through the program's picture loader, on its stored
// route (the file's own depth). A file that is missing gives the standard texture silently; one
// that is there but cannot be read gives the standard texture after the reader's messages.

#include <QImage>
#include <QString>

namespace kiv {
struct DocumentContext;
}

namespace kiv {

QImage readEarthTexture(const QString& fileName, const DocumentContext& context);

} // namespace kiv
