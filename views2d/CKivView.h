#pragma once
// For now: the 2D map view's frame-side shell. It registers with the document as its MapView,
// unregisters synchronously, toggles the zoom mode, and draws nothing yet.

#include "document/DocumentViews.h"
#include "platform/CommandMap.h"

#include <QWidget>

class CKivDoc;

class CKivView : public QWidget, public kiv::MapViewPort {
public:
    explicit CKivView(CKivDoc& doc, QWidget* parent = nullptr);
    ~CKivView() override;

    static QString Title() { return QStringLiteral("2D-View"); }
    // Leaves the document at once (pointer and Show flag); called before the frame is deleted.
    void Unregister();
    const platform::CommandMap& Commands() const { return commands_; }

    void RedrawMap() override {}
    void SetWDBZoomBox(const QRectF&) override {}
    void LayoutLabels() override {}
    void ReloadBackground() override {}

private:
    CKivDoc& doc_;
    bool registered_ = true;
    bool zoomMode_ = false;
    platform::CommandMap commands_;
};
