#include "dialogs/CTimeDlg.h"

#include "dialogs/ClockPanel.h"
#include "dialogs/StepArrows.h"
#include "dialogs/TimeDialogTexts.h"
#include "platform/Paragraphs.h"
#include "platform/UiServices.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWindow>

using namespace kiv;

namespace {

constexpr int kTickMs = 50;
// The field edits as FieldTexts orders them.
constexpr std::array<const char*, 6> kFieldIds = {"1126", "1128", "1130", "1107", "1122", "1124"};

} // namespace

CTimeDlg::CTimeDlg(UiServices& ui, const TimeFields& fields, int factor, int language, ClockColorTables& colors,
                   QWidget* parent)
    : QDialog(parent),
      ui_(ui),
      texts_(TimeDialogTexts::of(language != 0)),
      english_(language != 0),
      model_(fields, factor, ui.clock),
      colors_(colors)
{
    setWindowTitle(texts_.title);
    auto* left = new QVBoxLayout;
    left->addWidget(buildFactorGroup());
    left->addWidget(buildTimeGroup());
    left->addWidget(buildButtons());
    left->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(buildClockHalf());
    // The dialog takes the size of what it shows: collapsing gives the space back.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    clockHalf_->hide();

    showFactor();
    showFields();
    showJulianDate();
    showClocks();
    connect(&timer_, &QTimer::timeout, this, &CTimeDlg::OnTick);
    timer_.start(kTickMs);
}

CTimeDlg::~CTimeDlg() = default;

QLineEdit* CTimeDlg::edit(const char* id)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(id));
    return e;
}

QPushButton* CTimeDlg::button(const char* id, const QString& text)
{
    auto* b = new QPushButton(text, this);
    b->setObjectName(QLatin1String(id));
    b->setAutoDefault(false);
    return b;
}

QWidget* CTimeDlg::buildFactorGroup()
{
    auto* group = new QGroupBox(texts_.factorGroup, this);
    auto* grid = new QGridLayout(group);
    factorButtons_ = new QButtonGroup(this);
    for (int k = 0; k < static_cast<int>(TimeDialogModel::kFactors.size()); ++k) {
        auto* radio = new QRadioButton(texts_.factorButtons.value(k), group);
        radio->setObjectName(QString::number(33000 + k));
        factorButtons_->addButton(radio, k);
        grid->addWidget(radio, k % 3, k / 3);
    }
    connect(factorButtons_, &QButtonGroup::idClicked, this, [this](int k) {
        model_.chooseFactorButton(k);
        showFactor();
    });
    factorEdit_ = edit("1103");
    connect(factorEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.takeFactorText(text.toStdString());
        showFactorButton(); // the text stays as typed: a lone "-" begins a backward factor
    });
    grid->addWidget(new QLabel(texts_.factorLabel, group), 3, 0);
    grid->addWidget(factorEdit_, 3, 1);

    auto* stop = new QCheckBox(texts_.stopTime, group);
    stop->setObjectName(QStringLiteral("1305"));
    stop->setChecked(model_.stopTime());
    connect(stop, &QCheckBox::toggled, this, [this](bool on) { model_.setStopTime(on); });
    auto* accelerate = new QCheckBox(texts_.accelerate, group);
    accelerate->setObjectName(QStringLiteral("1306"));
    connect(accelerate, &QCheckBox::toggled, this, [this](bool on) { model_.setAccelerate(on); });
    grid->addWidget(stop, 4, 0);
    grid->addWidget(accelerate, 4, 1);
    return group;
}

QWidget* CTimeDlg::buildTimeGroup()
{
    auto* group = new QGroupBox(texts_.setTo, this);
    auto* grid = new QGridLayout(group);
    QPushButton* local = button("1064", texts_.getLocal);
    QPushButton* greenwich = button("1089", texts_.getGreenwich);
    connect(local, &QPushButton::clicked, this, [this] {
        model_.setFields(TimeFields::of(ui_.clock.now().local()));
        showFields();
        showJulianDate();
    });
    connect(greenwich, &QPushButton::clicked, this, [this] {
        model_.setFields(TimeFields::of(ui_.clock.now().utcCalendar()));
        showFields();
        showJulianDate();
    });
    grid->addWidget(local, 0, 0, 1, 2);
    grid->addWidget(greenwich, 0, 2, 1, 2);

    // Time in the first row of edits, date in the second; each row with its arrows.
    const std::array<std::pair<int, int>, 6> places = {{{3, 0}, {3, 1}, {3, 2}, {1, 0}, {1, 1}, {1, 2}}};
    for (std::size_t i = 0; i < fieldEdits_.size(); ++i) {
        fieldEdits_[i] = edit(kFieldIds[i]);
        connect(fieldEdits_[i], &QLineEdit::textEdited, this, [this] { takeFields(); });
        const auto [row, column] = places[i];
        grid->addWidget(new QLabel(texts_.fieldLabels.value(static_cast<int>(i)), group), row, column);
        grid->addWidget(fieldEdits_[i], row + 1, column);
    }
    const auto addArrows = [&](const char* id, double days, int row) {
        auto* arrows = new StepArrows(group);
        arrows->setObjectName(QLatin1String(id));
        arrows->onStep = [this, days](int by) {
            model_.stepJulianDate(by * days);
            showFields();
            showJulianDate();
        };
        grid->addWidget(arrows, row, 3);
    };
    addArrows("1298", TimeDialogModel::kTimeStepDays, 2);
    addArrows("1302", TimeDialogModel::kDateStepDays, 4);

    julianDateEdit_ = edit("1132");
    connect(julianDateEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.takeJulianDateText(text.toStdString());
        showFields();
    });
    grid->addWidget(new QLabel(texts_.julianDate, group), 5, 0);
    grid->addWidget(julianDateEdit_, 5, 1, 1, 2);
    QPushButton* convert = button("1096", texts_.convert);
    connect(convert, &QPushButton::clicked, this, &CTimeDlg::convertToGreenwich);
    grid->addWidget(convert, 6, 0, 1, 4);
    return group;
}

