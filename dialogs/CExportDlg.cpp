#include "dialogs/CExportDlg.h"

#include "dialogs/CEditor.h"
#include "dialogs/CTimeDlg.h"
#include "dialogs/ExportGenerator.h"
#include "document/CKivDoc.h"
#include "document/TimerBracket.h"
#include "platform/DataPaths.h"
#include "platform/LanguageText.h"
#include "platform/Latin1.h"
#include "platform/Paragraphs.h"
#include "platform/UiServices.h"
#include "views2d/CGotoDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

namespace kiv {

namespace {

constexpr const char* kHelpEnglish =
    "This Dialog box lets you generate an output text file, or print the data to you printer.\nMost elements are "
    "self explanatory. The button >Input time is GMT time< can be set to\nlocal time. In that case the given time is "
    "converted to GMT time first, before the actual\ncalculation takes place.\nThe help in the editor gives a short "
    "intro in tha current generated format.\nIf you want to store the data as an EXCEL file, don't forget to give it "
    "the extension >*.xls<.";
constexpr const char* kHelpGerman =
    "In dieser Dialog box koenne Sie text Dateien erstellen welche die Stellitenpositionen\nzu gegebenen Zeiten "
    "darstellen. Die meisten Elemente dieses Dialoges erklaeren sich von selber.\nDer Knopf >Eingegebene Zeit "
    "entspricht GMT< kann auf lokale Zeit umgeschaltet werden. In diesem\nFall werden die eingegebenen Zeiten zuerst "
    "nach GMT Zeit umgerechnet bevor die aktuelle Berechnung\nbeginnt.\nDie Hilfe im Editor gibt Auskunft ueber das "
    "jeweisl erzeugte Datei Format.\nWenn Sie die Date als EXCEL Datei abspeichern wollen, dann sollten Sie nicht "
    "vergessen das die Datei\nmit >*.xls< enden sollte.";

enum Toggle { Units, Output, InputTime, Twilight, Angle, Prefix };

QString utcText(Time t)
{
    const orbit::UtcCalendar c = t.utcCalendar();
    return QStringLiteral("%1-%2-%3 %4:%5:%6 UTC")
        .arg(c.year)
        .arg(c.month, 2, 10, QLatin1Char('0'))
        .arg(c.day, 2, 10, QLatin1Char('0'))
        .arg(c.hour, 2, 10, QLatin1Char('0'))
        .arg(c.minute, 2, 10, QLatin1Char('0'))
        .arg(c.second, 2, 10, QLatin1Char('0'));
}

} // namespace

CExportDlg::CExportDlg(CKivDoc& doc, ExportState state, QWidget* parent)
    : QDialog(parent), doc_(doc), model_(std::move(state), doc.Language != 0)
{
    const bool en = english();
    const bool enlarged = model_.Enlarged();
    setWindowTitle(inLanguage(en, "Export", "Export"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose, false);

    editor_ = new CEditor(doc_.Context().ui, doc_.Language);
    editor_->SuggestFileName = [this] { MakeOutputFileName(); };
    editor_->CurrentKind = [this] { return Kind(); };
    editor_->CsvOutput = [this] { return model_.State.CsvOutput != 0; };
    editor_->setMinimumSize(480, 320);
    fill_ = std::make_unique<ExportTableFill>(*editor_, doc_.Context().ui.cursors);
    editor_->StopTable = [this] { fill_->Stop(); };

    tabs_ = new QTabBar;
    for (const QString& name : model_.TabNames())
        tabs_->addTab(name);
    settings_ = buildSettings();

    auto* top = new QVBoxLayout(this);
    if (enlarged) {
        pages_ = new QStackedWidget;
        pages_->addWidget(settings_);
        pages_->addWidget(editor_);
        top->addWidget(tabs_);
        top->addWidget(pages_, 1);
    } else {
        auto* preview = new QGroupBox(inLanguage(en, "Preview", "Vorschau"));
        auto* previewLayout = new QVBoxLayout(preview);
        previewLayout->addWidget(tabs_);
        previewLayout->addWidget(editor_, 1);
        auto* row = new QHBoxLayout;
        row->addWidget(settings_);
        row->addWidget(preview, 1);
        top->addLayout(row, 1);
    }
    top->addWidget(buildButtons());

    fillList();
    showTexts();
    showLabels();
    connect(tabs_, &QTabBar::currentChanged, this, &CExportDlg::OnTabChange);
    const int index = std::clamp(model_.State.TabIndex, 0, tabs_->count() - 1);
    tabs_->blockSignals(true);
    tabs_->setCurrentIndex(index);
    tabs_->blockSignals(false);
    OnEditable(editable_->isChecked());
}

CExportDlg::~CExportDlg() = default;

QWidget* CExportDlg::buildSettings()
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(satelliteGroup());
    column->addWidget(observerGroup());
    column->addWidget(rangeGroup());
    column->addWidget(outputGroup());
    column->addStretch(1);
    return page;
}

QLineEdit* CExportDlg::makeEdit(ExportEdit which)
{
    auto* e = new QLineEdit;
    edits_[static_cast<std::size_t>(which)] = e;
    return e;
}

QWidget* CExportDlg::satelliteGroup()
{
    auto* choose = new QGroupBox(inLanguage(english(), "Choose Satellites", "Satelliten auswaehlen"));
    auto* chooseLayout = new QVBoxLayout(choose);
    list_ = new QTreeWidget;
    list_->setColumnCount(3);
    list_->setHeaderLabels({QStringLiteral("Satellite Name"), QStringLiteral("Nr"), QStringLiteral("X")});
    list_->setRootIsDecorated(false);
    list_->header()->resizeSection(0, 102 * 2);
    list_->header()->resizeSection(1, 30 * 2);
    list_->header()->resizeSection(2, 20 * 2);
    list_->setMinimumHeight(140);
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { OnListClick(list_->indexOfTopLevelItem(item)); });
    chooseLayout->addWidget(list_);
    return choose;
}

