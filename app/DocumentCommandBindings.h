#pragma once
// The document's command map: animation, views, language, Display all and the satellite
// buttons. The commands of the document's dialogs join it here.

#include "platform/CommandMap.h"

class QObject;
class QWidget;

namespace kiv {
class CKivDoc;

// owner parents what the commands keep between runs (the export dialog's host); it is deleted
// after the map and before the document. The export dialog stays above mainWindow.
CommandMap documentCommands(CKivDoc& doc, QObject& owner, QWidget* mainWindow);

} // namespace kiv
