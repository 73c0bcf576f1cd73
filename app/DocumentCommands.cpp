#include "app/DocumentCommands.h"

#include "document/CKivDoc.h"
#include "resources/CommandIds.h"

namespace kiv {

kiv::CommandMap documentCommands(CKivDoc& doc)
{
    kiv::CommandMap m;
    CKivDoc* d = &doc;
    m.on(kCmdPlay, [d] { d->OnPlay(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->AnimationRunning != 0); });
    m.on(kCmdPause, [d] { d->OnPause(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->TimeFactor == 0); });
    m.on(kCmdReset, [d] { d->OnReset(); });

    m.on(kCmdGerman, [d] { d->SetLanguage(0); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->Language == 0); });
    m.on(kCmdEnglish, [d] { d->SetLanguage(1); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->Language == 1); });

    m.on(kCmdView3D, [d] { d->OnView3D(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->Show3D != 0); });
    m.on(kCmdView2D, [d] { d->OnView2D(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->Show2D != 0); });
    m.on(kCmdViewObs, [d] { d->OnViewObs(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->ShowObs != 0); });
    m.on(kCmdViewWdb, [d] { d->OnViewWDB(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->ShowWDB != 0); });
    m.on(kCmdArrange, [d] { d->OnArrange(); });

    m.on(kCmdDisplayAll, [d] { d->OnDisplayAll(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->DisplayAll != 0); });
    m.on(kCmdSatelliteAlias, [d] { d->UpdateSatelliteToolbar(); });
    m.onRange(
        kCmdFirstSatellite, kCmdLastSatellite, [d](int id) { d->OnSatelliteButton(id - kCmdFirstSatellite); },
        [d](int id, kiv::CommandUi& ui) {
            const int slot = id - kCmdFirstSatellite;
            ui.Enable(slot < d->SatelliteCount);
            ui.SetCheck(slot < d->SatelliteCount && !d->SatInfo[static_cast<std::size_t>(slot)].shown);
        });
    return m;
}

} // namespace kiv
