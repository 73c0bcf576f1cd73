#include "dialogs/CWeatherDlg.h"

#include "dialogs/CImagePreview.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/DownloadRules.h"
#include "dialogs/NumberFields.h"
#include "dialogs/WeatherUrl.h"
#include "document/SettingsTable.h"
#include "platform/ClientAreaDrag.h"
#include "platform/DataPaths.h"
#include "platform/LanguageText.h"
#include "platform/Paragraphs.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kiv {

namespace {

constexpr SettingRange kLatitudeField{-90.0, 90.0};
constexpr SettingRange kLongitudeField{-180.0, 180.0};
const char* const kPictureFilter =
    "(*.jpg *.JPG *.jif *.JIF *.jpeg *.JPEG *.gif *.GIF *.bmp *.BMP *.dib *.DIB);;JPG - JFIF Compliant (*.jpg, "
    "*.jif, *.jpeg) (*.jpg *.JPG *.jif *.JIF *.jpeg *.JPEG);;CompuServe Graphics Interchange (*.gif) (*.gif *.GIF);;"
    "Windows or OS/2 Bitmap (*.bmp) (*.bmp *.BMP);;Windows or OS/2 DIB (*.dib) (*.dib *.DIB)";

} // namespace

CWeatherDlg::CWeatherDlg(const WeatherSettings& settings, UiServices& ui, PictureSource& pictures,
                         const DataPaths& paths, int language, ApplyBitmap apply, HttpClient client, QWidget* parent)
    : QDialog(parent),
      values_(settings),
      ui_(ui),
      paths_(paths),
      english_(language == 1),
      apply_(std::move(apply)),
      client_(client)
{
    setWindowTitle(text("Weather data", "Wetter Daten"));
    // The fields come before any button, so that Tab walks all fields first.
    createFields();
    QLayout* source = sourceRows();
    auto* middle = new QHBoxLayout;
    middle->addLayout(pictureColumn(pictures));
    middle->addLayout(boundsGrid());
    middle->addLayout(actionColumn());
    QDialogButtonBox* buttons = buttonBox();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text("Real Time Weather Bitmap (need to be Aequidistance Mercator view)",
                                      "Echtzeit Wetter Bitmap (muss in Aequidistance Mercator Format sein)"),
                                 this));
    layout->addLayout(source);
    layout->addLayout(middle);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    dragByClientArea(this);
    showStartValues();
}

void CWeatherDlg::createFields()
{
    url_ = new QComboBox(this);
    url_->setObjectName(QStringLiteral("1376"));
    url_->setEditable(true);
    url_->setMinimumWidth(480);
    localFile_ = lineEdit("1360");
    startLat_ = lineEdit("1356");
    startLon_ = lineEdit("1357");
    endLat_ = lineEdit("1358");
    endLon_ = lineEdit("1359");
    background_ = lineEdit("1353");
    width_ = lineEdit("1354");
    height_ = lineEdit("1355");
    for (QLineEdit* number : {startLat_, startLon_, endLat_, endLon_, width_, height_})
        number->setMinimumWidth(80);
    keepSize_ = new QCheckBox(text("Original size", "Orig. Groesse"), this);
    keepSize_->setObjectName(QStringLiteral("1382"));
    connect(keepSize_, &QCheckBox::toggled, this, [this](bool on) {
        width_->setEnabled(!on);
        height_->setEnabled(!on);
    });
    progress_ = new DownloadProgress(this);
    progress_->setTextVisible(false);
    status_ = new QLabel(QStringLiteral("Ok."), this);
    status_->setObjectName(QStringLiteral("1379"));
    zoom_ = new QLabel(text("ZOOM :", "ZOOM : "), this);
    zoom_->setObjectName(QStringLiteral("1383"));
}

QLayout* CWeatherDlg::sourceRows()
{
    QPushButton* automatic = button("1361", "Automatic", "Automatisch");
    connect(automatic, &QPushButton::clicked, this, &CWeatherDlg::Automatic);
    QPushButton* browseLocal = button("1063", "Browse", "Suchen");
    connect(browseLocal, &QPushButton::clicked, this, &CWeatherDlg::browseLocalFile);
    QPushButton* browseBack = button("1062", "Browse", "Suchen");
    connect(browseBack, &QPushButton::clicked, this, &CWeatherDlg::browseBackground);

    auto* source = new QGridLayout;
    source->addWidget(url_, 0, 0, 1, 3);
    source->addWidget(automatic, 0, 3);
    source->addWidget(new QLabel(text("Temp local file name", "Temp lokaler Dateiname"), this), 1, 0);
    source->addWidget(localFile_, 1, 1, 1, 2);
    source->addWidget(browseLocal, 1, 3);
    source->addWidget(new QLabel(text("Background Image ", "Hintergrund Bild"), this), 2, 0);
    source->addWidget(background_, 2, 1, 1, 2);
    source->addWidget(browseBack, 2, 3);
    return source;
}

