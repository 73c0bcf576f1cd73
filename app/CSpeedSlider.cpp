#include "app/CSpeedSlider.h"

#include "document/CKivDoc.h"

#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

using namespace kiv;

namespace {
constexpr int kTop = 3600;
}

CSpeedSlider::CSpeedSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    setRange(0, kTop);
    setSingleStep(60);
    setPageStep(360);
    setTickInterval(360);
    setTickPosition(QSlider::NoTicks);
    connect(this, &QSlider::valueChanged, this, &CSpeedSlider::userMoved);
}

int CSpeedSlider::PositionFor(int timeFactor)
{
    const double root = std::sqrt(std::abs(static_cast<double>(timeFactor)) * kTop);
    return static_cast<int>(std::min(root + 1.0, static_cast<double>(kTop)));
}

int CSpeedSlider::FactorFor(int position, int current)
{
    if (position >= kTop)
        return current;
    return static_cast<int>(static_cast<double>(position) * position / 3600.0) + 1;
}

void CSpeedSlider::Place(int timeFactor)
{
    const QSignalBlocker block(this);
    setValue(PositionFor(timeFactor));
}

void CSpeedSlider::userMoved(int position)
{
    if (!doc_)
        return;
    // The slider sets the speed; a clock running backwards keeps its direction.
    const int factor = FactorFor(position, doc_->TimeFactor);
    doc_->TimeFactor = doc_->TimeFactor < 0 && factor > 0 ? -factor : factor;
}
