#include "dialogs/CDstDlg2d.h"

#include "dialogs/DialogControls.h"
#include "dialogs/NumberFields.h"
#include "dialogs/SatelliteColorPanel.h"
#include "document/BuiltInIcon.h"
#include "document/CKivDoc.h"
#include "document/ColorTableFile.h"
#include "platform/ClientAreaDrag.h"
#include "platform/DataPaths.h"
#include "platform/LanguageText.h"
#include "platform/Latin1.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace kiv {

namespace {

const QString kIconTitle = QStringLiteral("Satellite Icon");

} // namespace

CDstDlg2d::CDstDlg2d(CKivDoc& doc, const SatelliteStyle2D& values, QWidget* parent)
    : QDialog(parent), doc_(doc), values_(values), english_(doc.Language != 0)
{
    setWindowTitle(text("Satellitestyle", "Satellitenstyle"));
    colors_ = new SatelliteColorPanel(
        doc.SatelliteNames(), values.shown,
        [this](int slot, int kind) { return doc_.SatInfo[slot].color[kind]; },
        [this](int slot, int kind, COLORREF color) { setSlotColor(doc_.SatInfo[slot], kind, color); },
        doc.Context().ui, english_, this);
    QFormLayout* route = routeForm();
    // The icon panel, folded in at the start.
    iconPanel_ = iconPanel();
    iconPanel_->hide();
    fillIconPanel();

    fold_ = controls::button(QStringLiteral("Change\nIcon"), "14", this);
    fold_->setIconSize({32, 32});
    connect(fold_, &QPushButton::clicked, this, &CDstDlg2d::OnFoldPanel);
    showChosenIcon(-1);
    colors_->onChosen = [this](int slot) { showChosenIcon(slot); };
    connect(icons_, &QListWidget::currentRowChanged, this, [this](int slot) {
        if (slot >= 0)
            showChosenIcon(slot);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDstDlg2d::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addLayout(route);
    left->addWidget(colors_);
    left->addWidget(fold_);
    left->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(iconPanel_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    dragByClientArea(this);
}

QFormLayout* CDstDlg2d::routeForm()
{
    showRoute_ = controls::checkBox("Show satelliteroute ", "1158", values_.ShowCourse2D, this);
    showPosition_ = controls::checkBox("Display Lat/Lon/Alt", "1156", values_.SatellitePos2D, this);
    showName_ = controls::checkBox("Show name", "1157", values_.SatelliteName2D, this);
    penWidth_ = controls::lineEdit(fields::integerText(values_.PenWidth), "1159", this);
    routePoints_ = controls::lineEdit(fields::integerText(values_.NrOfPoints), "1146", this);
    routeLength_ = controls::lineEdit({}, "1148", this);
    fields::showReal(*routeLength_, values_.RouteLengthFactor, settingRange(&KivSettings::RouteLengthFactor));

    auto* form = new QFormLayout;
    form->addRow(showRoute_);
    form->addRow(QStringLiteral("Penwidth"), penWidth_);
    form->addRow(showPosition_);
    form->addRow(showName_);
    form->addRow(QStringLiteral("Nr Of Route points"), routePoints_);
    form->addRow(QStringLiteral("Length of the route"), routeLength_);
    return form;
}

QWidget* CDstDlg2d::iconPanel()
{
    auto* panel = new QWidget(this);
    icons_ = new QListWidget(panel);
    icons_->setObjectName(QStringLiteral("1100"));
    icons_->setIconSize({32, 32});
    icons_->setStyleSheet(QStringLiteral("QListWidget { background: black; color: #FFFF00; }"));
    connect(icons_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int slot = icons_->row(item);
        if (slot < 0 || slot >= kMaxSatellites)
            return;
        const QString& name = values_.icons.entries()[values_.icons.indices()[slot]].fileName;
        iconOfSatellite_->setText(name.isEmpty() ? QStringLiteral("Standard Icon") : name);
    });
    connect(icons_, &QListWidget::itemDoubleClicked, this, [this] { OnChangeIcon(); });
    QPushButton* change = controls::button(QStringLiteral("Change Icon"), "17", panel);
    QPushButton* changeAll = controls::button(QStringLiteral("Change All Icons"), "20", panel);
    connect(change, &QPushButton::clicked, this, &CDstDlg2d::OnChangeIcon);
    connect(changeAll, &QPushButton::clicked, this, &CDstDlg2d::OnChangeAllIcons);
    iconListFile_ = controls::lineEdit(values_.IconFileName, "1254", panel);
    connect(iconListFile_, &QLineEdit::editingFinished, this, [this] {
        if (iconListFile_->text() != values_.IconFileName)
            takeIconList(iconListFile_->text());
    });
    QPushButton* browse = controls::button(QStringLiteral("Browse"), "23", panel);
    connect(browse, &QPushButton::clicked, this, &CDstDlg2d::OnBrowseIconList);
    iconOfSatellite_ = controls::lineEdit(QString(), "1037", panel);
    iconOfSatellite_->setReadOnly(true);

    auto* fileGroup = new QGroupBox(QStringLiteral("Satellites Icon File"), panel);
    auto* fileRow = new QHBoxLayout(fileGroup);
    fileRow->addWidget(iconListFile_);
    fileRow->addWidget(browse);
    auto* iconGroup = new QGroupBox(QStringLiteral("Satellites Icon for this satellite"), panel);
    auto* iconRow = new QHBoxLayout(iconGroup);
    iconRow->addWidget(iconOfSatellite_);
    auto* panelButtons = new QHBoxLayout;
    panelButtons->addWidget(change);
    panelButtons->addWidget(changeAll);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(icons_);
    panelLayout->addLayout(panelButtons);
    panelLayout->addWidget(fileGroup);
    panelLayout->addWidget(iconGroup);
    return panel;
}

std::optional<SatelliteStyle2D> CDstDlg2d::edit(CKivDoc& doc, const SatelliteStyle2D& values)
{
    CDstDlg2d dialog(doc, values);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

QString CDstDlg2d::text(const char* english, const char* german) const
{
    return inLanguage(english_, english, german);
}

void CDstDlg2d::OnFoldPanel() { iconPanel_->setVisible(!iconPanel_->isVisible()); }

bool CDstDlg2d::panelOpen() const { return !iconPanel_->isHidden(); }

QImage CDstDlg2d::iconOf(int slot) const
{
    if (slot < 0 || slot >= kMaxSatellites)
        return builtInSatelliteIcon();
    const QImage& icon = values_.icons.entries()[values_.icons.indices()[slot]].icon;
    return icon.isNull() ? builtInSatelliteIcon() : icon;
}

void CDstDlg2d::showChosenIcon(int slot)
{
    chosen_ = slot;
    fold_->setIcon(QIcon(QPixmap::fromImage(iconOf(slot))));
}

void CDstDlg2d::fillIconPanel()
{
    const int current = icons_->currentRow();
    icons_->clear();
    const int rows = std::min(doc_.SatelliteCount, kMaxSatellites);
    for (int slot = 0; slot < rows; ++slot)
        icons_->addItem(new QListWidgetItem(QIcon(QPixmap::fromImage(iconOf(slot))),
                                            fromLatin1(doc_.SatelliteLines[slot].name)));
    if (current >= 0 && current < icons_->count())
        icons_->setCurrentRow(current);
    if (fold_)
        showChosenIcon(chosen_); // the chosen satellite's icon may have changed
}

std::optional<QString> CDstDlg2d::chooseIconFile()
{
    const std::optional<QString> path = doc_.Context().ui.files.openFile(
        {.title = kIconTitle,
         .filter = QStringLiteral("Texturefiles (*.ico) (*.ICO *.ico);;Pictures (*.png *.bmp *.xpm)"),
         .defaultSuffix = QString(),
         .initialPath = QStringLiteral("*.ICO")});
    if (!path || path->isEmpty())
        return std::nullopt;
    return path;
}

void CDstDlg2d::OnChangeIcon()
{
    const int slot = icons_->currentRow();
    if (slot < 0 || slot >= kMaxSatellites) {
        doc_.Context().ui.messages.show(
            {.caption = QStringLiteral("Warning"),
             .text = QStringLiteral("First check a Item !!!"),
             .buttons = MessageButtons::Ok,
             .icon = MessageIcon::Exclamation});
        return;
    }
    const std::optional<QString> path = chooseIconFile();
    if (!path)
        return;
    if (values_.icons.assign(slot, *path) == IconTable::Assigned::Full) {
        doc_.Context().ui.messages.show(
            {.caption = text("Warning", "Warnung"),
             .text = text("The icon table is full: no further icon file can be added.\nGive the satellite an icon that "
                          "is in use already.",
                          "Die Icon-Tabelle ist voll: es kann keine weitere Icon-Datei hinzukommen.\nWählen Sie ein Icon, "
                          "das schon benutzt wird."),
             .buttons = MessageButtons::Ok,
             .icon = MessageIcon::Exclamation});
        return;
    }
    fillIconPanel();
}

void CDstDlg2d::OnChangeAllIcons()
{
    const std::optional<QString> path = chooseIconFile();
    if (!path)
        return;
    values_.icons.assignAll(*path);
    fillIconPanel();
}

void CDstDlg2d::OnBrowseIconList()
{
    const std::optional<QString> path = doc_.Context().ui.files.openFile(
        {.title = kIconTitle,
         .filter = QStringLiteral("Satellite Icon Informations (*.sin) (*.SIN *.sin)"),
         .defaultSuffix = QString(),
         .initialPath = values_.IconFileName});
    if (!path || path->isEmpty())
        return;
    takeIconList(*path);
}

// An icon list that exists is loaded; a new name takes the table as it stands, written there on OK.
void CDstDlg2d::takeIconList(const QString& name)
{
    values_.IconFileName = name;
    iconListFile_->setText(name);
    if (const std::optional<IconListRead> read = loadIconListFile(doc_.Context().paths.resolve(name)))
        values_.icons.take(*read);
    else
        values_.icons.setChanged();
    fillIconPanel();
}

bool CDstDlg2d::readNumbers()
{
    MessageBoxes& m = doc_.Context().ui.messages;
    const auto pen = fields::readInteger(*penWidth_, settingRange(&KivSettings::PenWidth), m, english_);
    if (!pen)
        return false;
    const auto points = fields::readInteger(*routePoints_, settingRange(&KivSettings::NrOfPoints), m, english_);
    if (!points)
        return false;
    const auto length = fields::readReal(*routeLength_, settingRange(&KivSettings::RouteLengthFactor), m, english_);
    if (!length)
        return false;
    values_.PenWidth = *pen;
    values_.NrOfPoints = *points;
    values_.RouteLengthFactor = *length;
    return true;
}

void CDstDlg2d::accept()
{
    if (!readNumbers())
        return;
    if (iconListFile_->text() != values_.IconFileName)
        takeIconList(iconListFile_->text());
    values_.ShowCourse2D = showRoute_->isChecked() ? 1 : 0;
    values_.SatellitePos2D = showPosition_->isChecked() ? 1 : 0;
    values_.SatelliteName2D = showName_->isChecked() ? 1 : 0;
    values_.shown = colors_->shown();
    QDialog::accept();
}

} // namespace kiv