QLayout* CWeatherDlg::pictureColumn(PictureSource& pictures)
{
    auto* placeholder = new QWidget(this);
    placeholder->setObjectName(QStringLiteral("1004"));
    placeholder->setFixedSize(320, 160);
    preview_ = new CImagePreview(pictures, ui_.messages, english_, zoom_, placeholder);
    preview_->setGeometry(placeholder->rect());
    preview_->setInteractive(true);

    auto* column = new QVBoxLayout;
    column->addWidget(placeholder);
    column->addWidget(zoom_);
    return column;
}

QLayout* CWeatherDlg::boundsGrid()
{
    auto* bounds = new QGridLayout;
    bounds->addWidget(new QLabel(QStringLiteral("LAT"), this), 0, 0);
    bounds->addWidget(startLat_, 0, 1);
    bounds->addWidget(new QLabel(QStringLiteral("LON"), this), 0, 2);
    bounds->addWidget(startLon_, 0, 3);
    bounds->addWidget(new QLabel(QStringLiteral("LAT"), this), 1, 0);
    bounds->addWidget(endLat_, 1, 1);
    bounds->addWidget(new QLabel(QStringLiteral("LON"), this), 1, 2);
    bounds->addWidget(endLon_, 1, 3);
    bounds->addWidget(keepSize_, 2, 0, 1, 4);
    bounds->addWidget(new QLabel(text("Width", "Weite"), this), 3, 0);
    bounds->addWidget(width_, 3, 1);
    bounds->addWidget(new QLabel(text("Height", "Hoehe"), this), 3, 2);
    bounds->addWidget(height_, 3, 3);
    return bounds;
}

QLayout* CWeatherDlg::actionColumn()
{
    QPushButton* preview = button("1362", "Preview", "Vorschau");
    connect(preview, &QPushButton::clicked, this, [this] { Preview(); });
    QPushButton* retrieve = button("3", "Retrieve Data", "Hole Daten");
    connect(retrieve, &QPushButton::clicked, this, [this] { RetrieveData(); });
    QPushButton* apply3d = button("1363", "Apply to 3D-View", "Zur 3D-Ansicht");
    connect(apply3d, &QPushButton::clicked, this, [this] { Apply(1); });
    QPushButton* apply2d = button("1364", "Apply to 2D-View", "Zur 2D-Ansicht");
    connect(apply2d, &QPushButton::clicked, this, [this] { Apply(0); });
    QPushButton* applyWdb = button("1365", "Apply to WDB-View", "Zur WDB-Ansicht");
    connect(applyWdb, &QPushButton::clicked, this, [this] { Apply(2); });

    auto* actions = new QVBoxLayout;
    for (QPushButton* b : {preview, retrieve, apply3d, apply2d, applyWdb})
        actions->addWidget(b);
    actions->addStretch(1);
    return actions;
}

QDialogButtonBox* CWeatherDlg::buttonBox()
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    cancel_ = buttons->button(QDialogButtonBox::Cancel);
    cancel_->setText(text("Cancel", "Abbrechen"));
    QPushButton* help = buttons->addButton(text("Help", "Hilfe"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("1366"));
    connect(help, &QPushButton::clicked, this, &CWeatherDlg::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &CWeatherDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CWeatherDlg::reject);
    return buttons;
}

// The URL list, the fields and the background picture as the dialog opens.
void CWeatherDlg::showStartValues()
{
    for (const QString& entry : values_.WeatherImage) {
        if (!entry.isEmpty())
            url_->addItem(entry);
    }
    if (url_->count() > 0)
        url_->setCurrentIndex(0);
    else
        url_->setEditText(values_.WeatherImageURL);
    // The URL is what the box shows, from the start on.
    values_.WeatherImageURL = url_->currentText();
    values_.WeatherTempFileName = MatchLocalFileExtension(values_.WeatherImageURL, values_.WeatherTempFileName);
    connect(url_, &QComboBox::currentTextChanged, this, &CWeatherDlg::urlChanged);
    showValues();
    keepSize_->setChecked(values_.WeatherKeepOriginalSize != 0);
    preview_->ShowFile(values_.WeatherBackgroundImage);
}

