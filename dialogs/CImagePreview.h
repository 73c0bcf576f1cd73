#pragma once
// A small view in a dialog that shows one picture stretched over its area: the visible window
// of a PreviewWindow, with the zoom read-out in an optional status label. The texture dialog
// only shows pictures in it; the weather dialog lets the mouse zoom and pan (setInteractive) and
// composes the weather picture over the background in it (LoadOverlay).

#include "dialogs/PreviewWindow.h"
#include "imaging/WeatherOverlay.h"

#include <QImage>
#include <QWidget>

class QLabel;

namespace kiv {

class MessageBoxes;
class PictureSource;

class CImagePreview : public QWidget {
public:
    // english: the language of its own messages; status may be null (no zoom text).
    CImagePreview(kiv::PictureSource& pictures, kiv::MessageBoxes& messages, bool english, QLabel* status,
                  QWidget* parent);

    // Shows a picture file; one that cannot be read shows the standard texture after the
    // reader's messages. The picture shown before is let go first. The visible window stays as
    // it was.
    void ShowFile(const QString& fileName);
    // The weather picture over the file last shown, at the requested size (0 x 0: the weather
    // picture's own scale). When the picture cannot be read, or the bounds or the size cannot
    // be used, the preview keeps what it shows (after a message) and the result is false.
    bool LoadOverlay(const QString& fileName, const kiv::OverlayBounds& bounds, int width, int height);
    // The picture shown, or nothing.
    const QImage* GetBitmapInfo() const { return bitmap_.isNull() ? nullptr : &bitmap_; }
    // Hands the picture over; the preview keeps none.
    QImage DetachBitmap();

    const QString& fileName() const { return fileName_; }
    kiv::PreviewWindow& window() { return window_; }
    // The mouse zooms and pans the picture; off, the preview takes no mouse input.
    void setInteractive(bool on);
    void ResetWindow();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void pictureChanged();
    void ShowZoom();
    void showCursor();

    kiv::PictureSource& pictures_;
    kiv::MessageBoxes& messages_;
    bool english_;
    QLabel* status_;
    QString fileName_;
    QImage bitmap_;
    kiv::PreviewWindow window_;
};

} // namespace kiv
