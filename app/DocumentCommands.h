#pragma once
// The document's command map: animation, views, language, Display all and the satellite buttons
// (Parts 1.105, 1.107-1.109). The commands of the document's dialogs (Part 1.110) join it here.

#include "platform/CommandMap.h"

class CKivDoc;

namespace kiv {

platform::CommandMap documentCommands(CKivDoc& doc);

} // namespace kiv
