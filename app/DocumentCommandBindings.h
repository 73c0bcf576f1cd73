#pragma once
// The document's command map: animation, views, language, Display all and the satellite
// buttons. The commands of the document's dialogs join it here.

#include "platform/CommandMap.h"


namespace kiv {
class CKivDoc;

CommandMap documentCommands(CKivDoc& doc);

} // namespace kiv
