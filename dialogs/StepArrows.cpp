#include "dialogs/StepArrows.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace kiv {

namespace {

QToolButton* arrow(Qt::ArrowType type, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFixedSize(18, 12);
    return button;
}

} // namespace

StepArrows::StepArrows(QWidget* parent) : QWidget(parent), up_(arrow(Qt::UpArrow, this)), down_(arrow(Qt::DownArrow, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] {
        if (onStep)
            onStep(+1);
    });
    connect(down_, &QToolButton::clicked, this, [this] {
        if (onStep)
            onStep(-1);
    });
}

} // namespace kiv
