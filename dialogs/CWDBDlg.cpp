#include "dialogs/CWDBDlg.h"

#include "document/FileMessages.h"
#include "platform/ColorDialogs.h"
#include "platform/ColorSwatch.h"
#include "platform/DataPaths.h"
#include "platform/FileDialogs.h"
#include "platform/LanguageText.h"
#include "platform/MessageBoxes.h"
#include "platform/Paragraphs.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>

namespace kiv {

namespace {

constexpr std::array<const char*, 29> kLayerTexts{
    "",
    "1  > Demarcated boundary",
    "2  > Indefinite or in dispute",
    "3  > Other line of separation",
    "4  > Coastline and major lakes",
    "5  > Additional islands and lakes",
    "6  > Intermed. islands and lakes",
    "7  > Minor islands and lakes",
    "8  > Major lakes",
    "9  > Minor lakes",
    "10 > Reefs",
    "11 > Major salt pans",
    "12 > Minor salt pans",
    "13 > Major ice shelves",
    "14 > Minor ice shelves",
    "15 > Glaciers",
    "16 > Permanent major rivers",
    "17 > Additional major rivers",
    "18 > Additional Rivers",
    "19 > Minor rivers",
    "20 > Double lined rivers",
    "21 > Major intermittend rivers",
    "22 > Intermittent rivers additional",
    "23 > Intermittent rivers minor",
    "24 > Major canals",
    "25 > Minor canals",
    "26 > Irrigation canals",
    "27 > First order administrative",
    "28 > Boundaries in great lakes",
};
constexpr std::array<const char*, 6> kCheckIds{"1186", "1189", "1191", "1193", "1194", "1196"};
constexpr std::array<const char*, 6> kEditIds{"1229", "1230", "1232", "1234", "1236", "1238"};
constexpr std::array<const char*, 6> kSwatchIds{"1226", "1178", "1180", "1198", "1200", "1204"};

QString text(const char* s) { return QString::fromLatin1(s); }

} // namespace

CWDBDlg::CWDBDlg(const WDBLayerSettings& values, UiServices& ui, const DataPaths& paths, QWidget* parent)
    : QDialog(parent), values_(values), ui_(ui), paths_(paths)
{
    setWindowTitle(QStringLiteral("World Database Layer Dialog"));
    values_.clamp();
    tabs_ = new QTabWidget(this);
    tabs_->setUsesScrollButtons(false); // all seven tabs in sight
    tabs_->addTab(generalPage(), QStringLiteral("General"));
    tabs_->addTab(layerPage(1, 3, &values_.BDY_Layer, 0, std::nullopt), QStringLiteral("BDY - Layer"));
    cil_[0] = layerPage(4, 6, &values_.CIL_Layer, 0, true);
    cil_[1] = layerPage(10, 6, &values_.CIL_Layer, 6, false);
    riv_[0] = layerPage(16, 6, &values_.RIV_Layer, 0, true);
    riv_[1] = layerPage(22, 5, &values_.RIV_Layer, 6, false);
    tabs_->addTab(cil_[0], QStringLiteral("CIL - Layer"));
    tabs_->addTab(riv_[0], QStringLiteral("RIV - Layer"));
    tabs_->addTab(layerPage(27, 2, &values_.PBY_Layer, 0, std::nullopt), QStringLiteral("PBY - Layer"));
    tabs_->addTab(gridPage(), QStringLiteral("Grid"));
    tabs_->addTab(townsPage(), QStringLiteral("Towns"));
    // The second pages belong to the sheet while they are out of it.
    cil_[1]->setParent(this);
    riv_[1]->setParent(this);
    cil_[1]->hide();
    riv_[1]->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { showHelp(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    refresh();
}

std::optional<WDBLayerSettings> CWDBDlg::edit(const WDBLayerSettings& values, UiServices& ui, const DataPaths& paths)
{
    CWDBDlg dialog(values, ui, paths);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    WDBLayerSettings result = dialog.values();
    result.clamp();
    return result;
}

void CWDBDlg::refresh()
{
    for (const auto& r : refreshers_)
        r();
}

QWidget* CWDBDlg::generalPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    const auto fileRow = [&](int row, const char* label, const char* editId, const char* browseId, QString WDBLayerSettings::*member,
                             const char* filter, const char* title, bool isColorFile) {
        grid->addWidget(new QLabel(text(label), page), row, 0);
        auto* edit = new QLineEdit(page);
        edit->setObjectName(text(editId));
        grid->addWidget(edit, row, 1, 1, 2);
        auto* browse = new QPushButton(QStringLiteral("Browse"), page);
        browse->setObjectName(text(browseId));
        grid->addWidget(browse, row, 3);
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, member, isColorFile] {
            if (values_.*member == edit->text())
                return;
            values_.*member = edit->text();
            if (isColorFile)
                readColorFile();
        });
        connect(browse, &QPushButton::clicked, this, [this, member, filter, title, isColorFile] {
            const std::optional<QString> path = ui_.files.openFile({.title = text(title),
                                                                    .filter = text(filter),
                                                                    .defaultSuffix = QString(),
                                                                    .initialPath = values_.*member});
            if (path && *path != values_.*member) {
                values_.*member = *path;
                if (isColorFile)
                    readColorFile();
            }
            refresh();
        });
        refreshers_.push_back([this, edit, member] { edit->setText(values_.*member); });
    };
    fileRow(0, "Texture file", "1247", "1044", &WDBLayerSettings::WDBMapFileName,
            "WDB Texture file (*.bmp *.BMP);;Texturefiles (*.pcx *.PCX);;Texturefiles (*.tif *.TIF)",
            "World Database Texture File", false);
    fileRow(1, "Color file", "1246", "1008", &WDBLayerSettings::WDBColorFileName, "WDB Color File (*.col *.COL)",
            "WDB Layer Color File", true);

