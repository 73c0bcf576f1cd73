// CKivDoc: opening, closing and arranging the views, the background bitmaps and the language.
// The frames themselves belong to the shell (ShellPort).
#include "document/CKivDoc.h"
#include "document/ViewArrangement.h"
#include "platform/UiServices.h"

#include <algorithm>

using namespace kiv;

namespace {
constexpr int kMaxWDBViews = 9;
// Sizes clamped where they are used: the profile and the dialogs allow values that would make
// empty or negative maps.
constexpr int kMinMapWidth = 64;
constexpr int kMinMapHeight = 32;
} // namespace

void CKivDoc::OpenRememberedViews()
{
    const RememberedViews& r = rememberedViews_;
    if (r.show3D)
        Open3DView(false);
    if (r.show2D)
        Open2DView(false);
    if (r.showObs)
        OpenObsView(false);
    if (r.showWDB)
        AddWDBView(false);
    if (!r.show3D && !r.show2D && !r.showObs && !r.showWDB)
        Open3DView(false);
    ArrangeViews();
}

void CKivDoc::Open3DView(bool arrange)
{
    if (!Shell || WorldView)
        return;
    Show3D = 1;
    Shell->OpenViewFrame(ViewKind::World);
    if (arrange)
        ArrangeViews();
    Shell->SetViewMenu();
}

void CKivDoc::Open2DView(bool arrange)
{
    if (!Shell || MapView)
        return;
    if (EarthMapBitmap.isNull())
        LoadEarthMap();
    if (NightMapBitmap.isNull())
        LoadNightMap();
    Show2D = 1;
    Shell->OpenViewFrame(ViewKind::Map);
    if (arrange)
        ArrangeViews();
    Shell->SetViewMenu();
}

void CKivDoc::OpenObsView(bool arrange)
{
    if (!Shell || ObsView)
        return;
    ShowObs = 1;
    Shell->OpenViewFrame(ViewKind::Obs);
    if (arrange)
        ArrangeViews();
    Shell->SetViewMenu();
}

void CKivDoc::OpenWDBView(bool arrange)
{
    if (!Shell || WDBViewCount >= kMaxWDBViews)
        return;
    const bool first = WDBViewCount == 0;
    ShowWDB = 1;
    if (WDBMapBitmap.isNull())
        LoadWDBMap();
    if (first)
        LoadTowns();
    Shell->OpenViewFrame(ViewKind::WDB);
    if (first && arrange)
        ArrangeViews();
    ShowWDB = WDBViewCount > 0;
    Shell->SetViewMenu();
}

void CKivDoc::AddWDBView(bool arrange)
{
    if (!Shell || WDBViewCount >= kMaxWDBViews)
        return;
    const int before = WDBViewCount;
    OpenWDBView(false);
    if (WDBViewCount == before)
        return;
    const int extension = XExtension < 10 ? 50 : std::min(XExtension, 100);
    const int w = Shell->DesktopWidth() * extension / 100;
    WDBViews[WDBViewCount]->ShowWholeWorld(QSize(std::max(w - 4, kMinMapWidth), std::max(w / 2 - 4, kMinMapHeight)));
    if (arrange)
        ArrangeViews();
}

void CKivDoc::Close3DView()
{
    if (Shell && WorldView)
        Shell->CloseViewFrame(ViewKind::World);
    WorldView = nullptr;
    Show3D = 0;
    if (Shell)
        Shell->SetViewMenu();
}

void CKivDoc::Close2DView()
{
    if (Shell && MapView)
        Shell->CloseViewFrame(ViewKind::Map);
    MapView = nullptr;
    Show2D = 0;
    if (Shell)
        Shell->SetViewMenu();
}

void CKivDoc::CloseObsView()
{
    if (Shell && ObsView)
        Shell->CloseViewFrame(ViewKind::Obs);
    ObsView = nullptr;
    ShowObs = 0;
    if (Shell)
        Shell->SetViewMenu();
}

void CKivDoc::CloseWDBViews()
{
    // The next WDB view reloads the file map, dropping a weather overlay set through kind 2.
    WDBMapBitmap = QImage();
    ShowWDB = 0;
    // Each closing view packs the list, so the first slot is closed as often as there were views.
    for (int n = WDBViewCount; n > 0 && Shell && WDBViewCount > 0; --n)
        Shell->CloseViewFrame(ViewKind::WDB, 1);
    if (Shell)
        Shell->SetViewMenu();
}

