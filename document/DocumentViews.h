#pragma once
// What the document asks of the windows around it. The views and the main frame implement these;
// the document keeps plain pointers and never includes a widget or GL header.

#include <QRectF>
#include <QString>

struct tagVECTOR;

namespace kiv {

class WorldViewPort {
public:
    virtual ~WorldViewPort() = default;
    virtual void RenderScene() = 0;
    virtual void ShowFramesPerSecond() = 0;
    // Orbit rings and display lists of the satellites, dropped before a reload and rebuilt after.
    virtual void FreeOrbitBuffers() = 0;
    virtual void ResetOrbitState() = 0;
    virtual void BuildOrbitLists() = 0;
    // Follow camera: eye on the satellite (mode 1) or looking at a point on the earth (mode 0).
    virtual void FollowFrom(const tagVECTOR& positionKm, int dayOfYear) = 0;
    virtual void LookAt(double latitude, double westLongitude, double altitude) = 0;
};

class MapViewPort {
public:
    virtual ~MapViewPort() = default;
    virtual void RedrawMap() = 0;
    // The extent of the first World Data Bank view, to be drawn as its zoom box.
    virtual void SetWDBZoomBox(const QRectF& extent) = 0;
    virtual void LayoutLabels() = 0;
};

class ObsViewPort {
public:
    virtual ~ObsViewPort() = default;
    virtual void RedrawSky() = 0;
    virtual void LayoutLabels() = 0;
};

class WDBViewPort {
public:
    virtual ~WDBViewPort() = default;
    virtual void RefreshSatellites() = 0;
    virtual void CentreOn(double latitude, double westLongitude) = 0;
    // The visible extent: x, y the west-positive longitude and latitude of one corner, width and
    // height signed so that the opposite corner is x + width, y + height.
    virtual QRectF Extent() const = 0;
};

// The main window as the document sees it.
class MainFramePort {
public:
    virtual ~MainFramePort() = default;
    virtual void SetAnimationTimer(bool on) = 0;
    virtual void SetTitle(const QString& title) = 0;
    // Status panes: 1 the clock, 4 the time factor.
    virtual void SetStatusText(int pane, const QString& text) = 0;
};

} // namespace kiv
