#include "views2d/CObsDlg.h"

#include "document/CKivDoc.h"
#include "document/TimerBracket.h"
#include "platform/ClientAreaDrag.h"
#include "platform/ColorDialogs.h"
#include "platform/ColorSwatch.h"
#include "platform/LanguageText.h"
#include "platform/NumberEdit.h"
#include "platform/TypedNumbers.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace kiv;

namespace {

struct SwatchSpec {
    int id;
    const char* en;
    const char* de;
    COLORREF SkySettings::*field;
};
constexpr SwatchSpec kSwatches[] = {
    {.id = 1260, .en = "Background", .de = "Hintergrund", .field = &SkySettings::background},
    {.id = 1183, .en = "Textcolor", .de = "Textfarbe", .field = &SkySettings::text},
    {.id = 1264, .en = "Man Lines", .de = "Mann:Linien", .field = &SkySettings::manLines},
    {.id = 1280, .en = "Man Head", .de = "Mann:Kopf", .field = &SkySettings::manHead},
    {.id = 1288, .en = "Man Ground", .de = "Mann:Boden", .field = &SkySettings::manGround},
    {.id = 1262, .en = "Elevation", .de = "Elevation", .field = &SkySettings::elevationLines},
    {.id = 1261, .en = "Azimuth", .de = "Azimuth", .field = &SkySettings::azimuthLines},
};

// The steps put back by "Automatically" outlive the dialog: they are kept for the whole run.
StepMemory& stepMemory()
{
    static StepMemory memory;
    return memory;
}

void showValue(QLineEdit* edit, double value, FieldBounds bounds) { showSingle(*edit, value, bounds.min, bounds.max); }

} // namespace

