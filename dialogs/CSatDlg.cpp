#include "dialogs/CSatDlg.h"

#include "dialogs/DialogTexts.h"
#include "dialogs/ElementFields.h"
#include "document/CKivDoc.h"
#include "document/FileMessages.h"
#include "platform/AtomicFile.h"
#include "platform/DataPaths.h"
#include "platform/Latin1.h"
#include "platform/UiServices.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace kiv;

namespace {

constexpr int kRecordRole = Qt::UserRole;

QString real(double value) { return QString::number(value, 'g', 15); }

// Control id, English and German label of each field, in the order shown.
struct FieldLabel {
    const char* id;
    const char* english;
    const char* german;
};
constexpr FieldLabel kFields[] = {
    {"1115", "Satellitenname", "Satellitenname"},
    {"1121", "Satellite Nr.", "Satelliten Nr."},
    {"1102", "Launch year", "Start Jahr"},
    {"1106", "Launch of year", "Start des Jahres"},
    {"1119", "Piece of launch", "Stück des Startes"},
    {"1123", "Year", "Jahr"},
    {"1125", "Day", "Tag"},
    {"1127", "Piece of day", "Teil des Tages"},
    {"1149", "Revolution at epoch", "Umlauf bei 'Epoch'"},
    {"1145", "Revolution per day", "Mittlere Umdrehungszahl je Tag"},
    {"1129", "Ballistic coefficient", "Ballistischer Koeffizient"},
    {"1131", "Radiation pressure coeff.", "Strahlungsdruck koeffizient"},
    {"1133", "Emphemeris type", "Emphemeris typ"},
    {"1134", "Element number", "Element nummer"},
    {"1135", "Inclination", "Inklination"},
    {"1136", "Right ascending of right node", "Right ascending of right node"},
    {"1139", "Eccentricity", "Exzentrizität"},
    {"1142", "Argument of perigee", "Erdnähe bei"},
    {"1147", "Mean anomaly", "Mittlere Abweichung"},
    {"1099", "Westlerly Longitude °", "Westliche Länge in °"},
    {"1031", "Northerly Lattitude °", "Nördliche Breite in °"},
    {"1033", "Height in km", "Höhe in km"},
};

} // namespace

CSatDlg::CSatDlg(CKivDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), english_(doc.Language == 1),
      records_(doc.SatelliteLines.begin(), doc.SatelliteLines.begin() + doc.SatelliteCount)
{
    setWindowTitle(text("Satellitedatas", "Satellitendaten"));
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("1111"));
    tree_->setHeaderHidden(true);
    root_ = new QTreeWidgetItem(tree_, {doc.Satellitenfilename});
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const ElementLines& r = records_[i];
        auto* record = new QTreeWidgetItem(root_, {QStringLiteral("%1 -> %2").arg(i + 1).arg(fromLatin1(r.name))});
        record->setData(0, kRecordRole, static_cast<int>(i));
        new QTreeWidgetItem(record, {fromLatin1(r.line1)});
        new QTreeWidgetItem(record, {fromLatin1(r.line2)});
    }
    root_->setExpanded(true);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { ShowRecord(item); });

    auto* form = new QFormLayout;
    for (const FieldLabel& f : kFields)
        form->addRow(text(f.english, f.german), field(f.id));

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
}

bool CSatDlg::run(CKivDoc& doc)
{
    CSatDlg dialog(doc);
    return dialog.exec() == QDialog::Accepted && dialog.Written();
}

QString CSatDlg::text(const char* english, const char* german) const
{
    return english_ ? QString::fromUtf8(english) : QString::fromUtf8(german);
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
    const ElementLines& r = records_[static_cast<std::size_t>(record->data(0, kRecordRole).toInt())];
    const ElementFields f = decodeElementFields(r.line1, r.line2);
    show("1115", fromLatin1(r.name));
    show("1121", QString::number(f.SatelliteNumber));
    show("1102", QString::number(f.LaunchYear));
    show("1106", QString::number(f.LaunchNumber));
    show("1119", fromLatin1(f.LaunchPiece));
    show("1123", QString::number(f.EpochYear));
    show("1125", QString::number(f.EpochDay));
    show("1127", real(f.EpochDayFraction));
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
        show("1099", real(at->westLongitude));
        show("1031", real(at->latitude));
        show("1033", QString::number(at->heightKm, 'g', 6));
    }
}

void CSatDlg::OnDelete()
{
    QTreeWidgetItem* record = recordOf(tree_->currentItem());
    if (!record)
        return;
    const QString question = english_ ? QStringLiteral("Attention, should I realy delete >%1< ???")
                                      : QStringLiteral("Achtung, soll >%1< wirklich gelösch werden ???");
    const MessageAnswer answer = doc_.Context().ui.messages.show(
        {QStringLiteral("Attention"), question.arg(record->text(0)), MessageButtons::YesNo, MessageIcon::Question});
    if (answer == MessageAnswer::Yes)
        delete record;
    modified_ = true;
    ShowRecord(tree_->currentItem());
}

void CSatDlg::accept()
{
    if (modified_)
        written_ = saveElementFile();
    QDialog::accept();
}

// The records left, in their order, each line ended by LF; written whole or not at all.
bool CSatDlg::saveElementFile()
{
    QByteArray bytes;
    for (int i = 0; i < root_->childCount(); ++i) {
        const ElementLines& r = records_[static_cast<std::size_t>(root_->child(i)->data(0, kRecordRole).toInt())];
        for (const std::string* line : {&r.name, &r.line1, &r.line2})
            bytes.append(line->data(), static_cast<qsizetype>(line->size())).append('\n');
    }
    const QString target = doc_.Context().paths.writeTarget(doc_.Satellitenfilename);
    const WriteResult result = AtomicFile::write(target, bytes);
    if (!result)
        doc_.Context().ui.messages.show(fileMessages::couldNotWrite(english_, target, result));
    return result.ok;
}

void CSatDlg::showInfo()
{
    doc_.Context().ui.messages.show(
        {QStringLiteral("Info"), texts::satelliteDataInfo(english_), MessageButtons::Ok, MessageIcon::Information});
}
