#pragma once
// A pair of small arrow buttons that step a value held elsewhere: the upper one by +1, the lower
// one by -1. Holding a button down repeats the step.

#include <QWidget>

#include <functional>

class QToolButton;

namespace kiv {

class StepArrows : public QWidget {
public:
    explicit StepArrows(QWidget* parent = nullptr);

    // Called with +1 or -1.
    std::function<void(int)> onStep;

    QToolButton* up() const { return up_; }
    QToolButton* down() const { return down_; }

private:
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace kiv
