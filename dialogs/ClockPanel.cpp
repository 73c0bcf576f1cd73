#include "dialogs/ClockPanel.h"

#include "dialogs/StepArrows.h"
#include "dialogs/TimeDialogModel.h"
#include "dialogs/TimeDialogTexts.h"
#include "platform/UiServices.h"
#include "views3d/CClock3D.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kiv {

namespace {

constexpr int kClockSize = 160;

ClockTime clockTimeOf(const TimeFields& f) { return {.hour = f.hour, .minute = f.minute, .second = f.second}; }

} // namespace

const ClockPanel::Ids ClockPanel::kGreenwich = {.time = "1289",
                                                 .date = "1292",
                                                 .frame = "1295",
                                                 .zoom = "1301",
                                                 .tilt = "1304",
                                                 .turn = "1300",
                                                 .parts = "1308",
                                                 .swatch = "1310",
                                                 .alpha = "1307"};
const ClockPanel::Ids ClockPanel::kLocal = {.time = "1293",
                                            .date = "1294",
                                            .frame = "1296",
                                            .zoom = "1297",
                                            .tilt = "1303",
                                            .turn = "1299",
                                            .parts = "1311",
                                            .swatch = "1185",
                                            .alpha = "1309"};

ClockPanel::ClockPanel(int clock, const Ids& ids, const QString& title, const TimeDialogTexts& texts,
                       ClockColorEditor& colors, UiServices& ui, QWidget* parent)
    : QGroupBox(title, parent),
      index_(clock),
      colors_(colors),
      ui_(ui),
      time_(new QLabel(this)),
      date_(new QLabel(this)),
      frame_(new QFrame(this)),
      clock_(new CClock3D(ui.messages, colors.table(clock), frame_)),
      parts_(new QComboBox(this)),
      swatch_(new QPushButton(this)),
      alpha_(new QLineEdit(this))
{
    time_->setObjectName(QLatin1String(ids.time));
    date_->setObjectName(QLatin1String(ids.date));
    frame_->setObjectName(QLatin1String(ids.frame));
    frame_->setFrameShape(QFrame::StyledPanel);
    frame_->setFixedSize(kClockSize, kClockSize);
    // The clock fills its frame and can be dragged about inside it.
    clock_->setGeometry(0, 0, kClockSize, kClockSize);

    // Each pair of arrows over its label.
    auto* arrows = new QHBoxLayout;
    const auto addArrows = [&](const char* id, const QString& label, int ClockViewpoint::*value) {
        auto* stepper = new StepArrows(this);
        stepper->setObjectName(QLatin1String(id));
        stepper->onStep = [this, value](int by) { step(value, by); };
        auto* column = new QVBoxLayout;
        column->addWidget(stepper, 0, Qt::AlignHCenter);
        column->addWidget(new QLabel(label, this), 0, Qt::AlignHCenter);
        arrows->addLayout(column);
    };
    addArrows(ids.zoom, texts.zoom, &ClockViewpoint::zoom);
    addArrows(ids.tilt, QString(), &ClockViewpoint::tilt);
    addArrows(ids.turn, texts.rotate, &ClockViewpoint::turn);

    parts_->setObjectName(QLatin1String(ids.parts));
    parts_->addItems(texts.parts);
    swatch_->setObjectName(QLatin1String(ids.swatch));
    swatch_->setFixedWidth(75);
    alpha_->setObjectName(QLatin1String(ids.alpha));

    auto* colorRow = new QGridLayout;
    colorRow->addWidget(new QLabel(texts.colors, this), 0, 0);
    colorRow->addWidget(parts_, 0, 1, 1, 2);
    colorRow->addWidget(swatch_, 1, 1);
    colorRow->addWidget(new QLabel(texts.transparency, this), 2, 0);
    colorRow->addWidget(alpha_, 2, 1, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(time_);
    layout->addWidget(date_);
    layout->addWidget(frame_, 0, Qt::AlignHCenter);
    layout->addLayout(arrows);
    layout->addLayout(colorRow);

    connect(parts_, &QComboBox::currentIndexChanged, this, [this] { showColors(); });
    connect(swatch_, &QPushButton::clicked, this, [this] { chooseColor(); });
    connect(alpha_, &QLineEdit::textEdited, this, [this](const QString& text) { takeAlpha(text); });
    showColors();
}

int ClockPanel::part() const { return std::max(parts_->currentIndex(), 0); }

void ClockPanel::showTime(const TimeFields& fields, bool english)
{
    time_->setText(TimeDialogModel::timeText(fields));
    date_->setText(TimeDialogModel::dateText(fields, english));
    clock_->UpdateTime(clockTimeOf(fields));
}

void ClockPanel::showColors()
{
    const COLORREF c = colors_.swatch(index_, part());
    swatch_->setStyleSheet(QStringLiteral("background-color: rgb(%1, %2, %3);").arg(redOf(c)).arg(greenOf(c)).arg(blueOf(c)));
    alpha_->setText(colors_.alphaText(index_, part()));
    clock_->ChangeColors(colors_.table(index_));
}

void ClockPanel::chooseColor()
{
    const std::optional<COLORREF> chosen = ui_.colors.chooseColor(colors_.swatch(index_, part()), parts_->currentText());
    if (!chosen)
        return;
    colors_.setColor(index_, part(), *chosen);
    showColors();
}

// Text that is no transparency yet (while typing) changes nothing.
void ClockPanel::takeAlpha(const QString& text)
{
    if (colors_.takeAlphaText(index_, part(), text.toStdString()))
        clock_->ChangeColors(colors_.table(index_));
}

void ClockPanel::step(int ClockViewpoint::*value, int by)
{
    viewpoint_.*value += by;
    clock_->SetViewpoint(viewpoint_);
}

} // namespace kiv
