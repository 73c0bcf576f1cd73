#include "dialogs/WDBLayerCommand.h"

#include "dialogs/CWDBDlg.h"
#include "document/CKivDoc.h"
#include "document/FileMessages.h"
#include "document/TimerBracket.h"
#include "platform/DataPaths.h"
#include "platform/UiServices.h"
#include "views2d/CWDBView.h"

namespace kiv {

namespace commands {

void editWDBLayers(CKivDoc& doc, const Editor<WDBLayerSettings>& edit)
{
    const TimerBracket timerOff(doc);
    const bool english = doc.Language == 1;
    WDBLayerSettings settings = WDBLayerSettings::fromDocument(doc);
    if (auto* first = doc.Views.wdbCount() > 0 ? dynamic_cast<CWDBView*>(doc.Views.wdb(1)) : nullptr)
        settings.colors = first->Map().colors(); // what a missing file leaves
    const DataPaths& paths = doc.Context().paths;
    if (!loadWDBColorFile(paths.resolve(settings.WDBColorFileName), settings.colors))
        doc.Context().ui.messages.show(fileMessages::colorTableNotFound(english, settings.WDBColorFileName));
    std::optional<WDBLayerSettings> edited = edit(settings);
    if (!edited)
        return;
    edited->clamp();
    const WriteResult written = saveWDBColorFile(paths.writeTarget(edited->WDBColorFileName), edited->colors);
    if (!written)
        doc.Context().ui.messages.show(fileMessages::couldNotWrite(english, written));

    const bool townsChanged = edited->WDBSmalTowns != doc.WDBSmalTowns || edited->WDBBigTowns != doc.WDBBigTowns;
    const bool mapChanged = edited->WDBMapFileName != doc.WDBMapFileName;
    edited->toDocument(doc);
    if (townsChanged) {
        doc.BigTownCount = 0;
        doc.LoadTowns();
    }
    if (mapChanged && doc.ShowWDB)
        doc.LoadWDBMap();
    for (int i = 1; i <= doc.Views.wdbCount(); ++i) {
        if (auto* view = dynamic_cast<CWDBView*>(doc.Views.wdb(i)))
            view->SetColors(edited->colors);
        doc.Views.wdb(i)->ReloadBackground(); // layers from the masks, redrawn
    }
}

} // namespace commands

void runWDBLayers(CKivDoc& doc)
{
    commands::editWDBLayers(doc, [&doc](const WDBLayerSettings& s) { return CWDBDlg::edit(s, doc.Context().ui, doc.Context().paths); });
}

} // namespace kiv