QWidget* CExportDlg::observerGroup()
{
    const bool en = english();
    auto* observer = new QGroupBox(inLanguage(en, "Observer Position", "Betrachter Position"));
    auto* o = new QGridLayout(observer);
    name_ = new QLineEdit;
    abbrev_ = new QLineEdit;
    goTo_ = new QPushButton(QStringLiteral("Browse"));
    connect(goTo_, &QPushButton::clicked, this, &CExportDlg::OnGoTo);
    o->addWidget(name_, 0, 0, 1, 3);
    o->addWidget(new QLabel(inLanguage(en, "Abbrev.", "Abk. :")), 0, 3);
    o->addWidget(abbrev_, 0, 4);
    o->addWidget(new QLabel(QStringLiteral("Lat")), 1, 0);
    o->addWidget(makeEdit(ExportEdit::Latitude), 1, 1);
    o->addWidget(new QLabel(QStringLiteral("Lon")), 1, 2);
    o->addWidget(makeEdit(ExportEdit::Longitude), 1, 3, 1, 2);
    o->addWidget(new QLabel(QStringLiteral("Alt")), 2, 0);
    o->addWidget(makeEdit(ExportEdit::Altitude), 2, 1);
    o->addWidget(goTo_, 2, 3, 1, 2);
    return observer;
}

