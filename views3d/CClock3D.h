#pragma once
// A 3D clock window (ClockRenderer) in a context of its own. The owner feeds it a time and a
// viewpoint as often as it likes; the clock draws again only when its picture would change.
// A left-button drag moves the clock about inside its parent. Without a working GL context it
// stays a blank panel.

#include "views3d/COpenGLView.h"
#include "views3d/ClockRenderer.h"

#include <QPoint>

#include <optional>

namespace kiv {

class CClock3D : public COpenGLView {
public:
    CClock3D(kiv::MessageBoxes& messages, const kiv::ClockColors& colors, QWidget* parent = nullptr);
    ~CClock3D() override;

    void UpdateTime(const kiv::ClockTime& time);
    void SetViewpoint(const kiv::ClockViewpoint& viewpoint);
    // Takes a new colour table: the lists are compiled again in this clock's own context.
    void ChangeColors(const kiv::ClockColors& colors);

    const kiv::ClockTime& ShownTime() const { return time_; }
    const kiv::ClockViewpoint& Viewpoint() const { return viewpoint_; }
    const kiv::ClockColors& Colors() const { return renderer_.colors(); }

protected:
    void initializeScene(int width, int height) override;
    void paintScene() override;
    void resizeScene(int width, int height) override;
    void releaseScene() override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    kiv::ClockRenderer renderer_;
    kiv::ClockTime time_;
    kiv::ClockViewpoint viewpoint_;
    std::optional<QPoint> grab_; // where the drag took hold, in the clock's coordinates
};

} // namespace kiv