    const auto check = [&](QWidget* parent, const char* label, const char* id, std::function<bool()> get,
                           std::function<void(bool)> set) {
        auto* box = new QCheckBox(text(label), parent);
        box->setObjectName(text(id));
        connect(box, &QCheckBox::clicked, this, [set](bool on) { set(on); });
        refreshers_.push_back([box, get] { box->setChecked(get()); });
        return box;
    };
    grid->addWidget(check(page, "Texture", "1186", [this] { return values_.BackgraoundTexture != 0; },
                          [this](bool on) { values_.BackgraoundTexture = on; }),
                    2, 0);
    grid->addWidget(check(page, "Enable All Layers ", "1189", [this] { return values_.ActivateAllLayers != 0; },
                          [this](bool on) { values_.ActivateAllLayers = on; }),
                    2, 1);
    auto* zooming = new QGroupBox(QStringLiteral("While Zooming/Panning"), page);
    auto* zoomLayout = new QVBoxLayout(zooming);
    const std::array<std::pair<const char*, const char*>, 4> bits{
        {{"Enable Grid", "1191"}, {"Enable Satellites", "1193"}, {"Enable Towns", "1194"}, {"Keep Aspect Ratio", "1196"}}};
    for (int b = 0; b < 4; ++b)
        zoomLayout->addWidget(check(zooming, bits[b].first, bits[b].second,
                                    [this, b] { return (values_.ZoomStyle >> b) & 1; },
                                    [this, b](bool on) { values_.ZoomStyle = on ? values_.ZoomStyle | (1 << b) : values_.ZoomStyle & ~(1 << b); }));
    grid->addWidget(zooming, 3, 0, 1, 2);

    auto* sizeLabel = new QLabel(QStringLiteral("Startup Size (%1%-100%)").arg(WDBLayerSettings::kMinExtension), page);
    grid->addWidget(sizeLabel, 4, 0);
    auto* extension = new QSpinBox(page);
    extension->setObjectName(QStringLiteral("1229"));
    extension->setRange(WDBLayerSettings::kMinExtension, WDBLayerSettings::kMaxExtension);
    extension->setSuffix(QStringLiteral(" %"));
    connect(extension, &QSpinBox::valueChanged, this, [this](int v) { values_.XExtension = v; });
    refreshers_.push_back([this, extension] { extension->setValue(values_.XExtension); });
    grid->addWidget(extension, 4, 1);