QWidget* CExportDlg::rangeGroup()
{
    const bool en = english();
    const bool enlarged = model_.Enlarged();
    auto* range = new QGroupBox(inLanguage(en, "Time range", "Zeitspanne"));
    auto* r = new QGridLayout(range);
    const auto addTimeRow = [&](int row, const char* dateLabel, const char* timeLabel, ExportEdit date, ExportEdit time,
                                QPushButton* browse) {
        r->addWidget(new QLabel(QString::fromLatin1(dateLabel)), row, 0);
        r->addWidget(makeEdit(date), row, 1);
        r->addWidget(new QLabel(QString::fromLatin1(timeLabel)), row, 2);
        r->addWidget(makeEdit(time), row, 3);
        if (browse)
            r->addWidget(browse, row, 4);
    };
    auto* browseStart = new QPushButton(enlarged ? QStringLiteral("Browse")
                                                 : inLanguage(en, "Browse start time", "Browse Start Zeit"));
    auto* browseEnd =
        new QPushButton(enlarged ? QStringLiteral("Browse") : inLanguage(en, "Browse end time", "Browse End Zeit"));
    connect(browseStart, &QPushButton::clicked, this, [this] { OnTimeButton(true); });
    connect(browseEnd, &QPushButton::clicked, this, [this] { OnTimeButton(false); });
    addTimeRow(0, "Start Date", "Start Time", ExportEdit::StartDate, ExportEdit::StartTime, browseStart);
    addTimeRow(1, "End Date", "End Time", ExportEdit::EndDate, ExportEdit::EndTime, browseEnd);
    r->addWidget(new QLabel(inLanguage(en, "Steps Days", "Tages-Intervall")), 2, 0);
    r->addWidget(makeEdit(ExportEdit::StepDays), 2, 1);
    r->addWidget(new QLabel(inLanguage(en, "Steps Time", "Zeit intervall")), 2, 2);
    r->addWidget(makeEdit(ExportEdit::StepTime), 2, 3);
    return range;
}

QWidget* CExportDlg::outputGroup()
{
    const bool en = english();
    auto* options = new QGroupBox(inLanguage(en, "Output", "Ausgabe"));
    auto* g = new QGridLayout(options);
    struct ToggleSpec {
        void (ExportDialogModel::*toggle)();
        bool regenerate;
    };
    const ToggleSpec specs[] = {
        {&ExportDialogModel::ToggleUnits, true},      {&ExportDialogModel::ToggleOutput, true},
        {&ExportDialogModel::ToggleInputTime, false}, {&ExportDialogModel::CycleTwilight, true},
        {&ExportDialogModel::CycleAngleFormat, true}, {&ExportDialogModel::ToggleDatePrefix, true},
    };
    for (std::size_t i = 0; i < toggles_.size(); ++i) {
        toggles_[i] = new QPushButton;
        const ToggleSpec spec = specs[i];
        connect(toggles_[i], &QPushButton::clicked, this, [this, spec] { OnToggle(spec.toggle, spec.regenerate); });
    }
    g->addWidget(toggles_[InputTime], 0, 0, 1, 2);
    g->addWidget(toggles_[Units], 1, 0);
    g->addWidget(toggles_[Output], 1, 1);
    g->addWidget(toggles_[Twilight], 2, 0);
    g->addWidget(toggles_[Angle], 2, 1);
    g->addWidget(toggles_[Prefix], 3, 0);
    auto* precisionRow = new QHBoxLayout;
    precisionRow->addWidget(new QLabel(inLanguage(en, "Precision", "Praezision")));
    QLineEdit* precision = makeEdit(ExportEdit::Precision);
    precision->setMaxLength(10);
    connect(precision, &QLineEdit::textEdited, this, &CExportDlg::OnPrecisionEdited);
    connect(precision, &QLineEdit::editingFinished, this, &CExportDlg::OnPrecisionFinished);
    precisionRow->addWidget(precision);
    g->addLayout(precisionRow, 3, 1);
    return options;
}

QWidget* CExportDlg::buildButtons()
{
    const bool en = english();
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    editable_ = new QCheckBox(inLanguage(en, "Editable", "Edierbar"));
    connect(editable_, &QCheckBox::toggled, this, &CExportDlg::OnEditable);
    h->addWidget(editable_);
    const auto add = [&](const QString& text, auto slot) {
        auto* b = new QPushButton(text);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        h->addWidget(b);
        return b;
    };
    add(inLanguage(en, "Save", "Speichern"), [this] { MakeOutputFileName(); });
    add(model_.Enlarged() ? inLanguage(en, "Shrink", "Verkleinern") : inLanguage(en, "Enlarge", "Vergroessern"),
        [this] { OnEnlarge(); });
    add(inLanguage(en, "Help", "Hilfe"), [this] { OnHelp(); });
    h->addStretch(1);
    add(QStringLiteral("OK"), [this] { accept(); });
    add(inLanguage(en, "Cancel", "Abbrechen"), [this] { reject(); });
    return row;
}

