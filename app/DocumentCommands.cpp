#include "app/DocumentCommands.h"

#include "document/CKivDoc.h"

namespace kiv {

namespace {
constexpr int kFirstSatelliteCommand = 35000;
constexpr int kLastSatelliteCommand = 35254; // every one of the 255 slots
constexpr int kSatelliteAlias = 34998;
} // namespace

kiv::CommandMap documentCommands(CKivDoc& doc)
{
    kiv::CommandMap m;
    CKivDoc* d = &doc;
    m.on(32777, [d] { d->OnPlay(); });
    m.on(32771, [d] { d->OnPause(); });
    m.on(32772, [d] { d->OnReset(); });

    m.on(32907, [d] { d->SetLanguage(0); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->Language == 0); });
    m.on(32908, [d] { d->SetLanguage(1); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->Language == 1); });

    m.on(32916, [d] { d->OnView3D(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->Show3D != 0); });
    m.on(32792, [d] { d->OnView2D(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->Show2D != 0); });
    m.on(32914, [d] { d->OnViewObs(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->ShowObs != 0); });
    m.on(32909, [d] { d->OnViewWDB(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->ShowWDB != 0); });
    m.on(32918, [d] { d->OnArrange(); });

    m.on(32821, [d] { d->OnDisplayAll(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->DisplayAll != 0); });
    m.on(kSatelliteAlias, [d] { d->UpdateSatelliteToolbar(); });
    m.onRange(
        kFirstSatelliteCommand, kLastSatelliteCommand, [d](int id) { d->OnSatelliteButton(id - kFirstSatelliteCommand); },
        [d](int id, kiv::CommandUi& ui) {
            const int slot = id - kFirstSatelliteCommand;
            ui.Enable(slot < d->SatelliteCount);
            ui.SetCheck(slot < d->SatelliteCount && !d->SatInfo[static_cast<std::size_t>(slot)].shown);
        });
    return m;
}

} // namespace kiv
