#include "dialogs/CSatDlg.h"

#include "dialogs/DialogTexts.h"
#include "dialogs/ElementFields.h"
#include "document/CKivDoc.h"
#include "document/FileMessages.h"
#include "platform/AtomicFileWriter.h"
#include "platform/DataPaths.h"
#include "platform/LanguageText.h"
#include "platform/Latin1.h"
#include "platform/Paragraphs.h"
#include "platform/ReadableFile.h"
#include "platform/UiServices.h"

#include <QBrush>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace kiv;

namespace {

constexpr int kRecordRole = Qt::UserRole;

QString real(double value) { return QString::number(value, 'g', 15); }
QString position(double value) { return QString::number(value, 'f', 4); }

// Why the file cannot be shown whole, in the language chosen; empty when it can.
QString unreadable(bool english, const QString& fileName, const ElementFileRecords& content)
{
    switch (content.stop) {
    case ElementFileRecords::Stop::End:
        return {};
    case ElementFileRecords::Stop::ReadError:
        return inLanguage(english, "The satellite data file %1 could not be read to its end.",
                          "Die Satellitendatei %1 konnte nicht bis zum Ende gelesen werden.")
            .arg(fileName);
    case ElementFileRecords::Stop::LongLine:
        return inLanguage(english,
                          "Line %2 of the satellite data file %1 is longer than %3 characters: it is no element file.",
                          "Zeile %2 der Satellitendatei %1 ist länger als %3 Zeichen: sie ist keine Elementdatei.")
            .arg(fileName, QString::number(content.longLine), QString::number(kElementFileMaxLine));
    case ElementFileRecords::Stop::TooLarge:
        return inLanguage(english,
                          "The satellite data file %1 holds more than %2 records or %3 MB; "
                          "this dialog shows no larger files.",
                          "Die Satellitendatei %1 enthält mehr als %2 Datensätze oder %3 MB; "
                          "größere Dateien zeigt dieser Dialog nicht.")
            .arg(fileName, QString::number(kElementFileMaxRecords),
                 QString::number(kElementFileMaxBytes / (1024 * 1024)));
    }
    return {};
}

// Control id, English and German label of each field, in the order shown.
struct FieldLabel {
    const char* id;
    const char* english;
    const char* german;
};
constexpr FieldLabel kFields[] = {
    {.id = "1115", .english = "Satellitenname", .german = "Satellitenname"},
    {.id = "1121", .english = "Satellite Nr.", .german = "Satelliten Nr."},
    {.id = "1102", .english = "Launch year", .german = "Start Jahr"},
    {.id = "1106", .english = "Launch of year", .german = "Start des Jahres"},
    {.id = "1119", .english = "Piece of launch", .german = "Stück des Startes"},
    {.id = "1123", .english = "Year", .german = "Jahr"},
    {.id = "1125", .english = "Day", .german = "Tag"},
    {.id = "1127", .english = "Piece of day", .german = "Teil des Tages"},
    {.id = "1149", .english = "Revolution at epoch", .german = "Umlauf bei 'Epoch'"},
    {.id = "1145", .english = "Revolution per day", .german = "Mittlere Umdrehungszahl je Tag"},
    {.id = "1129", .english = "Ballistic coefficient", .german = "Ballistischer Koeffizient"},
    {.id = "1131", .english = "Radiation pressure coeff.", .german = "Strahlungsdruck koeffizient"},
    {.id = "1133", .english = "Emphemeris type", .german = "Emphemeris typ"},
    {.id = "1134", .english = "Element number", .german = "Element nummer"},
    {.id = "1135", .english = "Inclination", .german = "Inklination"},
    {.id = "1136", .english = "Right ascending of right node", .german = "Right ascending of right node"},
    {.id = "1139", .english = "Eccentricity", .german = "Exzentrizität"},
    {.id = "1142", .english = "Argument of perigee", .german = "Erdnähe bei"},
    {.id = "1147", .english = "Mean anomaly", .german = "Mittlere Abweichung"},
    {.id = "1099", .english = "Westlerly Longitude °", .german = "Westliche Länge in °"},
    {.id = "1031", .english = "Northerly Lattitude °", .german = "Nördliche Breite in °"},
    {.id = "1033", .english = "Height in km", .german = "Höhe in km"},
};
constexpr std::size_t kPositionFields = 3; // the last three

} // namespace

