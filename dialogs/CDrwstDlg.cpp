#include "dialogs/CDrwstDlg.h"

#include "dialogs/DialogControls.h"
#include "dialogs/NumberFields.h"
#include "dialogs/SatelliteColorPanel.h"
#include "document/BeamFootprint.h"
#include "platform/ClientAreaDrag.h"
#include "platform/TypedNumbers.h"
#include "platform/UiServices.h"
#include "views3d/CSatellitePreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kiv {

namespace {

// The beam angle as typed: up to a full 180 degrees, stored just below by the command.
constexpr SettingRange kTypedBeamAngle{0, 180};
constexpr int kTurnMs = 20;
constexpr double kTurnStep = 5.0;

QComboBox* dropList(const char* id, const QStringList& items, int index, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(id));
    list->addItems(items);
    list->setCurrentIndex(std::clamp(index, 0, static_cast<int>(items.size()) - 1));
    return list;
}

} // namespace

CDrwstDlg::CDrwstDlg(const SatelliteStyle3D& values, const QStringList& names, UiServices& ui, bool english,
                     QWidget* parent)
    : QDialog(parent), values_(values), ui_(ui), english_(english), initialBeamAngle_(values.BeamAngle)
{
    setWindowTitle(QStringLiteral("Satellitestyle"));
    QWidget* bodyGroup = bodyStyleGroup();
    QWidget* beamGroup = beamStyleGroup();
    QWidget* routeGroup = routeStyleGroup();
    colors_ = new SatelliteColorPanel(
        names, values.shown,
        [this](int slot, int kind) { return values_.colors[slot][kind]; },
        [this](int slot, int kind, COLORREF color) {
            values_.colors[slot][kind] = color;
        },
        ui, english, this);

    preview_ = new CSatellitePreview(ui.messages, this);
    preview_->setObjectName(QStringLiteral("1004"));
    preview_->setToolTip(QStringLiteral("Satellite 3D"));
    preview_->setFixedSize(200, 200);
    QLayout* previewButtons = previewButtonGroups();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDrwstDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(bodyGroup);
    left->addWidget(beamGroup);
    left->addWidget(routeGroup);
    left->addWidget(preview_, 0, Qt::AlignHCenter);
    left->addLayout(previewButtons);
    auto* right = new QVBoxLayout;
    right->addWidget(colors_);
    right->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);
    dragByClientArea(this);

    preview_->SetLook(look());
    turner_.start(kTurnMs);
}

QWidget* CDrwstDlg::bodyStyleGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Satellites drawn as ..."), this);
    bodyStyle_ = dropList("1120",
                          {QStringLiteral("Nothing"), QStringLiteral("Point"), QStringLiteral("Cube"),
                           QStringLiteral("Sphere"), QStringLiteral("File SATELITE.DAT")},
                          values_.SatelliteDrawStyle, group);
    values_.SatelliteDrawStyle = bodyStyle_->currentIndex();
    connect(bodyStyle_, &QComboBox::currentIndexChanged, this, [this](int style) {
        values_.SatelliteDrawStyle = std::max(style, 0);
        enableModelButtons();
        rebuildPreview();
    });
    (new QVBoxLayout(group))->addWidget(bodyStyle_);
    return group;
}

QWidget* CDrwstDlg::beamStyleGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Beams drawn as ..."), this);
    beamStyle_ = dropList("1020",
                          {QStringLiteral("Nothing"), QStringLiteral("Lines"), QStringLiteral("Cone"),
                           QStringLiteral("Transparent")},
                          values_.BeamDrawStyle, group);
    values_.BeamDrawStyle = beamStyle_->currentIndex();
    connect(beamStyle_, &QComboBox::currentIndexChanged, this, [this](int style) {
        values_.BeamDrawStyle = std::max(style, 0);
        rebuildPreview();
    });
    transparency_ = controls::lineEdit({}, "1143", group);
    beamAngle_ = controls::lineEdit({}, "1150", group);
    fields::showReal(*transparency_, values_.TransparencyBeam, settingRange(&KivSettings::TransparencyBeam));
    fields::showReal(*beamAngle_, values_.BeamAngle, kTypedBeamAngle);
    for (QLineEdit* e : {transparency_, beamAngle_})
        connect(e, &QLineEdit::textChanged, this, [this] { takeTypedBeam(); });
    auto* form = new QFormLayout(group);
    form->addRow(beamStyle_);
    form->addRow(QStringLiteral("Transparency (0..1)"), transparency_);
    form->addRow(QStringLiteral("Beam Angle"), beamAngle_);
    return group;
}