void CExportDlg::fillList()
{
    list_->clear();
    for (int i = 0; i < doc_.SatelliteCount && i < kMaxSatellites; ++i) {
        const tagSATELLITE& s = doc_.Satellites[i];
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, fromLatin1(std::string_view(s.name, strnlen(s.name, sizeof s.name))));
        item->setText(1, QString::number(i + 1));
        const bool selected = model_.State.Selected[i] != 0;
        item->setText(2, selected ? QStringLiteral("X") : QStringLiteral(" "));
    }
}

void CExportDlg::showTexts()
{
    const ExportEditTexts t = model_.Texts();
    const QString* texts[] = {&t.startDate, &t.startTime, &t.endDate,   &t.endTime,  &t.stepDays,
                              &t.stepTime,  &t.latitude,  &t.longitude, &t.altitude, &t.precision};
    for (std::size_t i = 0; i < edits_.size(); ++i)
        edits_[i]->setText(*texts[i]);
    name_->setText(model_.State.ObserverName);
    abbrev_->setText(model_.State.ObserverAbbrev);
}

void CExportDlg::showLabels()
{
    const ExportToggleLabels l = model_.Labels();
    const QString* labels[] = {&l.units, &l.output, &l.inputTime, &l.twilight, &l.angleFormat, &l.datePrefix};
    for (std::size_t i = 0; i < toggles_.size(); ++i)
        toggles_[i]->setText(*labels[i]);
}

ExportEditTexts CExportDlg::typedTexts() const
{
    ExportEditTexts t;
    QString* texts[] = {&t.startDate, &t.startTime, &t.endDate,   &t.endTime,  &t.stepDays,
                        &t.stepTime,  &t.latitude,  &t.longitude, &t.altitude, &t.precision};
    for (std::size_t i = 0; i < edits_.size(); ++i)
        *texts[i] = edits_[i]->text();
    return t;
}

void CExportDlg::takeTypedQuietly()
{
    model_.SetObserverName(name_->text(), abbrev_->text());
    model_.ReadEdits(typedTexts()); // a refused text keeps the values before it
}

void CExportDlg::refuse(const ExportEditRefusal& refusal)
{
    doc_.Context().ui.messages.show({.caption = QStringLiteral("Export"),
                                     .text = refusal.message,
                                     .buttons = MessageButtons::Ok,
                                     .icon = MessageIcon::Exclamation});
    QLineEdit* edit = EditOf(refusal.edit);
    edit->setFocus();
    edit->selectAll();
}

QLineEdit* CExportDlg::EditOf(ExportEdit edit) const
{
    return edits_[static_cast<std::size_t>(edit)];
}

QPushButton* CExportDlg::ToggleButton(int id) const
{
    return toggles_.at(id);
}

int CExportDlg::tabIndex() const
{
    return tabs_->currentIndex();
}

ExportKind CExportDlg::Kind() const
{
    return model_.KindOfTab(tabIndex());
}

bool CExportDlg::ObserverControlsEnabled() const
{
    return EditOf(ExportEdit::Latitude)->isEnabled();
}

bool CExportDlg::AngleFormatEnabled() const
{
    return toggles_[Angle]->isEnabled();
}

void CExportDlg::Start(QSize replaced)
{
    if (pages_ && replaced.isValid()) {
        // Grown by a quarter where the screen has room, never smaller than the dialog it replaces.
        const QSize grown(replaced.width() * 5 / 4, replaced.height() * 5 / 4);
        const QSize room = screen() ? screen()->availableSize() : grown;
        resize(grown.boundedTo(room).expandedTo(replaced).expandedTo(minimumSizeHint()));
    }
    show();
    raise();
    activateWindow();
    OnTabChange(tabIndex());
}