    auto* sea = new ColorSwatch(QStringLiteral("Background Color"), page);
    sea->setObjectName(QStringLiteral("1226"));
    sea->onClicked = [this, sea] {
        if (const std::optional<std::uint32_t> c = ui_.colors.chooseColor(values_.colors.colors[0], QStringLiteral("Background Color"))) {
            values_.colors.colors[0] = *c;
            sea->setColor(*c);
        }
    };
    refreshers_.push_back([this, sea] { sea->setColor(values_.colors.colors[0]); });
    grid->addWidget(sea, 3, 2, 1, 2);

    auto* defaults = new QPushButton(QStringLiteral("  Set\nDefault\n Values"), page);
    defaults->setObjectName(QStringLiteral("1047"));
    connect(defaults, &QPushButton::clicked, this, [this] { setDefaults(); });
    grid->addWidget(defaults, 4, 2, 1, 2);
    grid->setRowStretch(5, 1);
    return page;
}

QWidget* CWDBDlg::layerPage(int firstLayer, int count, int* mask, int firstBit, std::optional<bool> more)
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    for (int k = 0; k < count; ++k) {
        const int layer = firstLayer + k;
        const int bit = firstBit + k;
        const auto n = static_cast<std::size_t>(k);
        auto* box = new QCheckBox(text(kLayerTexts[layer]), page);
        box->setObjectName(text(kCheckIds[n]));
        connect(box, &QCheckBox::clicked, this, [mask, bit](bool on) { *mask = on ? *mask | (1 << bit) : *mask & ~(1 << bit); });
        refreshers_.push_back([box, mask, bit] { box->setChecked((*mask >> bit) & 1); });
        grid->addWidget(box, k, 0);

        auto* width = new QSpinBox(page);
        width->setObjectName(text(kEditIds[n]));
        width->setRange(0, kWDBMaxPenWidth);
        connect(width, &QSpinBox::valueChanged, this, [this, layer](int v) { values_.colors.widths[layer] = v; });
        refreshers_.push_back([this, width, layer] { width->setValue(clampedPenWidth(values_.colors.widths[layer])); });
        grid->addWidget(width, k, 1);

        auto* swatch = new ColorSwatch(QString::number(layer), page);
        swatch->setObjectName(text(kSwatchIds[n]));
        swatch->onClicked = [this, swatch, layer] {
            const auto i = static_cast<std::size_t>(layer);
            if (const std::optional<std::uint32_t> c = ui_.colors.chooseColor(values_.colors.colors[i], text(kLayerTexts[i]))) {
                values_.colors.colors[i] = *c;
                swatch->setColor(*c);
            }
        };
        refreshers_.push_back([this, swatch, layer] { swatch->setColor(values_.colors.colors[layer]); });
        grid->addWidget(swatch, k, 2);
    }
    if (more) {
        auto* button = new QPushButton(*more ? QStringLiteral("More >>") : QStringLiteral("<< Back"), page);
        button->setObjectName(*more ? QStringLiteral("1241") : QStringLiteral("1244"));
        const bool forward = *more;
        connect(button, &QPushButton::clicked, this, [this, forward] { forward ? showMorePage() : showBackPage(); });
        grid->addWidget(button, count, 2);
    }
    grid->setRowStretch(count + 1, 1);
    return page;
}

