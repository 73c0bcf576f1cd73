// CKivDoc: opening, closing and arranging the views, the background bitmaps and the language.
// The frames themselves belong to the shell (ShellPort).
#include "document/CKivDoc.h"
#include "document/FramePlacement.h"
#include "document/ViewArrangement.h"
#include "platform/PictureSource.h"
#include "platform/UiServices.h"

#include <algorithm>

using namespace kiv;

namespace {
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
    if (!Shell || Views.world())
        return;
    Show3D = 1;
    Shell->OpenViewFrame(ViewKind::World);
    if (arrange)
        ArrangeViews();
    Shell->SetViewMenu();
}

void CKivDoc::Open2DView(bool arrange)
{
    if (!Shell || Views.map())
        return;
    Show2D = 1;
    Shell->OpenViewFrame(ViewKind::Map);
    if (arrange)
        ArrangeViews();
    Shell->SetViewMenu();
}

void CKivDoc::OpenObsView(bool arrange)
{
    if (!Shell || Views.obs())
        return;
    ShowObs = 1;
    Shell->OpenViewFrame(ViewKind::Obs);
    if (arrange)
        ArrangeViews();
    Shell->SetViewMenu();
}

bool CKivDoc::OpenWDBView(bool arrange)
{
    if (!Shell || Views.wdbCount() >= OpenViews::kMaxWDBViews)
        return false;
    const int before = Views.wdbCount();
    const bool first = before == 0;
    ShowWDB = 1;
    if (WDBMapBitmap.isNull())
        LoadWDBMap();
    if (first)
        LoadTowns();
    Shell->OpenViewFrame(ViewKind::WDB);
    if (first && arrange)
        ArrangeViews();
    ShowWDB = Views.wdbCount() > 0;
    Shell->SetViewMenu();
    return Views.wdbCount() > before;
}

void CKivDoc::AddWDBView(bool arrange)
{
    if (!Shell || Views.wdbCount() >= OpenViews::kMaxWDBViews)
        return;
    if (!OpenWDBView(false))
        return;
    const int extension = XExtension < 10 ? 50 : std::min(XExtension, 100);
    const int w = Shell->DesktopWidth() * extension / 100;
    Views.wdb(Views.wdbCount())->ShowWholeWorld(QSize(std::max(w - 4, kMinMapWidth), std::max(w / 2 - 4, kMinMapHeight)));
    PlaceNewestWDBFrame();
    if (arrange)
        ArrangeViews();
}

void CKivDoc::PlaceNewestWDBFrame()
{
    const int slot = Views.wdbCount();
    if (!Shell || slot < 1)
        return;
    std::optional<QRect> frame = Shell->ViewFrameGeometry(ViewKind::WDB, slot);
    if (!frame)
        return;
    const QSize area = Shell->AreaSize();
    if (slot > 1) {
        if (const std::optional<QRect> before = Shell->ViewFrameGeometry(ViewKind::WDB, slot - 1)) {
            const int step = cascadeStep(Shell->ViewFrameExtras());
            frame->moveTopLeft(before->topLeft() + QPoint(step, step));
        }
        // A frame that would keep less than half of itself inside the area starts again at the top.
        if (area.isValid() && (area.width() - frame->left() < frame->width() / 2 || area.height() - frame->top() < frame->height() / 2))
            frame->moveTopLeft({0, 0});
    }
    // Wholly inside: a picture larger than the frame scrolls in the view.
    Shell->PlaceViewFrame(ViewKind::WDB, slot, keptInside(*frame, area));
}

void CKivDoc::CloseView(ViewKind kind)
{
    if (kind == ViewKind::WDB) {
        // The next WDB view reloads the file map, dropping a weather overlay set through kind 2.
        WDBMapBitmap = QImage();
    }
    // Each closing view leaves the list at once and WDB views move up, so slot 1 is closed until
    // none is left.
    for (int n = kind == ViewKind::WDB ? Views.wdbCount() : 1; n > 0 && Shell && Views.isOpen(kind); --n)
        Shell->CloseViewFrame(kind, 1);
    showFlag(kind) = 0;
    if (Shell)
        Shell->SetViewMenu();
}

int& CKivDoc::showFlag(ViewKind kind)
{
    switch (kind) {
    case ViewKind::World:
        return Show3D;
    case ViewKind::Map:
        return Show2D;
    case ViewKind::Obs:
        return ShowObs;
    case ViewKind::WDB:
        break;
    }
    return ShowWDB;
}

void CKivDoc::CloseAllViews()
{
    CloseView(ViewKind::WDB);
    CloseView(ViewKind::Map);
    CloseView(ViewKind::Obs);
    CloseView(ViewKind::World);
}

void CKivDoc::OnView3D()
{
    if (Views.world())
        CloseView(ViewKind::World);
    else
        Open3DView(true);
}

void CKivDoc::OnView2D()
{
    if (Views.map())
        CloseView(ViewKind::Map);
    else
        Open2DView(true);
}

void CKivDoc::OnViewObs()
{
    if (Views.obs())
        CloseView(ViewKind::Obs);
    else
        OpenObsView(true);
}

void CKivDoc::OnViewWDB()
{
    if (ShowWDB)
        CloseView(ViewKind::WDB);
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
    in.show3D = Show3D && Views.world();
    in.show2D = Show2D && Views.map();
    in.showWDB = ShowWDB && Views.wdbCount() > 0;
    in.showObs = ShowObs && Views.obs();
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
        if (Show2D && Views.map())
            Views.map()->ReloadBackground();
        break;
    case 1:
        if (Show3D && Views.world())
            Views.world()->SetEarthTexture(bitmap);
        break;
    case 2:
        WDBMapBitmap = bitmap;
        WDBMapWidth = bitmap.width();
        WDBMapHeight = bitmap.height();
        if (ShowWDB) {
            WDBMapChanged = 1;
            for (int i = 1; i <= Views.wdbCount(); ++i)
                Views.wdb(i)->ReloadBackground();
        }
        break;
    default:
        return;
    }
    OnReset();
}

void CKivDoc::LoadEarthMap()
{
    if (!context_.pictures)
        return;
    kiv::WaitCursor wait(Context().ui.cursors);
    EarthMapBitmap = context_.pictures->load(ErdkarteFileName, PictureUse::Map);
    EarthMapWidth = EarthMapBitmap.width();
    EarthMapHeight = EarthMapBitmap.height();
}

void CKivDoc::LoadNightMap()
{
    if (!context_.pictures)
        return;
    kiv::WaitCursor wait(Context().ui.cursors);
    NightMapBitmap = context_.pictures->load(NightMapFileName, PictureUse::Map);
    NightMapWidth = NightMapBitmap.width();
    NightMapHeight = NightMapBitmap.height();
}

void CKivDoc::LoadWDBMap()
{
    if (!context_.pictures || !ShowWDB)
        return;
    ShowWDB = 0; // no WDB view draws while the map is replaced
    {
        kiv::WaitCursor wait(Context().ui.cursors);
        WDBMapBitmap = context_.pictures->load(WDBMapFileName, PictureUse::Map);
        WDBMapWidth = WDBMapBitmap.width();
        WDBMapHeight = WDBMapBitmap.height();
    }
    ShowWDB = 1;
}

// ---- language --------------------------------------------------------------------------------

void CKivDoc::SetLanguage(int language)
{
    Language = language != 0 ? 1 : 0;
    passLanguageToFrame();
    if (Shell)
        Shell->SetViewMenu();
    UpdateTitle();
    InvalidateViews();
}

void CKivDoc::passLanguageToFrame()
{
    if (context_.frame)
        context_.frame->SetLanguage(Language);
}
