#pragma once
// For now: the globe view's frame-side shell, a GL widget that clears to black. It registers
// with the document as its WorldView and unregisters synchronously.

#include "document/DocumentViews.h"
#include "platform/CommandMap.h"

#include <QOpenGLWidget>

class CKivDoc;

class CWorldView : public QOpenGLWidget, public kiv::WorldViewPort {
public:
    explicit CWorldView(CKivDoc& doc, QWidget* parent = nullptr);
    ~CWorldView() override;

    static QString Title() { return QStringLiteral("3D-View"); }
    void Unregister();
    const platform::CommandMap& Commands() const { return commands_; }

    void RenderScene() override { update(); }
    void ShowFramesPerSecond() override {}
    void FreeOrbitBuffers() override {}
    void ResetOrbitState() override {}
    void BuildOrbitLists() override {}
    void FollowFrom(const tagVECTOR&, int) override {}
    void LookAt(double, double, double) override {}
    void SetEarthTexture(const QImage&) override {}

protected:
    void paintGL() override;

private:
    CKivDoc& doc_;
    bool registered_ = true;
    platform::CommandMap commands_;
};