QWidget* CTimeDlg::buildClockHalf()
{
    clockHalf_ = new QWidget(this);
    auto* layout = new QGridLayout(clockHalf_);
    layout->setContentsMargins(0, 0, 0, 0);
    clocks_[0] = new ClockPanel(0, ClockPanel::kGreenwich, texts_.greenwichClock, texts_, colors_, ui_, clockHalf_);
    clocks_[1] = new ClockPanel(1, ClockPanel::kLocal, texts_.localClock, texts_, colors_, ui_, clockHalf_);
    layout->addWidget(clocks_[0], 0, 0);
    layout->addWidget(clocks_[1], 0, 1);
    QPushButton* defaults = button("21", texts_.defaultColors);
    connect(defaults, &QPushButton::clicked, this, &CTimeDlg::restoreDefaultColors);
    layout->addWidget(defaults, 1, 0, 1, 2, Qt::AlignRight);
    return clockHalf_;
}

QWidget* CTimeDlg::buildButtons()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QPushButton* ok = button("1", texts_.ok);
    ok->setDefault(true);
    QPushButton* cancel = button("2", texts_.cancel);
    QPushButton* help = button("24", texts_.help);
    moreButton_ = button("18", texts_.more);
    connect(ok, &QPushButton::clicked, this, &CTimeDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CTimeDlg::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        ui_.messages.show(helpBox(QStringLiteral("Help"), texts_.helpText, MessageIcon::Information));
    });
    connect(moreButton_, &QPushButton::clicked, this, &CTimeDlg::toggleExpanded);
    for (QPushButton* b : {ok, cancel, help, moreButton_})
        layout->addWidget(b);
    return row;
}

void CTimeDlg::showFields()
{
    const TimeFields& f = model_.fields();
    const int values[] = {f.year, f.month, f.day, f.hour, f.minute, f.second};
    for (std::size_t i = 0; i < fieldEdits_.size(); ++i)
        fieldEdits_[i]->setText(QString::number(values[i]));
}

void CTimeDlg::showJulianDate() { julianDateEdit_->setText(model_.julianDateText()); }

void CTimeDlg::showFactor()
{
    factorEdit_->setText(QString::number(model_.factor()));
    showFactorButton();
}

void CTimeDlg::showFactorButton()
{
    const std::optional<int> button = model_.factorButton();
    // An exclusive group cannot uncheck its last checked button.
    factorButtons_->setExclusive(false);
    for (QAbstractButton* b : factorButtons_->buttons())
        b->setChecked(button && factorButtons_->id(b) == *button);
    factorButtons_->setExclusive(true);
}

void CTimeDlg::showClocks()
{
    clocks_[0]->showTime(model_.greenwich(), english_);
    clocks_[1]->showTime(model_.fields(), english_);
}

void CTimeDlg::OnTick()
{
    if (model_.tick()) {
        showJulianDate();
        showFields();
    }
    showClocks();
}

void CTimeDlg::takeFields()
{
    FieldTexts texts;
    for (std::size_t i = 0; i < fieldEdits_.size(); ++i)
        texts[i] = fieldEdits_[i]->text().toStdString();
    if (model_.takeFieldTexts(texts))
        showJulianDate();
}

bool CTimeDlg::checkTimeRange()
{
    if (model_.inSimulationRange())
        return true;
    const MessageAnswer answer =
        ui_.messages.show({.caption = texts_.rangeCaption,
                           .text = texts_.rangeQuestion,
                           .buttons = MessageButtons::YesNo,
                           .icon = MessageIcon::Question});
    if (answer != MessageAnswer::Yes)
        return false;
    model_.setFields(TimeFields::of(ui_.clock.now().local()));
    showFields();
    showJulianDate();
    return true;
}

void CTimeDlg::convertToGreenwich()
{
    if (!checkTimeRange())
        return;
    model_.convertGreenwichToLocal();
    showFields();
    showJulianDate();
}

void CTimeDlg::toggleExpanded()
{
    expanded_ = !expanded_;
    clockHalf_->setVisible(expanded_);
    moreButton_->setText(expanded_ ? texts_.less : texts_.more);
}

void CTimeDlg::restoreDefaultColors()
{
    colors_.restoreDefaults();
    for (ClockPanel* clock : clocks_)
        clock->showColors();
}

void CTimeDlg::accept()
{
    FieldTexts texts;
    for (std::size_t i = 0; i < fieldEdits_.size(); ++i)
        texts[i] = fieldEdits_[i]->text().toStdString();
    if (const std::optional<FieldRefusal> refusal = model_.acceptTexts(texts, factorEdit_->text().toStdString(), english_)) {
        ui_.messages.show({.caption = QCoreApplication::applicationName(),
                           .text = refusal->message,
                           .buttons = MessageButtons::Ok,
                           .icon = MessageIcon::Exclamation});
        QLineEdit* refused = refusal->edit == TimeDialogModel::kFactorEdit
                                 ? factorEdit_
                                 : fieldEdits_[refusal->edit];
        refused->setFocus();
        refused->selectAll();
        return;
    }
    if (!checkTimeRange())
        return;
    timer_.stop();
    QDialog::accept();
}

// A press anywhere on the dialog's own surface moves the window.
void CTimeDlg::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QDialog::mousePressEvent(event);
}