CSatDlg::CSatDlg(CKivDoc& doc, ElementFileSnapshot file, QWidget* parent)
    : QDialog(parent), doc_(doc), english_(doc.Language == 1), file_(std::move(file))
{
    setWindowTitle(text("Satellitedatas", "Satellitendaten"));
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("1111"));
    tree_->setHeaderHidden(true);
    root_ = new QTreeWidgetItem(tree_, {doc.Satellitenfilename});
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { ShowRecord(item); });

    // The name, the fields of the epoch set and the present position, in that order.
    auto* form = new QFormLayout;
    auto* epoch = new QGroupBox(text("'Epoch' data from file", "'Epoch' Daten aus File"), this);
    auto* epochForm = new QFormLayout(epoch);
    auto* position = new QGroupBox(text("Actual position", "Aktuelle Position"), this);
    auto* positionForm = new QFormLayout(position);
    const std::size_t count = std::size(kFields);
    for (std::size_t i = 0; i < count; ++i) {
        QFormLayout* into = i == 0 ? form : i + kPositionFields < count ? epochForm : positionForm;
        into->addRow(text(kFields[i].english, kFields[i].german), field(kFields[i].id));
    }
    form->addRow(epoch);
    form->addRow(position);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(text("Cancel", "Abbruch"));
    QPushButton* remove = buttons->addButton(text("Delete", "Löschen"), QDialogButtonBox::ActionRole);
    remove->setObjectName(QStringLiteral("19"));
    QPushButton* info = buttons->addButton(QStringLiteral("Info"), QDialogButtonBox::HelpRole);
    info->setObjectName(QStringLiteral("22"));
    connect(remove, &QPushButton::clicked, this, &CSatDlg::OnDelete);
    connect(info, &QPushButton::clicked, this, &CSatDlg::showInfo);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSatDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* columns = new QHBoxLayout;
    columns->addWidget(tree_, 1);
    columns->addLayout(form);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
    fill();
}

// The records read as the root's children, those the loader refuses marked; nothing selected.
void CSatDlg::fill()
{
    const std::vector<ElementRecord>& records = file_.content.records;
    qDeleteAll(root_->takeChildren());
    for (const auto& field : fields_)
        field.second->clear();
    std::size_t firstRefused = 0;
    while (firstRefused < records.size() && refusedElementLine(records[firstRefused].lines) == 0)
        ++firstRefused;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ElementLines& r = records[i].lines;
        auto* record = new QTreeWidgetItem(root_, {QStringLiteral("%1 -> %2").arg(i + 1).arg(fromLatin1(r.name))});
        record->setData(0, kRecordRole, static_cast<int>(i));
        new QTreeWidgetItem(record, {fromLatin1(r.line1)});
        new QTreeWidgetItem(record, {fromLatin1(r.line2)});
        if (const QString why = refusal(i, firstRefused); !why.isEmpty()) {
            record->setToolTip(0, why);
            record->setForeground(0, QBrush(i == firstRefused ? Qt::red : Qt::gray));
        }
    }
    root_->setExpanded(true);
    modified_ = false;
}

std::optional<ElementFileSnapshot> CSatDlg::readRecords(CKivDoc& doc)
{
    const bool english = doc.Language == 1;
    ElementFileSnapshot file = ElementFileSnapshot::read(doc.Context().paths.resolve(doc.Satellitenfilename));
    QString problem;
    if (file.notRegular)
        problem = ReadableFile::notRegularText(doc.Satellitenfilename, english);
    else if (!file.opened)
        problem = inLanguage(english, "The satellite data file %1 could not be opened.",
                             "Die Satellitendatei %1 konnte nicht geöffnet werden.")
                      .arg(doc.Satellitenfilename);
    else
        problem = unreadable(english, doc.Satellitenfilename, file.content);
    if (problem.isEmpty())
        return file;
    doc.Context().ui.messages.show(
        {.caption = inLanguage(english, "Attention", "Achtung"),
         .text = problem + QLatin1Char('\n') +
                 inLanguage(english, "The file was not changed.", "Die Datei wurde nicht verändert."),
         .buttons = MessageButtons::Ok,
         .icon = MessageIcon::Exclamation});
    return std::nullopt;
}

bool CSatDlg::run(CKivDoc& doc)
{
    std::optional<ElementFileSnapshot> file = readRecords(doc);
    if (!file)
        return false;
    CSatDlg dialog(doc, std::move(*file));
    return dialog.exec() == QDialog::Accepted && dialog.Written();
}

QString CSatDlg::text(const char* english, const char* german) const { return inLanguage(english_, english, german); }

// Empty for a record the loader takes: those before the first refused one, up to its maximum.
QString CSatDlg::refusal(std::size_t record, std::size_t firstRefused) const
{
    const auto maximum = static_cast<std::size_t>(kMaxSatellites);
    if (record < firstRefused && record < maximum)
        return {};
    if (record == firstRefused && record < maximum) {
        const int line = refusedElementLine(file_.content.records[record].lines);
        return text("Not loaded: line %1 of the file does not begin with \"%2\".",
                    "Nicht geladen: Zeile %1 der Datei beginnt nicht mit \"%2\".")
            .arg(static_cast<qsizetype>(3 * record) + line)
            .arg(line - 1);
    }
    if (firstRefused < maximum)
        return text("Not loaded: loading stops at the faulty record %1.",
                    "Nicht geladen: das Laden endet beim fehlerhaften Datensatz %1.")
            .arg(firstRefused + 1);
    return text("Not loaded: only the first %1 records are loaded.",
                "Nicht geladen: nur die ersten %1 Datensätze werden geladen.")
        .arg(kMaxSatellites);
}

QLineEdit* CSatDlg::field(const char* id)
{
    auto* edit = new QLineEdit(this);
    edit->setReadOnly(true);
    edit->setObjectName(QString::fromLatin1(id));
    fields_[edit->objectName()] = edit;
    return edit;
}

