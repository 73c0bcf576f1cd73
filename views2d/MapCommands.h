#pragma once
// Commands that the 2D map and the World Data Bank views share.

#include "platform/CommandMap.h"

namespace kiv {

class CKivDoc;

// "Stationairy": the WDB views stop following; unless the globe follows, the following ends
// and an open globe's camera stands still.
void OnStationary(CKivDoc& doc);
// Binds "Stationairy", checked while the WDB views do not follow.
void bindStationary(CommandMap& commands, CKivDoc& doc);

} // namespace kiv
