#pragma once
// What the document asks of the windows around it. The views and the main frame implement these;
// the document keeps plain pointers and never includes a widget or GL header.

#include "document/ViewArchiveState.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

#include <optional>
#include <string>
#include <vector>

struct tagQUALITY;
struct tagVECTOR;

namespace kiv {

class WorldViewPort {
public:
    virtual ~WorldViewPort() = default;
    virtual void RenderScene() = 0;
    // Whether the clock's advance since the last picture moved anything it draws by half a
    // pixel or more (or changed a text it shows); a step that moved nothing else asks before it
    // redraws.
    virtual bool PictureMoved() { return true; }
    virtual void ShowFramesPerSecond() = 0;
    // Orbit rings and display lists of the satellites, dropped before a reload and rebuilt after.
    virtual void FreeOrbitBuffers() = 0;
    virtual void ResetOrbitState() = 0;
    virtual void BuildOrbitLists() = 0;
    // The star field anew, for a changed number of stars.
    virtual void BuildStarList() = 0;
    // Follow camera, mode 1: the eye beyond the satellite (inertial position), looking at the
    // centre, the satellite in the middle of the picture.
    virtual void FollowFrom(const tagVECTOR& positionKm) = 0;
    // The camera over a place (degrees; the longitude west-positive), at a distance from the
    // earth's centre in thousands of km.
    virtual void LookAt(double latitude, double westLongitude, double distance) = 0;
    // A new earth texture from a replaced background picture: texture and earth list rebuilt.
    virtual void SetEarthTexture(const QImage& picture) = 0;
    // The satellite model and the beam lists anew, after the draw styles or colours changed.
    virtual void BuildSatelliteLists() {}
    // Settings archives: the globe's switches and camera, and taking them back after the
    // document's settings were restored: quality, texture, model (the archive's block when it
    // carries one), beams and stars rebuilt.
    virtual GlobeArchiveState ArchiveState() const { return {}; }
    virtual void RestoreArchiveState(const GlobeArchiveState& /*state*/,
                                     const std::optional<std::vector<std::string>>& /*model*/) {}
    // Steering from the flat map: the render quality to draw with (while a button is held there,
    // and after), and the camera moved toward the earth by dz along the view axis.
    virtual void SetQuality(const tagQUALITY& quality) = 0;
    virtual void MoveProjectionZ(double dz) = 0;
};

// Views whose redraws the animation step holds back while the user drags in another view
// (bits of CKivDoc::HeldRedraws): the flat views during a globe drag, the globe and the World
// Data Bank views during a sky drag.
enum HeldRedraw : int { kHoldMap = 1, kHoldObserver = 2, kHoldWorldDataBank = 4, kHoldGlobe = 8 };

// Views whose picture no longer matches the document (CKivDoc::InvalidateViews); the bits are
// those of HeldRedraw.
enum ViewRedraw : int {
    kRedrawMap = kHoldMap,
    kRedrawObserver = kHoldObserver,
    kRedrawWorldDataBank = kHoldWorldDataBank,
    kRedrawGlobe = kHoldGlobe,
    kRedrawAll = 15,
};

class MapViewPort {
public:
    virtual ~MapViewPort() = default;
    virtual void RedrawMap() = 0;
    virtual bool PictureMoved() { return true; } // as WorldViewPort's
    // The extent of the first World Data Bank view, to be drawn as its zoom box.
    virtual void SetWDBZoomBox(const QRectF& extent) = 0;
    virtual void LayoutLabels() = 0;
    // Where the sky view's observer stands: fractions of the map's width and height, the
    // viewing azimuth (rad) and the sky's tilt (degrees). A map without the marker ignores it.
    virtual void SetObserverMarker(double /*x*/, double /*y*/, double /*azimuth*/, double /*tilt*/) {}
    // The document's earth map changed: take its size, reload the texture, rebuild the buffers.
    virtual void ReloadBackground() = 0;
    // Settings archives: the view's own label switches.
    virtual MapArchiveState ArchiveState() const { return {}; }
    virtual void RestoreArchiveState(const MapArchiveState& /*state*/) {}
};

class ObsViewPort {
public:
    virtual ~ObsViewPort() = default;
    virtual void RedrawSky() = 0;
    virtual bool PictureMoved() { return true; } // as WorldViewPort's
    virtual void LayoutLabels() = 0;
    // The view's current settings into the document (before they are saved or edited).
    virtual void StoreObsSettings() = 0;
    // The document's settings into the view (after they were edited): meshes, tools, labels.
    virtual void LoadObsSettings() = 0;
    // Settings archives: the sphere's turn and tilt (tilt 90 the flat polar plot).
    virtual ObsArchiveState ArchiveState() const { return {}; }
    virtual void RestoreArchiveState(const ObsArchiveState& /*state*/) {}
};

class WDBViewPort {
public:
    virtual ~WDBViewPort() = default;
    virtual void RefreshSatellites() = 0;
    virtual bool PictureMoved() { return true; } // as WorldViewPort's
    virtual void CentreOn(double latitude, double westLongitude) = 0;
    // The visible extent: x, y the west-positive longitude and latitude of one corner, width and
    // height signed so that the opposite corner is x + width, y + height.
    virtual QRectF Extent() const = 0;
    // The whole world (the document's whole WDB map, longitudes 180 to -180, latitudes 90 to
    // -90) in a map of this size, redrawn completely.
    virtual void ShowWholeWorld(const QSize& mapSize) = 0;
    // A region (an extent as Extent() gives it) in a map of this size, redrawn completely: the
    // 2D map's zoom box opens a view on it.
    virtual void ShowRegion(const QRectF& extent, const QSize& mapSize) = 0;
    // The document's WDB map changed: recompute the source rectangle and redraw completely.
    virtual void ReloadBackground() = 0;
    // Settings archives: layer colours and pens, region, extent, size and label switches. A
    // record whose extent the view cannot show leaves the view's extent as it is and takes the
    // rest that it can; false then.
    virtual WDBArchiveState ArchiveState() const { return {}; }
    virtual bool RestoreArchiveState(const WDBArchiveState& /*state*/) { return true; }
};

// The status bar's text panes, left to right after the time zone button.
enum class StatusPane {
    Clock = 1,
    Spare = 2,      // takes the width the others leave
    TimeLabel = 3,  // "Time", before the speed slider
    TimeFactor = 4,
};

// The main window as the document sees it.
class MainFramePort {
public:
    virtual ~MainFramePort() = default;
    virtual void SetAnimationTimer(bool on) = 0;
    virtual void SetTitle(const QString& title) = 0;
    virtual void SetStatusText(StatusPane pane, const QString& text) = 0;
    // The language of the document's texts (0 German, 1 English), at the start and at every
    // change: the toolkit's own texts, standard buttons and file dialogs, follow it.
    virtual void SetLanguage(int language) = 0;
};

// ---- The application shell as the document's view management and satellite toolbar see it.

enum class ViewKind { World, Map, WDB, Obs };

class ShellPort {
public:
    virtual ~ShellPort() = default;
    // Creates the frame of a view of this kind with its view and title; the view has registered
    // itself with the document (pointer, WDB slot) when this returns.
    virtual void OpenViewFrame(ViewKind kind) = 0;
    // Restores the frame from minimised or maximised, has its view unregister at once and
    // destroys the frame. WDB frames by slot (1..Views.wdbCount()).
    virtual void CloseViewFrame(ViewKind kind, int wdbSlot = 1) = 0;
    // The menu of the active view kind in the current language.
    virtual void SetViewMenu() = 0;
    // Width of the primary screen in pixels.
    virtual int DesktopWidth() const = 0;
    // Outer size of a view frame minus the size of its view.
    virtual QSize ViewFrameExtras() const = 0;
    // Frame rectangles in the coordinates of the MDI area.
    virtual std::optional<QRect> ViewFrameGeometry(ViewKind kind, int wdbSlot = 1) const = 0;
    virtual void PlaceViewFrame(ViewKind kind, int wdbSlot, const QRect& rect) = 0;
    // The label of a view frame's title bar, were the frame of this size, in the frame's
    // coordinates: the part a drag moves the frame by, as the frame's style lays it out.
    virtual QRect ViewFrameTitleLabel(ViewKind kind, int wdbSlot, QSize size) const = 0;
    // Moves the main window; with a size, resizes it so that the MDI area shows that much.
    virtual void PlaceMainWindow(const QPoint& topLeft, std::optional<QSize> areaSize) = 0;
    // Satellite toolbar: rebuild one button per loaded satellite, or set the buttons from the
    // shown flags and DisplayAll.
    virtual void RebuildSatelliteButtons() = 0;
    virtual void SyncSatelliteButtons() = 0;
    // The speed slider placed from TimeFactor (never changing it).
    virtual void PlaceSpeedSlider() = 0;
    // Settings archives keep outer rectangles in screen coordinates: the main window's, and the
    // frames' as their MDI-area geometry moved by the area's origin on the screen. Nothing where
    // the platform does not tell screen positions.
    virtual std::optional<QRect> MainWindowRect() const { return std::nullopt; }
    virtual QPoint AreaOrigin() const { return {}; }
    virtual QSize AreaSize() const { return {}; }
    // Puts the main window at a screen rectangle, kept on the screen that shows most of it.
    virtual void PlaceMainWindowRect(const QRect& /*rect*/) {}
    // Holds the main window's repainting off while a restore rebuilds everything.
    virtual void FreezeRedraw(bool /*frozen*/) {}
};

} // namespace kiv