void CExportDlg::OnTabChange(int index)
{
    if (busy_)
        return;
    editor_->AskSave();
    const ExportKind kind = model_.KindOfTab(index);
    const bool main = kind == ExportKind::Main;
    if (pages_) {
        pages_->setCurrentWidget(main ? settings_ : static_cast<QWidget*>(editor_));
        editable_->setEnabled(!main);
    }
    const bool observer = ExportDialogModel::UsesObserver(kind);
    QWidget* const observerControls[] = {name_, abbrev_, EditOf(ExportEdit::Latitude), EditOf(ExportEdit::Longitude),
                                         EditOf(ExportEdit::Altitude), toggles_[Twilight]};
    for (QWidget* w : observerControls)
        w->setEnabled(observer);
    toggles_[Angle]->setEnabled(ExportDialogModel::UsesAngleFormat(kind));
    if (main)
        takeTypedQuietly();
    else
        GenerateOutput(kind);
}

void CExportDlg::GenerateOutput(ExportKind kind)
{
    if (busy_)
        return;
    busy_ = true;
    const bool en = english();
    UiServices& ui = doc_.Context().ui;
    fill_->Stop();
    editor_->SetTable(QString());
    model_.SetObserverName(name_->text(), abbrev_->text());
    if (const auto refused = model_.ReadEdits(typedTexts())) {
        refuse(*refused);
        busy_ = false;
        return;
    }
    const ExportParameters p = model_.Parameters(doc_, kind);
    if (const auto refusal = ExportGenerator::Check(p)) {
        if (*refusal == ExportRefusal::TooManyRows)
            ui.messages.show(
                {.caption = QStringLiteral("Export"),
                 .text = inLanguage(en,
                                    "The table would have %1 rows; at most %2 can be made. Please choose a longer "
                                    "step, a shorter time range or fewer satellites.",
                                    "Die Tabelle hätte %1 Zeilen; höchstens %2 sind möglich. Bitte wählen Sie ein "
                                    "längeres Intervall, eine kürzere Zeitspanne oder weniger Satelliten.")
                             .arg(ExportGenerator::TotalRows(p))
                             .arg(ExportGenerator::kMaxTotalRows),
                 .buttons = MessageButtons::Ok,
                 .icon = MessageIcon::Exclamation});
        busy_ = false;
        return;
    }
    const std::int64_t steps = ExportGenerator::StepCount(p);
    if (steps > ExportGenerator::kAskAboveSteps && !p.satellites.empty()) {
        const MessageAnswer answer = ui.messages.show(
            {.caption = QStringLiteral("Warning"),
             .text = inLanguage(
                         en, "Warning, there are %1 records per spacecraft to calculate. Do you want to proceed ?",
                         "Achtung, es werden %1 records pro Satellit berechnet. Wollen Sie fortfhren oder abbrechen ?")
                         .arg(steps),
             .buttons = MessageButtons::YesNo,
             .icon = MessageIcon::None});
        if (answer != MessageAnswer::Yes) {
            busy_ = false;
            return;
        }
    }
    fill_->Start(p, [this](const std::vector<ExportFailure>& failures) { reportFailures(failures); });
    busy_ = false;
}

void CExportDlg::reportFailures(const std::vector<ExportFailure>& failures)
{
    if (failures.empty())
        return;
    QStringList lines;
    for (const ExportFailure& f : failures)
        lines << QString::fromStdString(f.satellite) + QStringLiteral(": ") + utcText(f.time);
    const bool en = english();
    doc_.Context().ui.messages.show(
        {.caption = QStringLiteral("Export"),
         .text = inLanguage(
                     en, "These satellites cannot be computed from the time given on; their rows end there:\n",
                     "Diese Satelliten lassen sich ab der genannten Zeit nicht berechnen; ihre Zeilen enden dort:\n") +
             lines.join(QLatin1Char('\n')),
         .buttons = MessageButtons::Ok,
         .icon = MessageIcon::Exclamation});
}

