#pragma once
// For now: the World Data Bank view's frame-side shell. It counts itself into the document's
// WDB list, leaves it synchronously (later views move down), toggles the zoom mode, takes
// "&Draw", and draws nothing yet.

#include "document/DocumentViews.h"
#include "platform/CommandMap.h"

#include <QWidget>


namespace kiv {

class CKivDoc;

class CWDBView : public QWidget, public kiv::WDBViewPort {
public:
    explicit CWDBView(CKivDoc& doc, QWidget* parent = nullptr);
    ~CWDBView() override;

    static QString Title() { return QStringLiteral("World Data Map-View"); }
    void Unregister();
    const kiv::CommandMap& Commands() const { return commands_; }

    void RefreshSatellites() override {}
    void CentreOn(double, double) override {}
    QRectF Extent() const override { return QRectF(180.0, 90.0, -360.0, -180.0); }
    void ShowWholeWorld(const QSize& mapSize) override { mapSize_ = mapSize; }
    void ShowRegion(const QRectF&, const QSize& mapSize) override { mapSize_ = mapSize; }
    void ReloadBackground() override {}

    QSize MapSize() const { return mapSize_; }

private:
    CKivDoc& doc_;
    bool registered_ = true;
    bool zoomMode_ = false;
    QSize mapSize_;
    kiv::CommandMap commands_;
};

} // namespace kiv
