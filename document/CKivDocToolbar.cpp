// CKivDoc: the satellite toolbar's side of the shown flags. The buttons belong to
// the shell; a checked (pressed) button means the satellite is hidden.
#include "document/CKivDoc.h"

using namespace kiv;

void CKivDoc::CreateSatelliteButtons()
{
    // A reload starts from a new satellite set: the snapshot of Display all belongs to the old one.
    DisplayAll = 0;
    for (tagSATINFO& info : SatInfo)
        info.shown = 0;
    SatInfo[0].shown = 1;
    if (Shell)
        Shell->RebuildSatelliteButtons();
}

void CKivDoc::UpdateSatelliteToolbar()
{
    if (Shell)
        Shell->SyncSatelliteButtons();
}

void CKivDoc::OnSatelliteButton(int slot)
{
    if (slot < 0 || slot >= SatelliteCount || DisplayAll)
        return;
    SatInfo[slot].shown = SatInfo[slot].shown ? 0 : 1;
    UpdateSatelliteToolbar();
    DocumentChanged();
}

void CKivDoc::OnDisplayAll()
{
    DisplayAll = DisplayAll ? 0 : 1;
    for (int i = 0; i < SatelliteCount; ++i) {
        if (DisplayAll) {
            SavedShown[i] = SatInfo[i].shown;
            SatInfo[i].shown = 1;
        } else {
            SatInfo[i].shown = SavedShown[i];
        }
    }
    UpdateSatelliteToolbar();
    DocumentChanged();
}
