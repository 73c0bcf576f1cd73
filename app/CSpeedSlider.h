#pragma once
// The speed slider of the status bar: position p stands for the time factor
// trunc(p² / 3600) + 1. Only the user's moves change the factor; placing the slider from the
// factor (creation, a restore, a factor set elsewhere) never does, nor does any repaint.

#include <QSlider>


namespace kiv {

class CKivDoc;

class CSpeedSlider : public QSlider {
public:
    explicit CSpeedSlider(QWidget* parent = nullptr);

    void SetDocument(CKivDoc* doc) { doc_ = doc; }
    // trunc(sqrt(|factor| x 3600)) + 1, within the range, without touching the factor.
    void Place(int timeFactor);

    static int PositionFor(int timeFactor);
    // The factor of a position, or none at the top end (3600), which keeps the factor.
    static int FactorFor(int position, int current);

private:
    void userMoved(int position);

    CKivDoc* doc_ = nullptr;
};

} // namespace kiv