void CExportDlg::MakeOutputFileName()
{
    // Beside the element file where it is read from, or in the user data folder when that is the
    // bundled one.
    const DataPaths& paths = doc_.Context().paths;
    editor_->FileName = paths.dialogStart(
        ExportDialogModel::OutputFileName(paths.resolve(doc_.Satellitenfilename), Kind(), model_.State.CsvOutput != 0));
    editor_->SaveAs();
}

void CExportDlg::OnListClick(int row)
{
    if (row < 0 || row >= doc_.SatelliteCount || row >= kMaxSatellites)
        return;
    const bool selected = model_.ToggleSelected(row);
    list_->topLevelItem(row)->setText(2, selected ? QStringLiteral("X") : QStringLiteral(" "));
    regenerate();
}

void CExportDlg::OnPrecisionEdited()
{
    if (!model_.ReadPrecision(EditOf(ExportEdit::Precision)->text()))
        regenerate();
}

void CExportDlg::OnPrecisionFinished()
{
    if (const auto refused = model_.ReadPrecision(EditOf(ExportEdit::Precision)->text()); refused && !busy_)
        refuse(*refused);
}

void CExportDlg::OnEditable(bool on)
{
    editor_->SetReadOnly(!on);
}

void CExportDlg::OnHelp()
{
    doc_.Context().ui.messages.show(
        helpBox(QStringLiteral("Help"), inLanguage(english(), kHelpEnglish, kHelpGerman), MessageIcon::None));
}

int CExportDlg::runNested(QDialog& dialog)
{
    return RunNested ? RunNested(dialog) : dialog.exec();
}

void CExportDlg::OnTimeButton(bool start)
{
    takeTypedQuietly();
    const TimerBracket timerOff(doc_);
    CTimeDlg dialog(doc_.Context().ui, model_.RangeEnd(start), model_.StepForTimeDialog(), doc_.Language,
                    doc_.ClockColors, this);
    if (runNested(dialog) == QDialog::Accepted)
        model_.TakeFromTimeDialog(start, dialog.Fields(), dialog.Factor());
    if (dialog.ColorsChanged())
        doc_.SaveColorTable();
    showTexts();
    doc_.OnReset();
}

void CExportDlg::OnGoTo()
{
    takeTypedQuietly();
    const TimerBracket timerOff(doc_);
    doc_.LoadTowns();
    CGotoDlg dialog(doc_, this);
    if (runNested(dialog) == QDialog::Accepted)
        model_.TakeTown(dialog.Latitude, dialog.WestLongitude, dialog.TownText);
    showTexts();
}

void CExportDlg::OnToggle(void (ExportDialogModel::*toggle)(), bool regenerateTable)
{
    (model_.*toggle)();
    showLabels();
    if (regenerateTable)
        regenerate();
}

void CExportDlg::OnEnlarge()
{
    editor_->AskSave();
    takeTypedQuietly();
    Result = Rebuild;
    const ExportState carried = model_.Carried(tabIndex());
    fill_->Stop();
    hide();
    if (OnRebuild)
        OnRebuild(carried, size());
}

void CExportDlg::AskSaveBeforeClosing()
{
    editor_->AskSave();
    // Asked once: the close that follows does not ask again.
    editor_->Edit()->document()->setModified(false);
}

void CExportDlg::end(int result)
{
    fill_->Stop();
    editor_->AskSave();
    Result = result;
    hide();
    if (OnEnded)
        OnEnded();
}

void CExportDlg::accept()
{
    end(Ok);
}

void CExportDlg::reject()
{
    if (fill_->Running())
        fill_->Stop();
    else
        end(Cancel);
}

void CExportDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    end(Cancel);
}

} // namespace kiv