QWidget* CWDBDlg::gridPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    auto* staticGrid = new QRadioButton(QStringLiteral("Static -> Deg. :"), page);
    staticGrid->setObjectName(QStringLiteral("1186"));
    auto* dynamic = new QRadioButton(QStringLiteral("Dynamically"), page);
    dynamic->setObjectName(QStringLiteral("1189"));
    auto* modeGroup = new QGroupBox(page);
    auto* modeLayout = new QGridLayout(modeGroup);
    modeLayout->addWidget(staticGrid, 0, 0);
    auto* distance = new QDoubleSpinBox(modeGroup);
    distance->setObjectName(QStringLiteral("1229"));
    distance->setRange(WDBLayerSettings::kMinGridDistance, WDBLayerSettings::kMaxGridDistance);
    distance->setDecimals(2);
    distance->setLocale(QLocale::c());
    modeLayout->addWidget(distance, 0, 1);
    modeLayout->addWidget(dynamic, 1, 0);
    connect(staticGrid, &QRadioButton::clicked, this, [this] {
        values_.StaticGrid = 1;
        refresh();
    });
    connect(dynamic, &QRadioButton::clicked, this, [this] {
        values_.StaticGrid = 0;
        refresh();
    });
    connect(distance, &QDoubleSpinBox::valueChanged, this, [this](double v) { values_.GridDistance = v; });
    refreshers_.push_back([this, staticGrid, dynamic, distance] {
        staticGrid->setChecked(values_.StaticGrid != 0);
        dynamic->setChecked(values_.StaticGrid == 0);
        distance->setValue(values_.GridDistance);
    });
    grid->addWidget(modeGroup, 0, 0, 1, 2);

    auto* styleGroup = new QGroupBox(page);
    auto* styleLayout = new QVBoxLayout(styleGroup);
    const std::array<std::pair<const char*, const char*>, 3> styles{{{"Solid", "1191"}, {"Dashed", "1193"}, {"Dotted", "1194"}}};
    for (int b = 0; b < 3; ++b) {
        auto* radio = new QRadioButton(text(styles[b].first), styleGroup);
        radio->setObjectName(text(styles[b].second));
        connect(radio, &QRadioButton::clicked, this, [this, b] {
            values_.GridStyle = 1 << b;
            refresh();
        });
        refreshers_.push_back([this, radio, b] { radio->setChecked((values_.GridStyle >> b) & 1); });
        styleLayout->addWidget(radio);
    }
    grid->addWidget(styleGroup, 1, 0);
    auto* draw = new QCheckBox(QStringLiteral("Draw the Grid"), page);
    draw->setObjectName(QStringLiteral("1196"));
    connect(draw, &QCheckBox::clicked, this, [this](bool on) { values_.DrawGrid = on; });
    refreshers_.push_back([this, draw] { draw->setChecked(values_.DrawGrid != 0); });
    grid->addWidget(draw, 1, 1);
    for (int k = 0; k < 2; ++k) {
        const int index = 29 + k;
        auto* swatch = new ColorSwatch(k == 0 ? QStringLiteral("Grid Color") : QStringLiteral("Text Color"), page);
        swatch->setObjectName(k == 0 ? QStringLiteral("1226") : QStringLiteral("1178"));
        swatch->onClicked = [this, swatch, index] {
            const auto i = static_cast<std::size_t>(index);
            if (const std::optional<std::uint32_t> c = ui_.colors.chooseColor(values_.colors.colors[i], swatch->caption())) {
                values_.colors.colors[i] = *c;
                swatch->setColor(*c);
            }
        };
        refreshers_.push_back([this, swatch, index] { swatch->setColor(values_.colors.colors[index]); });
        grid->addWidget(swatch, 2, k);
    }
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* CWDBDlg::townsPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    const std::array<std::tuple<const char*, const char*, int WDBLayerSettings::*>, 3> checks{{
        {"Draw Towns", "1186", &WDBLayerSettings::EnableTowns},
        {"Dynamically (Population)", "1189", &WDBLayerSettings::DynamicDisplayTowns},
        {"Draw All from small file", "1193", &WDBLayerSettings::AllSmal},
    }};
    int row = 0;
    for (const auto& [label, id, member] : checks) {
        auto* box = new QCheckBox(text(label), page);
        box->setObjectName(text(id));
        const auto m = member;
        connect(box, &QCheckBox::clicked, this, [this, m](bool on) { values_.*m = on; });
        refreshers_.push_back([this, box, m] { box->setChecked(values_.*m != 0); });
        grid->addWidget(box, row++, 0, 1, 3);
    }
    const std::array<std::tuple<const char*, const char*, const char*, QString WDBLayerSettings::*, const char*, const char*>, 2> files{{
        {"Small towns", "1247", "1009", &WDBLayerSettings::WDBSmalTowns, "Town Data Small File (*.twn *.TWN)",
         "Town Data for Zooming/Panning"},
        {"Big towns", "1246", "1248", &WDBLayerSettings::WDBBigTowns, "Town Data Big File (*.twn *.TWN)",
         "Town Data for Normal Displaying"},
    }};
    for (const auto& [label, editId, browseId, member, filter, title] : files) {
        grid->addWidget(new QLabel(text(label), page), row, 0);
        auto* edit = new QLineEdit(page);
        edit->setObjectName(text(editId));
        grid->addWidget(edit, row, 1);
        auto* browse = new QPushButton(QStringLiteral("Browse"), page);
        browse->setObjectName(text(browseId));
        grid->addWidget(browse, row, 2);
        const auto m = member;
        const char* f = filter;
        const char* t = title;
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, m] { values_.*m = edit->text(); });
        connect(browse, &QPushButton::clicked, this, [this, m, f, t] {
            if (const std::optional<QString> path = ui_.files.openFile({.title = text(t),
                                                                        .filter = text(f),
                                                                        .defaultSuffix = QString(),
                                                                        .initialPath = values_.*m}))
                values_.*m = *path;
            refresh();
        });
        refreshers_.push_back([this, edit, m] { edit->setText(values_.*m); });
        ++row;
    }
    grid->setRowStretch(row, 1);
    return page;
}

