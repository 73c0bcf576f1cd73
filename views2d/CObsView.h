#pragma once
// For now: the observer view's frame-side shell. It registers with the document's open views,
// unregisters synchronously, toggles the zoom mode, and draws nothing yet.

#include "document/DocumentViews.h"
#include "platform/CommandMap.h"

#include <QWidget>

class CKivDoc;

class CObsView : public QWidget, public kiv::ObsViewPort {
public:
    explicit CObsView(CKivDoc& doc, QWidget* parent = nullptr);
    ~CObsView() override;

    static QString Title() { return QStringLiteral("Observer-View"); }
    void Unregister();
    const kiv::CommandMap& Commands() const { return commands_; }

    void RedrawSky() override {}
    void LayoutLabels() override {}
    void StoreObsSettings() override {}

private:
    CKivDoc& doc_;
    bool registered_ = true;
    bool zoomMode_ = false;
    kiv::CommandMap commands_;
};