void CKivDoc::CloseAllViews()
{
    CloseWDBViews();
    Close2DView();
    CloseObsView();
    Close3DView();
}

void CKivDoc::OnView3D()
{
    if (WorldView)
        Close3DView();
    else
        Open3DView(true);
}

void CKivDoc::OnView2D()
{
    if (MapView)
        Close2DView();
    else
        Open2DView(true);
}

void CKivDoc::OnViewObs()
{
    if (ObsView)
        CloseObsView();
    else
        OpenObsView(true);
}

void CKivDoc::OnViewWDB()
{
    if (ShowWDB)
        CloseWDBViews();
    else
        AddWDBView(true);
}

void CKivDoc::OnArrange()
{
    const int saved = AutoArrangeWindows;
    AutoArrangeWindows = 1;
    ArrangeViews();
    AutoArrangeWindows = saved;
}

void CKivDoc::ArrangeViews()
{
    if (!Shell)
        return;
    ArrangeInput in;
    in.desktopWidth = Shell->DesktopWidth();
    in.autoExtendX = AutoExtendX;
    in.autoArrange = AutoArrangeWindows != 0;
    in.frameExtras = Shell->ViewFrameExtras();
    in.show3D = Show3D && WorldView;
    in.show2D = Show2D && MapView;
    in.showWDB = ShowWDB && WDBViewCount > 0;
    in.showObs = ShowObs && ObsView;
    const Arrangement a = arrangeViews(in);
    for (const ViewPlacement& p : a.frames) {
        QRect rect = p.rect;
        if (a.keepCorners) {
            const std::optional<QRect> now = Shell->ViewFrameGeometry(p.kind, 1);
            if (!now)
                continue;
            rect.moveTopLeft(now->topLeft());
        }
        Shell->PlaceViewFrame(p.kind, 1, rect);
    }
    Shell->PlaceMainWindow(a.mainWindowPos, a.total);
}

// ---- background bitmaps ----------------------------------------------------------------------

void CKivDoc::SetBackgroundBitmap(int kind, const QImage& bitmap)
{
    switch (kind) {
    case 0:
        EarthMapBitmap = bitmap;
        EarthMapWidth = bitmap.width();
        EarthMapHeight = bitmap.height();
        // Set whenever the map is replaced, so that the textures dialog reloads the file later.
        EarthMapChanged = 1;
        if (Show2D && MapView)
            MapView->ReloadBackground();
        break;
    case 1:
        if (Show3D && WorldView)
            WorldView->SetEarthTexture(bitmap);
        break;
    case 2:
        WDBMapBitmap = bitmap;
        WDBMapWidth = bitmap.width();
        WDBMapHeight = bitmap.height();
        if (ShowWDB) {
            WDBMapChanged = 1;
            for (int i = 1; i <= WDBViewCount; ++i)
                WDBViews[i]->ReloadBackground();
        }
        break;
    default:
        return;
    }
    OnReset();
}

void CKivDoc::LoadEarthMap()
{
    if (!Shell)
        return;
    kiv::WaitCursor wait(Context().ui.cursors);
    EarthMapBitmap = Shell->LoadMapPicture(ErdkarteFileName);
    EarthMapWidth = EarthMapBitmap.width();
    EarthMapHeight = EarthMapBitmap.height();
}

void CKivDoc::LoadNightMap()
{
    if (!Shell)
        return;
    kiv::WaitCursor wait(Context().ui.cursors);
    NightMapBitmap = Shell->LoadMapPicture(NightMapFileName);
    NightMapWidth = NightMapBitmap.width();
    NightMapHeight = NightMapBitmap.height();
}

void CKivDoc::LoadWDBMap()
{
    if (!Shell || !ShowWDB)
        return;
    ShowWDB = 0; // no WDB view draws while the map is replaced
    {
        kiv::WaitCursor wait(Context().ui.cursors);
        WDBMapBitmap = Shell->LoadMapPicture(WDBMapFileName);
        WDBMapWidth = WDBMapBitmap.width();
        WDBMapHeight = WDBMapBitmap.height();
    }
    ShowWDB = 1;
}

// ---- language --------------------------------------------------------------------------------

void CKivDoc::SetLanguage(int language)
{
    Language = language != 0 ? 1 : 0;
    if (Shell)
        Shell->SetViewMenu();
    UpdateTitle();
    InvalidateViews();
}
