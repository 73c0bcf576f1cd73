#include "dialogs/CAllgDlg.h"

#include "dialogs/DialogTexts.h"
#include "dialogs/NumberFields.h"
#include "platform/DataPaths.h"
#include "platform/LanguageText.h"
#include "platform/Paragraphs.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kiv {

namespace {
// The view angle as typed: up to a full 180 degrees, stored just below by the command.
constexpr SettingRange kViewAngle{0, 180};
} // namespace

CAllgDlg::CAllgDlg(const GeneralOptions& options, UiServices& ui, const DataPaths& paths, int language,
                   QWidget* parent)
    : QDialog(parent), values_(options), ui_(ui), paths_(paths), english_(language == 1)
{
    setWindowTitle(text("General options", "Optionen allgemein"));
    stars_ = numberEdit("1053");
    accuracyX_ = numberEdit("1054");
    accuracyY_ = numberEdit("1055");
    frameWidth_ = numberEdit("1057");
    beamAngle_ = numberEdit("1090");
    reflections_ = numberEdit("1086");
    stars_->setText(fields::integerText(options.Sterne));
    accuracyX_->setText(fields::integerText(options.AccuracyX));
    accuracyY_->setText(fields::integerText(options.AccuracyY));
    fields::showReal(*frameWidth_, options.AutoExtendX, settingRange(&KivSettings::AutoExtendX));
    fields::showReal(*beamAngle_, options.BeamAngle, kViewAngle);
    reflections_->setText(fields::integerText(options.NrOfOcularReflections));
    for (QLineEdit* e : {accuracyX_, beamAngle_})
        connect(e, &QLineEdit::textEdited, this, [this] { values_.ReloadNeeded = 1; });

    colorTable_ = fileEdit("1074", options.ColorTableFileName, false);
    elementFile_ = fileEdit("1070", options.Satellitenfilename, true);
    iconFile_ = fileEdit("1079", options.IconFileName, false);

    exact_ = new QCheckBox(text("Calculate exact satellitebeam", "Satellitenbeam exakt berechnen"), this);
    exact_->setObjectName(QStringLiteral("1182"));
    exact_->setChecked(options.CalculateExact != 0);
    connect(exact_, &QCheckBox::clicked, this, [this] { values_.ReloadNeeded = 1; });
    arrange_ = new QCheckBox(text("Automatically place windows", "Fenster automatisch anordnen "), this);
    arrange_->setObjectName(QStringLiteral("1184"));
    arrange_->setChecked(options.AutoArrangeWindows != 0);

    auto* approximation = new QHBoxLayout;
    approximation->addWidget(new QLabel(QStringLiteral("X :"), this));
    approximation->addWidget(accuracyX_);
    approximation->addWidget(new QLabel(QStringLiteral("Y :"), this));
    approximation->addWidget(accuracyY_);

    auto* form = new QFormLayout;
    form->addRow(text("Number of the background stars", "Anzahl der Hintergrundsterne"), stars_);
    form->addRow(text("Sphereapproximation", "Kugelapproximation"), approximation);
    form->addRow(text("X size in %", "X in %"), frameWidth_);
    form->addRow(text("Viewangle of the satellites", "Abstrahlwinkel der Satelliten"), beamAngle_);
    form->addRow(text("Number of Ocularreflections", "Anzahl der Sonnenreflektionen"), reflections_);
    form->addRow(exact_);
    form->addRow(arrange_);
    form->addRow(text("Colortablefilename", "Farbtabellenfilename"),
                 browseRow(colorTable_, "1044", QStringLiteral("Colortablename"),
                           QStringLiteral("Colortabele (*.clr) (*.CLR *.clr)")));
    form->addRow(text("Satellite data file", "Satelliten datenfile"),
                 browseRow(elementFile_, "1008", QStringLiteral("Satellite-data-file"),
                           QStringLiteral("Satellite database (*.sat & *.tle) (*.TLE *.tle *.SAT *.sat)")));
    form->addRow(text("Icon Informatios", "Icon Informationen"),
                 browseRow(iconFile_, "1009", QStringLiteral("Icon-data-file"),
                           QStringLiteral("Satellite database (*.sin) (*.SIN *.sin)")));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(text("Cancel", "Abbruch"));
    QPushButton* info = buttons->addButton(QStringLiteral("I N F O"), QDialogButtonBox::HelpRole);
    info->setObjectName(QStringLiteral("1042"));
    connect(info, &QPushButton::clicked, this, &CAllgDlg::showInfo);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAllgDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

std::optional<GeneralOptions> CAllgDlg::edit(const GeneralOptions& options, UiServices& ui, const DataPaths& paths,
                                             int language)
{
    CAllgDlg dialog(options, ui, paths, language);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

QString CAllgDlg::text(const char* english, const char* german) const
{
    return inLanguage(english_, english, german);
}

QLineEdit* CAllgDlg::numberEdit(const char* id)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(id));
    return edit;
}