std::optional<WeatherSettings> CWeatherDlg::edit(const WeatherSettings& settings, UiServices& ui,
                                                 PictureSource& pictures, const DataPaths& paths, int language,
                                                 ApplyBitmap apply)
{
    CWeatherDlg dialog(settings, ui, pictures, paths, language, std::move(apply));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

QString CWeatherDlg::text(const char* english, const char* german) const
{
    return inLanguage(english_, english, german);
}

QLineEdit* CWeatherDlg::lineEdit(const char* id)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(id));
    return edit;
}

QPushButton* CWeatherDlg::button(const char* id, const char* english, const char* german)
{
    auto* b = new QPushButton(text(english, german), this);
    b->setObjectName(QString::fromLatin1(id));
    b->setAutoDefault(false);
    return b;
}

void CWeatherDlg::showValues()
{
    localFile_->setText(values_.WeatherTempFileName);
    background_->setText(values_.WeatherBackgroundImage);
    startLat_->setText(fields::realText(values_.WeatherStartLat));
    startLon_->setText(fields::realText(values_.WeatherStartLon));
    endLat_->setText(fields::realText(values_.WeatherEndLat));
    endLon_->setText(fields::realText(values_.WeatherEndLon));
    width_->setText(fields::integerText(values_.WeatherMapWidth));
    height_->setText(fields::integerText(values_.WeatherMapHeight));
}

bool CWeatherDlg::readFields()
{
    MessageBoxes& m = ui_.messages;
    const auto startLat = fields::readReal(*startLat_, kLatitudeField, m, english_);
    if (!startLat)
        return false;
    const auto startLon = fields::readReal(*startLon_, kLongitudeField, m, english_);
    if (!startLon)
        return false;
    const auto endLat = fields::readReal(*endLat_, kLatitudeField, m, english_);
    if (!endLat)
        return false;
    const auto endLon = fields::readReal(*endLon_, kLongitudeField, m, english_);
    if (!endLon)
        return false;
    const bool keep = keepSize_->isChecked();
    // A kept size is written by the preview, not typed: it is taken as it stands.
    std::optional<int> width = values_.WeatherMapWidth;
    std::optional<int> height = values_.WeatherMapHeight;
    if (!keep) {
        width = fields::readInteger(*width_, settingRange(&KivSettings::WeatherMapWidth), m, english_);
        if (!width)
            return false;
        height = fields::readInteger(*height_, settingRange(&KivSettings::WeatherMapHeight), m, english_);
        if (!height)
            return false;
    }
    values_.WeatherTempFileName = localFile_->text().trimmed();
    values_.WeatherBackgroundImage = background_->text().trimmed();
    values_.WeatherStartLat = *startLat;
    values_.WeatherStartLon = *startLon;
    values_.WeatherEndLat = *endLat;
    values_.WeatherEndLon = *endLon;
    values_.WeatherMapWidth = *width;
    values_.WeatherMapHeight = *height;
    values_.WeatherKeepOriginalSize = keep ? 1 : 0;
    return true;
}

void CWeatherDlg::urlChanged(const QString& url)
{
    values_.WeatherImageURL = url.trimmed();
    values_.WeatherTempFileName = MatchLocalFileExtension(values_.WeatherImageURL, localFile_->text().trimmed());
    localFile_->setText(values_.WeatherTempFileName);
}

void CWeatherDlg::Automatic()
{
    url_->setEditText(automaticWeatherUrl(weatherImageFolder(), ui_.clock.now()));
}

bool CWeatherDlg::Preview()
{
    if (!readFields())
        return false;
    const bool keep = values_.WeatherKeepOriginalSize != 0;
    const OverlayBounds bounds{.startLat = values_.WeatherStartLat,
                               .startLon = values_.WeatherStartLon,
                               .endLat = values_.WeatherEndLat,
                               .endLon = values_.WeatherEndLon};
    if (!preview_->LoadOverlay(values_.WeatherTempFileName, bounds, keep ? 0 : values_.WeatherMapWidth,
                               keep ? 0 : values_.WeatherMapHeight))
        return false;
    if (keep) {
        const QImage* composed = preview_->GetBitmapInfo();
        values_.WeatherMapWidth = composed->width();
        values_.WeatherMapHeight = composed->height();
        width_->setText(fields::integerText(values_.WeatherMapWidth));
        height_->setText(fields::integerText(values_.WeatherMapHeight));
    }
    return true;
}