void CWDBDlg::swap(bool more)
{
    const int index = tabs_->currentIndex();
    QWidget** pair = index == 2 ? cil_ : riv_;
    QWidget* out = pair[more ? 0 : 1];
    QWidget* in = pair[more ? 1 : 0];
    if (tabs_->widget(index) != out)
        return;
    const QString caption = tabs_->tabText(index);
    tabs_->removeTab(index);
    out->setParent(this);
    out->hide();
    tabs_->insertTab(index, in, caption);
    tabs_->setCurrentIndex(index);
    refresh();
}

void CWDBDlg::showMorePage() { swap(true); }
void CWDBDlg::showBackPage() { swap(false); }

void CWDBDlg::setDefaults()
{
    const MessageAnswer answer =
        ui_.messages.show({.caption = QStringLiteral("Info"),
                           .text = QStringLiteral("Do you really like to change the settings ?"),
                           .buttons = MessageButtons::YesNo,
                           .icon = MessageIcon::Question});
    if (answer != MessageAnswer::Yes)
        return;
    values_.setDefaults();
    refresh();
}

void CWDBDlg::readColorFile()
{
    WDBColorTable colors = values_.colors;
    if (!loadWDBColorFile(paths_.resolve(values_.WDBColorFileName), colors)) {
        ui_.messages.show(fileMessages::colorTableNotFound(values_.Language == 1, values_.WDBColorFileName));
        return;
    }
    values_.colors = colors;
    refresh();
}

void CWDBDlg::showHelp()
{
    const bool english = values_.Language == 1;
    const QString textEn = QStringLiteral(
        "This DialogBox is responsible just for the CIA - World Data Base View.\n\n"
        "Towns come from two lists: the small list is drawn while zooming or panning, because it is "
        "fast, the big list otherwise. With \"Dynamically (Population)\" only towns whose population "
        "suits the width of the view are drawn.\n\n"
        "The grid lies a fixed number of degrees apart (Static), or a tenth of the longitudes the "
        "view shows (Dynamically).\n\n"
        "The vector layers are drawn by \"Draw\" in the view's menu. The map data are World Data Bank "
        "style segment files, one per continent and kind, in the folder named by WDBMainFilePath.");
    const QString textDe = QStringLiteral(
        "Diese DialogBox ist nur fuer den WorldDatenbank View zustaendig.\n\n"
        "Die Staedte kommen aus zwei Listen: die kleine wird beim Zoomen und Verschieben gezeichnet, "
        "weil sie schnell ist, sonst die grosse. Mit \"Dynamically (Population)\" erscheinen nur "
        "Staedte, deren Einwohnerzahl zur Breite der Ansicht passt.\n\n"
        "Das Gitter hat einen festen Abstand in Grad (Static) oder ein Zehntel der gezeigten "
        "Laengengrade (Dynamically).\n\n"
        "Die Vektorebenen zeichnet \"Draw\" im Menue der Ansicht. Die Kartendaten sind Segmentdateien "
        "im World-Data-Bank-Format, eine je Kontinent und Art, im Ordner WDBMainFilePath.");
    ui_.messages.show(helpBox(QStringLiteral("Help"), inLanguage(english, textEn, textDe), MessageIcon::Information));
}

} // namespace kiv
