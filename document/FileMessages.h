#pragma once
// What the user is told about the colour table, the icon list and the town lists, in English
// (english true) or German. The document decides when to show them.

#include "platform/AtomicFile.h"
#include "platform/MessageBoxes.h"

#include <QString>

namespace kiv::fileMessages {

MessageRequest colorTableNotFound(bool english, const QString& fileName);
MessageRequest iconListNotFound(bool english, const QString& fileName);
MessageRequest townFileNotFound(bool english, const QString& fileName);
// For any file the document and its dialogs write: the file, where it was to go, and the system's
// reason, said once.
MessageRequest couldNotWrite(bool english, const WriteResult& failed);

} // namespace kiv::fileMessages
