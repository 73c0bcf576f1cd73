#include "views2d/MapCommands.h"

#include "document/CKivDoc.h"
#include "resources/CommandIds.h"

namespace kiv {

void OnStationary(CKivDoc& doc)
{
    doc.FollowInWDB = 0;
    if (doc.FollowIn3D)
        return;
    doc.FollowActive = 0;
    if (doc.Show3D)
        doc.CameraPos = 0;
}

void bindStationary(CommandMap& commands, CKivDoc& doc)
{
    commands.on(kCmdStationary, [&doc] { OnStationary(doc); }, [&doc](CommandUi& ui) { ui.SetCheck(!doc.FollowInWDB); });
}

} // namespace kiv