// Only a composed picture goes to a view: when the preview could not compose one, nothing does.
void CWeatherDlg::Apply(int kind)
{
    if (!Preview())
        return;
    apply_(kind, preview_->DetachBitmap());
    Preview();
}

void CWeatherDlg::setBusy(bool busy)
{
    // Only Cancel stays: nothing may start a second transfer or change what this one uses.
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w != cancel_ && (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QComboBox*>(w) || w == preview_))
            w->setEnabled(!busy);
    }
    if (!busy) {
        width_->setEnabled(!keepSize_->isChecked());
        height_->setEnabled(!keepSize_->isChecked());
    }
}

bool CWeatherDlg::RetrieveData()
{
    if (progress_->running() || !readFields())
        return false;
    if (values_.WeatherTempFileName.isEmpty()) {
        ui_.messages.show({.caption = text("Weather data", "Wetter Daten"),
                           .text = text("Please give the local file name for the picture.",
                                        "Bitte geben Sie den lokalen Dateinamen für das Bild an."),
                           .buttons = MessageButtons::Ok,
                           .icon = MessageIcon::Exclamation});
        return false;
    }
    status_->setText(QStringLiteral("Loading."));
    status_->setToolTip(QString());
    setBusy(true);
    const QString target = paths_.writeTarget(values_.WeatherTempFileName);
    const HttpResult result =
        progress_->download(client_, values_.WeatherImageURL, target, downloads::picture(target, english_));
    setBusy(false);
    if (!result) {
        const QString reason = result.describe(english_);
        status_->setText(QStringLiteral("Failed"));
        status_->setToolTip(reason);
        // What the user can mend or should know of is told at once; a transfer that failed says
        // so in the status.
        using Outcome = HttpResult::Outcome;
        if (result.outcome == Outcome::Write || result.outcome == Outcome::BadUrl ||
            result.outcome == Outcome::TooLarge || result.outcome == Outcome::Rejected)
            ui_.messages.show(
                {.caption = text("Weather data", "Wetter Daten"),
                 .text = text("Could not download the picture:\n%1", "Das Bild konnte nicht geladen werden:\n%1")
                             .arg(reason),
                 .buttons = MessageButtons::Ok,
                 .icon = MessageIcon::Exclamation});
        return false;
    }
    progress_->setValue(0);
    status_->setText(QStringLiteral("Ok."));
    return Preview();
}

void CWeatherDlg::browseBackground()
{
    const std::optional<QString> path = ui_.files.openFile(
        {.title = text("Load new Background picture", "Lade neuen Hintergrund bild"),
         .filter =
             text("All supported Image files ", "Alle unterstuetzten Dateien ") + QString::fromLatin1(kPictureFilter),
         .defaultSuffix = QStringLiteral("bmp"),
         .initialPath = paths_.dialogStart(background_->text())});
    if (!path)
        return;
    values_.WeatherBackgroundImage = *path;
    background_->setText(*path);
    preview_->ShowFile(*path);
}

void CWeatherDlg::browseLocalFile()
{
    const std::optional<QString> path = ui_.files.saveFile(
        {.title = text("Specify location for picture on local drive.", "Stelle des heruntergeladenen bildes ?"),
         .filter =
             text("All supported Image files ", "Alle unterstuetzten Dateien ") + QString::fromLatin1(kPictureFilter),
         .defaultSuffix = QStringLiteral("jpg"),
         .initialPath = paths_.dialogStart(localFile_->text()),
         .confirmOverwrite = true});
    if (!path)
        return;
    values_.WeatherTempFileName = *path;
    localFile_->setText(*path);
}

void CWeatherDlg::Help()
{
    ui_.messages.show(helpBox(text("Help for the Weather Dialog", "Hilfe fuer den Wetter Dialog"),
                              texts::weatherHelp(english_), MessageIcon::Information));
}

void CWeatherDlg::accept()
{
    if (progress_->running() || !readFields())
        return;
    QDialog::accept();
}

void CWeatherDlg::reject()
{
    if (!progress_->cancel())
        QDialog::reject();
}

} // namespace kiv