CObsDlg::CObsDlg(const ObsOptions& options, int language, ColorDialogs& colors, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), options_(options), language_(language), colors_(colors), messages_(messages)
{
    setWindowTitle(text("Observer View", "Observer Ansicht"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(text("Cancel", "Abbruch"));
    QPushButton* advanced = buttons->addButton(text("Advanced", "Erweitert"), QDialogButtonBox::ActionRole);
    advanced->setObjectName(QStringLiteral("14"));
    connect(advanced, &QPushButton::clicked, this, &CObsDlg::OnAdvanced);
    connect(buttons, &QDialogButtonBox::accepted, this, &CObsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildTop());
    lower_ = buildLower();
    layout->addWidget(lower_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    lower_->hide(); // always opens folded
    updateRadios();
    dragByClientArea(this);
}

QString CObsDlg::text(const char* en, const char* de) const { return inLanguage(language_ != 0, en, de); }

QCheckBox* CObsDlg::addCheck(int id, const char* en, const char* de, bool on)
{
    auto* box = new QCheckBox(text(en, de), this);
    box->setObjectName(QString::number(id));
    box->setChecked(on);
    return box;
}

QLineEdit* CObsDlg::addEdit(int id, double value, FieldBounds bounds)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::number(id));
    showValue(edit, value, bounds);
    return edit;
}

QWidget* CObsDlg::buildTop()
{
    auto* top = new QWidget(this);
    auto* position = new QGroupBox(text("User Position (+W +N)", "Beobachter Position (+W +N)"), top);
    auto* form = new QFormLayout(position);
    altitude_ = addEdit(1211, options_.altitude, kAltitudeBounds);
    latitude_ = addEdit(1174, options_.latitude, kLatitudeBounds);
    longitude_ = addEdit(1192, options_.westLongitude, kLongitudeBounds);
    form->addRow(text("Altitude (km)", "Höhe (km)"), altitude_);
    form->addRow(text("Latitude(Deg)", "Breite (Grad)"), latitude_);
    form->addRow(text("Longitude Deg", "Länge Grad"), longitude_);

    auto* twilight = new QGroupBox(text("Twilight setting (view range)", "Twilight setting (Sicht bereich)"), top);
    auto* radios = new QVBoxLayout(twilight);
    const char* names[] = {"Civil [-6 deg]", "Nautical [-12 deg]", "Astronomical [-18 deg]"};
    const int ids[] = {1168, 1195, 1188};
    for (int k = 0; k < 3; ++k) {
        presets_[k] = new QRadioButton(QString::fromLatin1(names[k]), twilight);
        presets_[k]->setObjectName(QString::number(ids[k]));
        presets_[k]->setAutoExclusive(false); // none is checked for a typed value
        connect(presets_[k], &QRadioButton::clicked, this, [this, k] { OnPreset(k); });
        radios->addWidget(presets_[k]);
    }
    twilight_ = addEdit(1206, options_.sky.twilight, kTwilightBounds);
    connect(twilight_, &QLineEdit::editingFinished, this, &CObsDlg::OnUserTwilight);
    auto* user = new QFormLayout;
    user->addRow(text("User defined (deg)", "Benutzerdefiniert (Grad)"), twilight_);
    radios->addLayout(user);

    const std::pair<QCheckBox*, bool SkySettings::*> boxes[] = {
        {addCheck(1163, "Display Asc/Desc", "Zeige Asc/Desc", options_.sky.showRaDec), &SkySettings::showRaDec},
        {addCheck(1157, "Show name", "Zeige Namen", options_.sky.showName), &SkySettings::showName},
        {addCheck(1282, "Display Azi/Ele/Dist", "Zeige Azi/Ele/Dist", options_.sky.showAziEleDist), &SkySettings::showAziEleDist},
        {addCheck(1158, "Show satelliteroute ", "Zeige satelliteroute ", options_.sky.showRoute), &SkySettings::showRoute},
        {addCheck(1169, "Draw Icons", "Zeichne Icons", options_.sky.showIcons), &SkySettings::showIcons},
        {addCheck(1172, "Altitude", "Elevation", options_.sky.drawElevation), &SkySettings::drawElevation},
        {addCheck(1161, "Azimuth", "Azimuth", options_.sky.drawAzimuth), &SkySettings::drawAzimuth},
        {addCheck(1171, "Compas", "Kompass", options_.sky.drawCompass), &SkySettings::drawCompass},
    };
    auto* checks = new QGridLayout;
    int n = 0;
    for (const auto& [box, field] : boxes) {
        checks_.push_back({box, field});
        checks->addWidget(box, n / 2, n % 2);
        ++n;
    }
    auto* grid = new QGridLayout(top);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(position, 0, 0);
    grid->addWidget(twilight, 0, 1);
    grid->addLayout(checks, 1, 0, 1, 2);
    return top;
}

QWidget* CObsDlg::buildLower()
{
    auto* lower = new QWidget(this);
    auto* steps = new QFormLayout;
    azimuthStep_ = addEdit(1213, options_.sky.azimuthStep, kStepBounds);
    elevationStep_ = addEdit(1217, options_.sky.elevationStep, kStepBounds);
    steps->addRow(QStringLiteral("Delta Azimuth"), azimuthStep_);
    steps->addRow(QStringLiteral("Delta Elevation"), elevationStep_);
    automaticButton_ = new QPushButton(text("Automatically ", "Standard werte"), lower);
    automaticButton_->setObjectName(QStringLiteral("1219"));
    automaticButton_->setCheckable(true);
    automaticButton_->setAutoDefault(false);
    connect(automaticButton_, &QPushButton::clicked, this, &CObsDlg::OnAutomatic);
    steps->addRow(automaticButton_);

    auto* lines = new QVBoxLayout;
    const std::pair<QCheckBox*, bool SkySettings::*> boxes[] = {
        {addCheck(1221, "Draw Hidden Lines", "Zeichne Hidden Lines", options_.sky.hiddenLines), &SkySettings::hiddenLines},
        {addCheck(1223, "Draw Compass Lines", "Zeichne Kompasslinien", options_.sky.compassLines), &SkySettings::compassLines},
        {addCheck(1225, "Draw Hemi Sphere", "Zeichne Halbkugel", options_.sky.hemisphere), &SkySettings::hemisphere},
    };
    for (const auto& [box, field] : boxes) {
        checks_.push_back({box, field});
        lines->addWidget(box);
    }

    auto* colours = new QGridLayout;
    for (std::size_t k = 0; k < swatches_.size(); ++k) {
        auto* swatch = new ColorSwatch(text(kSwatches[k].en, kSwatches[k].de), lower);
        swatch->setObjectName(QString::number(kSwatches[k].id));
        swatch->setColor(options_.sky.*kSwatches[k].field);
        swatch->onClicked = [this, k] { OnColor(static_cast<int>(k)); };
        swatches_[k] = swatch;
        colours->addWidget(swatch, static_cast<int>(k) / 4, static_cast<int>(k) % 4);
    }

    auto* grid = new QGridLayout(lower);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addLayout(steps, 0, 0);
    grid->addLayout(lines, 0, 1);
    grid->addLayout(colours, 1, 0, 1, 2);
    return lower;
}

void CObsDlg::updateRadios()
{
    const std::optional<int> preset = twilightPreset(options_.sky.twilight);
    for (int k = 0; k < 3; ++k)
        presets_[k]->setChecked(preset == k);
    showValue(twilight_, options_.sky.twilight, kTwilightBounds);
}

void CObsDlg::OnAdvanced()
{
    expanded_ = !expanded_;
    lower_->setVisible(expanded_);
}

void CObsDlg::OnPreset(int preset)
{
    options_.sky.twilight = kTwilightPresets[preset];
    updateRadios();
}

void CObsDlg::OnUserTwilight()
{
    // A typed value keeps its decimals; text that is no number in range stays as typed, and OK
    // names it.
    if (const std::optional<double> v = checkField(twilight_, kTwilightBounds).value) {
        options_.sky.twilight = *v;
        updateRadios();
    }
}

void CObsDlg::OnAutomatic()
{
    automatic_ = !automatic_;
    double az = options_.sky.azimuthStep, el = options_.sky.elevationStep;
    takeField(azimuthStep_, kStepBounds, az);
    takeField(elevationStep_, kStepBounds, el);
    const auto [azimuth, elevation] = stepMemory().toggle(automatic_, az, el);
    options_.sky.azimuthStep = azimuth;
    options_.sky.elevationStep = elevation;
    showValue(azimuthStep_, azimuth, kStepBounds);
    showValue(elevationStep_, elevation, kStepBounds);
    automaticButton_->setChecked(automatic_);
}

void CObsDlg::OnColor(int swatch)
{
    COLORREF& colour = options_.sky.*kSwatches[swatch].field;
    const std::optional<std::uint32_t> chosen = colors_.chooseColor(colour, swatches_[swatch]->caption());
    if (!chosen)
        return;
    colour = *chosen;
    swatches_[swatch]->setColor(colour);
}

RealCheck CObsDlg::checkField(const QLineEdit* edit, FieldBounds bounds) const
{
    return checkReal(edit->text().toStdString(), bounds.min, bounds.max, language_ != 0);
}

bool CObsDlg::takeField(QLineEdit* edit, FieldBounds bounds, double& value)
{
    const std::optional<double> v = checkField(edit, bounds).value;
    if (v)
        value = *v;
    return v.has_value();
}

void CObsDlg::accept()
{
    ObsOptions taken = options_;
    const std::pair<QLineEdit*, std::pair<FieldBounds, double*>> fields[] = {
        {altitude_, {kAltitudeBounds, &taken.altitude}},       {latitude_, {kLatitudeBounds, &taken.latitude}},
        {longitude_, {kLongitudeBounds, &taken.westLongitude}}, {twilight_, {kTwilightBounds, &taken.sky.twilight}},
        {azimuthStep_, {kStepBounds, &taken.sky.azimuthStep}},      {elevationStep_, {kStepBounds, &taken.sky.elevationStep}},
    };
    for (const auto& [edit, bound] : fields) {
        const RealCheck check = checkField(edit, bound.first);
        if (check.value) {
            *bound.second = *check.value;
        } else {
            if (edit->parentWidget() == lower_ && !expanded_)
                OnAdvanced();
            messages_.show({.caption = QStringLiteral("Kiv"),
                            .text = check.message,
                            .buttons = MessageButtons::Ok,
                            .icon = MessageIcon::Exclamation});
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
    for (const Check& c : checks_)
        taken.sky.*c.field = c.box->isChecked();
    options_ = taken;
    QDialog::accept();
}

namespace kiv {

bool runObserverOptions(CKivDoc& doc, QWidget* parent)
{
    const UiServices& ui = doc.Context().ui;
    TimerBracket bracket(doc);
    ObsViewPort* view = doc.Views.obs();
    if (doc.ShowObs && view)
        view->StoreObsSettings();
    CObsDlg dialog(ObsOptions::from(doc), doc.Language, ui.colors, ui.messages, parent);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (ok) {
        dialog.Options().storeInto(doc);
        if (view)
            view->LoadObsSettings();
    }
    return ok;
}

} // namespace kiv
