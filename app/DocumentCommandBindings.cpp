#include "app/DocumentCommandBindings.h"

#include "dialogs/CAllgDlg.h"
#include "dialogs/CAnimDlg.h"
#include "dialogs/CDrwstDlg.h"
#include "dialogs/CDstDlg2d.h"
#include "dialogs/CFolowDlg.h"
#include "dialogs/CInternetDialog.h"
#include "dialogs/CSatDlg.h"
#include "dialogs/CTexDlg.h"
#include "dialogs/CWeatherDlg.h"
#include "dialogs/ExportDialogHost.h"
#include "dialogs/TimeCommand.h"
#include "dialogs/WDBLayerCommand.h"
#include "document/CKivDoc.h"
#include "platform/PictureSource.h"
#include "platform/UiServices.h"
#include "resources/CommandIds.h"
#include "views2d/CGotoDlg.h"
#include "views2d/CObsDlg.h"

namespace kiv {

namespace {

void addDialogCommands(kiv::CommandMap& m, CKivDoc* d, QObject& owner, QWidget* mainWindow)
{
    m.on(kCmdOpenLocal, [d] { commands::openLocal(*d); });
    m.on(kCmdOpenFromWeb, [d] {
        commands::openFromWeb(*d, [d](const WebDownload& request) {
            return CInternetDialog::edit(request, d->Context().ui, d->Context().paths, d->Language);
        });
    });
    m.on(kCmdGeneral, [d] {
        commands::editGeneralOptions(*d, [d](const GeneralOptions& o) {
            return CAllgDlg::edit(o, d->Context().ui, d->Context().paths, d->Language);
        });
    });
    // The export dialog is modeless: its host lives with the owner, as long as the document.
    auto* exporter = new ExportDialogHost(*d, mainWindow, &owner);
    m.on(kCmdExport, [exporter] { exporter->OpenExportDialog(); });
    m.on(kCmdSatelliteData, [d] { commands::editSatelliteData(*d, [d] { return CSatDlg::run(*d); }); });
    m.on(
        kCmdFollowSatellite,
        [d] {
            commands::followSatellite(*d,
                                      [d](const FollowOptions& o) { return CFolowDlg::edit(o, d->SatelliteNames()); });
        },
        [d](kiv::CommandUi& ui) { ui.SetCheck(d->FollowActive != 0); });
    m.on(kCmdSatelliteStyle, [d] {
        commands::satelliteStyle2D(*d, [d](const SatelliteStyle2D& v) { return CDstDlg2d::edit(*d, v); });
    });
    if (PictureSource* pictures = d->Context().pictures) {
        m.on(kCmdTextures, [d, pictures] {
            commands::editTextures(*d, [d, pictures](const TextureNames& names) {
                return CTexDlg::edit(names, d->Context().ui, d->Context().paths, *pictures, d->Language);
            });
        });
        m.on(kCmdWeather, [d, pictures] {
            commands::editWeather(*d, [d, pictures](const WeatherSettings& settings) {
                return CWeatherDlg::edit(settings, d->Context().ui, *pictures, d->Context().paths, d->Language,
                                         [d](int kind, const QImage& bitmap) { d->SetBackgroundBitmap(kind, bitmap); });
            });
        });
    }
    m.on(
        kCmdSatelliteStyle3D,
        [d] {
            commands::satelliteStyle3D(*d, [d](const SatelliteStyle3D& v) {
                return CDrwstDlg::edit(v, d->SatelliteNames(), d->Context().ui, d->Language != 0);
            });
        },
        [d](kiv::CommandUi& ui) { ui.Enable(d->Views.world() != nullptr); });
    for (const auto& [id, which] : {std::pair{kCmdQualityMouseMove, QualityRecord::MouseMove},
                                    std::pair{kCmdQualityNormal, QualityRecord::Normal}}) {
        m.on(id, [d, which = which] {
            commands::editQuality(*d, which, [d](const QString& name, const tagQUALITY& q) {
                return CAnimDlg::edit(q, name, d->Context().ui.messages, d->Language != 0);
            });
        });
    }
    m.on(kCmdGoTo, [d] { runGoTo(*d); });
    m.on(kCmdObsOptions, [d] { runObserverOptions(*d); });
    m.on(kCmdWdbLayer, [d] { runWDBLayers(*d); });
}

} // namespace

kiv::CommandMap documentCommands(CKivDoc& doc, QObject& owner, QWidget* mainWindow)
{
    kiv::CommandMap m;
    CKivDoc* d = &doc;
    m.on(kCmdPlay, [d] { d->OnPlay(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->AnimationRunning != 0); });
    m.on(kCmdPause, [d] { d->OnPause(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->TimeFactor == 0); });
    m.on(kCmdReset, [d] { d->OnReset(); });
    m.on(kCmdTime, [d] { kiv::runTimeCommand(*d); });
    m.on(kCmdSaveSettings, [d] { d->OnSaveSettings(); });
    m.on(kCmdRestoreSettings, [d] { d->OnRestoreSettings(); });

    m.on(kCmdGerman, [d] { d->SetLanguage(0); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->Language == 0); });
    m.on(kCmdEnglish, [d] { d->SetLanguage(1); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->Language == 1); });

    m.on(kCmdView3D, [d] { d->OnView3D(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->Show3D != 0); });
    m.on(kCmdView2D, [d] { d->OnView2D(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->Show2D != 0); });
    m.on(kCmdViewObs, [d] { d->OnViewObs(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->ShowObs != 0); });
    m.on(kCmdViewWdb, [d] { d->OnViewWDB(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->ShowWDB != 0); });
    m.on(kCmdArrange, [d] { d->OnArrange(); });

    addDialogCommands(m, d, owner, mainWindow);

    m.on(kCmdDisplayAll, [d] { d->OnDisplayAll(); }, [d](kiv::CommandUi& ui) { ui.SetCheck(d->DisplayAll != 0); });
    m.on(kCmdSatelliteAlias, [d] { d->UpdateSatelliteToolbar(); });
    m.onRange(
        kCmdFirstSatellite, kCmdLastSatellite, [d](int id) { d->OnSatelliteButton(id - kCmdFirstSatellite); },
        [d](int id, kiv::CommandUi& ui) {
            const int slot = id - kCmdFirstSatellite;
            ui.Enable(slot < d->SatelliteCount);
            ui.SetCheck(slot < d->SatelliteCount && !d->SatInfo[slot].shown);
        });
    return m;
}

} // namespace kiv