QLineEdit* CAllgDlg::fileEdit(const char* id, const QString& name, bool needsReload)
{
    auto* edit = new QLineEdit(name, this);
    edit->setObjectName(QString::fromLatin1(id));
    if (needsReload)
        connect(edit, &QLineEdit::textEdited, this, [this] { values_.ReloadNeeded = 1; });
    return edit;
}

QWidget* CAllgDlg::browseRow(QLineEdit* edit, const char* buttonId, const QString& title, const QString& filter)
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* button = new QPushButton(text("Browse", "Suchen"), row);
    button->setObjectName(QString::fromLatin1(buttonId));
    connect(button, &QPushButton::clicked, this, [this, edit, title, filter] { browse(*edit, title, filter); });
    layout->addWidget(edit);
    layout->addWidget(button);
    return row;
}

void CAllgDlg::browse(QLineEdit& edit, const QString& title, const QString& filter)
{
    if (const std::optional<QString> path = ui_.files.openFile({.title = title,
                                                                .filter = filter,
                                                                .defaultSuffix = QString(),
                                                                .initialPath = paths_.dialogStart(edit.text())}))
        edit.setText(*path);
    values_.ReloadNeeded = 1;
}

bool CAllgDlg::readNumbers()
{
    MessageBoxes& m = ui_.messages;
    const auto stars = fields::readInteger(*stars_, settingRange(&KivSettings::Sterne), m, english_);
    if (!stars)
        return false;
    const auto x = fields::readInteger(*accuracyX_, settingRange(&KivSettings::AccuracyX), m, english_);
    if (!x)
        return false;
    const auto y = fields::readInteger(*accuracyY_, settingRange(&KivSettings::AccuracyY), m, english_);
    if (!y)
        return false;
    const auto width = fields::readReal(*frameWidth_, settingRange(&KivSettings::AutoExtendX), m, english_);
    if (!width)
        return false;
    const auto angle = fields::readReal(*beamAngle_, kViewAngle, m, english_);
    if (!angle)
        return false;
    const auto reflections =
        fields::readInteger(*reflections_, settingRange(&KivSettings::NrOfOcularReflections), m, english_);
    if (!reflections)
        return false;
    values_.Sterne = *stars;
    values_.AccuracyX = *x;
    values_.AccuracyY = *y;
    values_.AutoExtendX = static_cast<float>(*width);
    values_.BeamAngle = static_cast<float>(*angle);
    values_.NrOfOcularReflections = *reflections;
    return true;
}

void CAllgDlg::accept()
{
    if (!readNumbers())
        return;
    values_.ColorTableFileName = colorTable_->text();
    values_.Satellitenfilename = elementFile_->text();
    values_.IconFileName = iconFile_->text();
    values_.CalculateExact = exact_->isChecked() ? 1 : 0;
    values_.AutoArrangeWindows = arrange_->isChecked() ? 1 : 0;
    QDialog::accept();
}

void CAllgDlg::showInfo()
{
    ui_.messages.show(helpBox(QStringLiteral("Info"), texts::generalInfo(english_), MessageIcon::Information));
}

} // namespace kiv
