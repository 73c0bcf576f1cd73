#pragma once
// "WDB &Layer ...": the document's World Data Bank settings and the colour table through the
// layer sheet. The colour table is read from its file before the sheet opens and written back
// (whole or not at all) only on OK; the open WDB views then take the new colours, layers and,
// for a new background name, the new background.

#include "dialogs/DialogCommands.h"
#include "dialogs/WDBLayerSettings.h"

namespace kiv {

namespace commands {
void editWDBLayers(CKivDoc& doc, const Editor<WDBLayerSettings>& edit);
} // namespace commands

// The command with the real sheet.
void runWDBLayers(CKivDoc& doc);

} // namespace kiv