QWidget* CDrwstDlg::routeStyleGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Satelliteroute"), this);
    earthSystem_ = controls::checkBox("Earth Coord. System", "1141", values_.ShowCourseEarth3D, group);
    spaceSystem_ = controls::checkBox("Space Coord. System", "1137", values_.ShowCourse3D, group);
    routePoints_ = controls::lineEdit(fields::integerText(values_.NrOfPoints), "1146", group);
    routeLength_ = controls::lineEdit({}, "1148", group);
    fields::showReal(*routeLength_, values_.RouteLengthFactor, settingRange(&KivSettings::RouteLengthFactor));
    auto* form = new QFormLayout(group);
    form->addRow(earthSystem_);
    form->addRow(spaceSystem_);
    form->addRow(QStringLiteral("Nr Of Route points"), routePoints_);
    form->addRow(QStringLiteral("Length of the route"), routeLength_);
    return group;
}

QLayout* CDrwstDlg::previewButtonGroups()
{
    manual_ = previewButton("P", "1275");
    automatic_ = previewButton("A", "1092");
    next_ = previewButton(">>", "1276");
    previous_ = previewButton("<<", "1277");
    struct Turn {
        const char* caption;
        const char* id;
        Vec3 axis;
    };
    const Turn kTurns[] = {{.caption = ">", .id = "1279", .axis = {0, 0, 1}},
                           {.caption = "<", .id = "1281", .axis = {0, 0, -1}},
                           {.caption = "^", .id = "1283", .axis = {0, 1, 0}},
                           {.caption = "v", .id = "1285", .axis = {0, -1, 0}}};
    for (std::size_t i = 0; i < 4; ++i) {
        turns_[i] = previewButton(kTurns[i].caption, kTurns[i].id);
        const Vec3 axis = kTurns[i].axis;
        connect(turns_[i], &QPushButton::clicked, this, [this, axis] { preview_->Turn(kTurnStep, axis); });
        turns_[i]->setEnabled(false);
    }
    QPushButton* zoomIn = previewButton("Z+", "1287");
    QPushButton* zoomOut = previewButton("Z-", "1290");
    connect(zoomIn, &QPushButton::clicked, this, [this] { preview_->MoveProjection(1.0); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { preview_->MoveProjection(-1.0); });
    connect(manual_, &QPushButton::clicked, this, &CDrwstDlg::OnManual);
    connect(automatic_, &QPushButton::clicked, this, &CDrwstDlg::OnAutomatic);
    connect(next_, &QPushButton::clicked, this, &CDrwstDlg::OnNextModel);
    connect(previous_, &QPushButton::clicked, this, &CDrwstDlg::OnPreviousModel);
    automatic_->setEnabled(false);
    enableModelButtons();
    connect(&turner_, &QTimer::timeout, this, [this] { preview_->Turn(kTurnStep, {0.2, 1.0, 0.4}); });

    auto* rotateGroup = new QGroupBox(QStringLiteral("Rotate Satellite"), this);
    auto* rotate = new QGridLayout(rotateGroup);
    rotate->addWidget(turns_[2], 0, 1);
    rotate->addWidget(turns_[1], 1, 0);
    rotate->addWidget(manual_, 1, 1);
    rotate->addWidget(turns_[0], 1, 2);
    rotate->addWidget(turns_[3], 2, 1);
    auto* zoomGroup = new QGroupBox(QStringLiteral("Zoom / Pick"), this);
    auto* zoom = new QGridLayout(zoomGroup);
    zoom->addWidget(zoomIn, 0, 1);
    zoom->addWidget(previous_, 1, 0);
    zoom->addWidget(automatic_, 1, 1);
    zoom->addWidget(next_, 1, 2);
    zoom->addWidget(zoomOut, 2, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(rotateGroup);
    row->addWidget(zoomGroup);
    return row;
}

std::optional<SatelliteStyle3D> CDrwstDlg::edit(const SatelliteStyle3D& values, const QStringList& names,
                                                UiServices& ui, bool english)
{
    CDrwstDlg dialog(values, names, ui, english);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

QPushButton* CDrwstDlg::previewButton(const char* caption, const char* id)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(id));
    button->setAutoDefault(false);
    return button;
}

PreviewLook CDrwstDlg::look() const
{
    PreviewLook look;
    look.body = {.style = values_.SatelliteDrawStyle,
                 .modelFile = values_.SatelliteModelFileName,
                 .modelNumber = values_.SatModelNrFromFile,
                 .detail = Detail::of(values_.AccuracyX, values_.AccuracyY)};
    look.beamDrawStyle = values_.BeamDrawStyle;
    look.beamAngle = values_.BeamAngle;
    look.transparency = values_.TransparencyBeam;
    return look;
}

void CDrwstDlg::rebuildPreview() { preview_->SetLook(look()); }

// While typing, a number that reads is shown at once (within its bounds); OK checks the fields.
void CDrwstDlg::takeTypedBeam()
{
    if (const auto t = realNumber(transparency_->text().toStdString()))
        values_.TransparencyBeam = static_cast<float>(std::clamp(*t, 0.0, 1.0));
    if (const auto a = realNumber(beamAngle_->text().toStdString()))
        values_.BeamAngle = static_cast<float>(clampBeamAngle(*a));
    rebuildPreview();
}

void CDrwstDlg::enableModelButtons()
{
    const bool model = values_.SatelliteDrawStyle == kModelBody;
    next_->setEnabled(model);
    previous_->setEnabled(model);
}

void CDrwstDlg::OnNextModel()
{
    ++values_.SatModelNrFromFile;
    if (countSatelliteModels(values_.SatelliteModelFileName, values_.SatModelNrFromFile).modelCount == 0)
        values_.SatModelNrFromFile = std::max(values_.SatModelNrFromFile - 1, 1);
    rebuildPreview();
}

void CDrwstDlg::OnPreviousModel()
{
    values_.SatModelNrFromFile = std::max(values_.SatModelNrFromFile - 1, 1);
    rebuildPreview();
}

void CDrwstDlg::OnManual()
{
    turner_.stop();
    manual_->setEnabled(false);
    automatic_->setEnabled(true);
    for (QPushButton* b : turns_)
        b->setEnabled(true);
}

void CDrwstDlg::OnAutomatic()
{
    manual_->setEnabled(true);
    automatic_->setEnabled(false);
    for (QPushButton* b : turns_)
        b->setEnabled(false);
    turner_.start(kTurnMs);
}

void CDrwstDlg::accept()
{
    MessageBoxes& m = ui_.messages;
    const auto transparency = fields::readReal(*transparency_, settingRange(&KivSettings::TransparencyBeam), m, english_);
    if (!transparency)
        return;
    const auto angle = fields::readReal(*beamAngle_, kTypedBeamAngle, m, english_);
    if (!angle)
        return;
    const auto points = fields::readInteger(*routePoints_, settingRange(&KivSettings::NrOfPoints), m, english_);
    if (!points)
        return;
    const auto length = fields::readReal(*routeLength_, settingRange(&KivSettings::RouteLengthFactor), m, english_);
    if (!length)
        return;
    values_.TransparencyBeam = static_cast<float>(*transparency);
    // An angle left as shown keeps its full precision.
    const bool untouched = beamAngle_->text() == fields::realText(initialBeamAngle_);
    values_.BeamAngle = static_cast<float>(untouched ? initialBeamAngle_ : *angle);
    values_.NrOfPoints = *points;
    values_.RouteLengthFactor = *length;
    values_.ShowCourseEarth3D = earthSystem_->isChecked() ? 1 : 0;
    values_.ShowCourse3D = spaceSystem_->isChecked() ? 1 : 0;
    values_.shown = colors_->shown();
    turner_.stop();
    QDialog::accept();
}

} // namespace kiv