void CSatDlg::show(const char* id, const QString& value) { fields_.at(QString::fromLatin1(id))->setText(value); }

QTreeWidgetItem* CSatDlg::recordOf(QTreeWidgetItem* item) const
{
    if (item && item->parent() && item->parent() != root_)
        item = item->parent();
    return item && item->parent() == root_ ? item : nullptr;
}

void CSatDlg::ShowRecord(QTreeWidgetItem* item)
{
    const QTreeWidgetItem* record = recordOf(item);
    if (!record)
        return;
    const ElementLines& r = file_.content.records[record->data(0, kRecordRole).toInt()].lines;
    const ElementFields f = decodeElementFields(r.line1, r.line2);
    show("1115", fromLatin1(r.name));
    show("1121", QString::number(f.SatelliteNumber));
    show("1102", QString::number(f.LaunchYear));
    show("1106", QString::number(f.LaunchNumber));
    show("1119", fromLatin1(f.LaunchPiece));
    show("1123", QString::number(f.EpochYear));
    show("1125", QString::number(f.EpochDay));
    show("1127", fromLatin1(f.EpochDayFraction));
    show("1149", QString::number(f.RevolutionNumber));
    show("1145", real(f.MeanMotion));
    show("1129", real(f.BallisticCoefficient));
    show("1131", real(f.RadiationPressure));
    show("1133", fromLatin1(f.EphemerisType));
    show("1134", QString::number(f.ElementNumber));
    show("1135", real(f.Inclination));
    show("1136", real(f.RightAscension));
    show("1139", real(f.Eccentricity));
    show("1142", real(f.ArgumentOfPerigee));
    show("1147", real(f.MeanAnomaly));
    // A set the orbit library cannot propagate leaves the last position on screen.
    if (const auto at = satellitePosition(r.name, r.line1, r.line2, doc_.SimTime.julianDate())) {
        show("1099", position(at->westLongitude));
        show("1031", position(at->latitude));
        show("1033", position(at->heightKm));
    }
}

void CSatDlg::OnDelete()
{
    QTreeWidgetItem* record = recordOf(tree_->currentItem());
    if (!record)
        return;
    const QString question =
        inLanguage(english_, "Attention, should I realy delete >%1< ???", "Achtung, soll >%1< wirklich gelösch werden ???");
    const MessageAnswer answer = doc_.Context().ui.messages.show(
        {.caption = QStringLiteral("Attention"),
         .text = question.arg(record->text(0)),
         .buttons = MessageButtons::YesNo,
         .icon = MessageIcon::Question});
    if (answer == MessageAnswer::Yes)
        delete record;
    modified_ = true;
    ShowRecord(tree_->currentItem());
}

void CSatDlg::accept()
{
    if (modified_ && !saveElementFile())
        return;
    written_ = modified_;
    QDialog::accept();
}

// The records left, in their order, each line as read and ended by LF; written whole or not at all,
// and only over the file that was read: the check runs under the writer's lock, so that another
// program's write just before is seen and one just after waits.
bool CSatDlg::saveElementFile()
{
    WriteResult result;
    bool changed = false;
    {
        AtomicFileWriter writer(doc_.Context().paths.writeTarget(doc_.Satellitenfilename));
        result = writer.open();
        changed = !file_.heldBy(doc_.Context().paths.resolve(doc_.Satellitenfilename));
        if (result && !changed) {
            std::string bytes;
            for (int i = 0; i < root_->childCount(); ++i)
                appendElementRecord(bytes, file_.content.records[root_->child(i)->data(0, kRecordRole).toInt()]);
            result = writer.append(bytes.data(), static_cast<qint64>(bytes.size()));
            if (result)
                result = writer.commit();
        }
    }
    if (changed) {
        showChangedFile();
        return false;
    }
    if (!result)
        doc_.Context().ui.messages.show(fileMessages::couldNotWrite(english_, result));
    return result.ok;
}

// Shows the file afresh and tells the user that it changed, with the fresh records behind the box;
// the deletions made so far are gone with the old copy. A file that can no longer be read is said
// so by the reader and stays shown as it was.
void CSatDlg::showChangedFile()
{
    std::optional<ElementFileSnapshot> fresh = readRecords(doc_);
    if (!fresh)
        return;
    file_ = std::move(*fresh);
    fill();
    doc_.Context().ui.messages.show(
        {.caption = text("Attention", "Achtung"),
         .text = text("The satellite data file %1 was changed by another program while this dialog was open.\n"
                      "Nothing was written; the dialog now shows the file as it is.",
                      "Die Satellitendatei %1 wurde von einem anderen Programm geändert, während dieser Dialog "
                      "offen war.\nEs wurde nichts geschrieben; der Dialog zeigt die Datei jetzt, wie sie ist.")
                     .arg(doc_.Satellitenfilename),
         .buttons = MessageButtons::Ok,
         .icon = MessageIcon::Exclamation});
}

void CSatDlg::showInfo()
{
    doc_.Context().ui.messages.show(
        helpBox(QStringLiteral("Info"), texts::satelliteDataInfo(english_), MessageIcon::Information));
}
