#include "views2d/CGotoDlg.h"

#include "document/CKivDoc.h"
#include "document/FileMessages.h"
#include "document/TimerBracket.h"
#include "document/TownFile.h"
#include "platform/ClientAreaDrag.h"
#include "platform/DataPaths.h"
#include "platform/LanguageText.h"
#include "platform/Paragraphs.h"
#include "platform/UiServices.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace kiv;

namespace {

struct Column {
    const char* en;
    const char* de;
    int width;
};
constexpr Column kColumns[] = {
    {.en = "Townname", .de = "Ortsname", .width = 200},
    {.en = "Northerly Lattitude", .de = "Nördliche Breite", .width = 90},
    {.en = "Westerly Longitude", .de = "Westliche Länge", .width = 90},
    {.en = "Population", .de = "Einwohner", .width = 96},
    {.en = "Year", .de = "Jahr", .width = 0},
    {.en = "ID", .de = "ID", .width = 0},
};

QString fieldErrorText(bool english, TownFieldError error)
{
    switch (error) {
    case TownFieldError::Latitude:
        return inLanguage(english, "The latitude must be a number of degrees from -90 to 90.",
                   "Die Breite muss eine Zahl von -90 bis 90 Grad sein.");
    case TownFieldError::Longitude:
        return inLanguage(english, "The longitude must be a number of degrees from -180 to 180 (west positive).",
                   "Die Länge muss eine Zahl von -180 bis 180 Grad sein (West positiv).");
    case TownFieldError::Population:
        return inLanguage(english, "The population must be a whole number of 0 or more.",
                   "Die Einwohnerzahl muss eine ganze Zahl ab 0 sein.");
    case TownFieldError::Country:
        return inLanguage(english, "The country must not contain ',' or ';', nor letters outside Western European (Latin-1).",
                   "Das Land darf weder ',' noch ';' noch Zeichen außerhalb von Westeuropäisch (Latin-1) enthalten.");
    case TownFieldError::Name:
        return inLanguage(english, "The town name must not contain ',' or ';', nor letters outside Western European (Latin-1).",
                   "Der Stadtname darf weder ',' noch ';' noch Zeichen außerhalb von Westeuropäisch (Latin-1) enthalten.");
    case TownFieldError::NoName:
        return inLanguage(english, "Please type the town's name first.", "Bitte zuerst den Stadtnamen eingeben.");
    case TownFieldError::None:
        break;
    }
    return {};
}

} // namespace

CGotoDlg::CGotoDlg(CKivDoc& doc, QWidget* parent) : QDialog(parent), doc_(doc), towns_(doc.SmalTowns)
{
    const bool en = english();
    setWindowTitle(inLanguage(en, "Go to the specified coordinates", "Gehe zu den Ortskoordinaten"));

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("1098"));
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setColumnCount(6);
    QStringList headers;
    for (const Column& c : kColumns)
        headers << inLanguage(en, c.en, c.de);
    list_->setHeaderLabels(headers);
    for (int c = 0; c < 6; ++c) {
        list_->headerItem()->setTextAlignment(c, Qt::AlignCenter);
        // The standard widths, or the title's where the font needs more.
        list_->setColumnWidth(c, std::max(kColumns[c].width, list_->header()->sectionSizeHint(c)));
    }
    list_->setColumnHidden(4, true);
    list_->setColumnHidden(5, true);
    list_->setMinimumWidth(500);
    connect(list_, &QTreeWidget::itemClicked, this, &CGotoDlg::OnClickList);

    auto* fields = new QFormLayout;
    country_ = addEdit(1104);
    population_ = addEdit(1108);
    name_ = addEdit(1101);
    longitude_ = addEdit(1099);
    latitude_ = addEdit(1031);
    count_ = addEdit(1117);
    count_->setReadOnly(true);
    fields->addRow(inLanguage(en, "Country", "Land"), country_);
    fields->addRow(inLanguage(en, "Population", "Einwohnerzahl"), population_);
    fields->addRow(inLanguage(en, "Townname", "Stadtname"), name_);
    fields->addRow(inLanguage(en, "Westerly Longitude in °", "Westliche Länge in °"), longitude_);
    fields->addRow(inLanguage(en, "Northerly Lattitude in °", "Nördliche Breite in °"), latitude_);
    fields->addRow(inLanguage(en, "Nr Of Stored Records", "Nr der gespeicherten Staedte"), count_);
    connect(country_, &QLineEdit::textEdited, this, &CGotoDlg::OnCountryEdited);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(inLanguage(en, "Cancel", "Abbruch"));
    const auto addButton = [&](int id, const QString& text, void (CGotoDlg::*slot)()) {
        QPushButton* b = buttons->addButton(text, QDialogButtonBox::ActionRole);
        b->setObjectName(QString::number(id));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
    };
    addButton(16, inLanguage(en, "Add", "Hinzufügen"), &CGotoDlg::OnAdd);
    addButton(19, inLanguage(en, "Delete", "Löschen"), &CGotoDlg::OnDelete);
    addButton(22, QStringLiteral("Info"), &CGotoDlg::OnInfo);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGotoDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(fields);
    layout->addWidget(buttons);

    dragByClientArea(this);
    buildList();
    if (list_->topLevelItemCount() > 0)
        list_->scrollToItem(list_->topLevelItem(0));
}

bool CGotoDlg::english() const { return doc_.Language != 0; }

QLineEdit* CGotoDlg::addEdit(int id)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::number(id));
    return edit;
}

void CGotoDlg::buildList()
{
    list_->clear();
    for (int row = 0; row < towns_.size(); ++row) {
        list_->addTopLevelItem(new QTreeWidgetItem);
        fillRow(row);
    }
    count_->setText(QString::number(towns_.size()));
}

void CGotoDlg::fillRow(int row)
{
    const tagTOWN& town = towns_.at(row);
    const TownFields f = towns_.fieldsOf(row);
    QTreeWidgetItem* item = list_->topLevelItem(row);
    const QString texts[] = {TownList::rowText(town), f.latitude, f.westLongitude, f.population,
                             QString::number(town.year), QString::number(town.extra)};
    for (int c = 0; c < 6; ++c) {
        item->setText(c, texts[c]);
        item->setTextAlignment(c, Qt::AlignCenter);
    }
}

void CGotoDlg::selectRow(int row)
{
    QTreeWidgetItem* item = list_->topLevelItem(row);
    list_->setCurrentItem(item);
    list_->scrollToItem(item);
    list_->setFocus();
}

void CGotoDlg::showFields(const TownFields& fields)
{
    country_->setText(fields.country);
    name_->setText(fields.name);
    latitude_->setText(fields.latitude);
    longitude_->setText(fields.westLongitude);
    population_->setText(fields.population);
}

TownFields CGotoDlg::typedFields() const
{
    return {.country = country_->text(),
            .name = name_->text(),
            .latitude = latitude_->text(),
            .westLongitude = longitude_->text(),
            .population = population_->text()};
}

void CGotoDlg::showFieldError(TownFieldError error)
{
    doc_.Context().ui.messages.show({.caption = inLanguage(english(), "Go to", "Gehe zu"),
                                     .text = fieldErrorText(english(), error),
                                     .buttons = MessageButtons::Ok,
                                     .icon = MessageIcon::Exclamation});
}

void CGotoDlg::OnClickList()
{
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0)
        return;
    TownText = TownList::rowText(towns_.at(row));
    showFields(towns_.fieldsOf(row));
}

void CGotoDlg::OnCountryEdited(const QString& text)
{
    if (const std::optional<int> row = towns_.findPrefix(text))
        list_->scrollToItem(list_->topLevelItem(*row), QAbstractItemView::PositionAtTop);
}

void CGotoDlg::OnAdd()
{
    const TownList::AddResult added = towns_.add(typedFields());
    if (!added.row) {
        showFieldError(added.error);
        return;
    }
    list_->insertTopLevelItem(*added.row, new QTreeWidgetItem);
    fillRow(*added.row);
    count_->setText(QString::number(towns_.size()));
    selectRow(*added.row);
}

void CGotoDlg::OnDelete()
{
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (!towns_.remove(row))
        return;
    delete list_->takeTopLevelItem(row);
    count_->setText(QString::number(towns_.size()));
}

void CGotoDlg::OnInfo()
{
    const QString text =
        inLanguage(english(),
                   "You can choose a town, which will be displayed.\nYou can add or remove towns as well.\n\n"
                   "To add a town, you first have to type in the datas and then\npress the >Add< button. "
                   "The datas will be sorted and can be\nfound at the appropriate position.",
                   "Sie können eine Stadt auswählen, die dann im Programm dargestellt wird.\nErlaubt ist "
                   "ebenfalls das hinzufügen und entfernen von Städtedaten.\n\nZum hinzufügen müssen "
                   "zuerst die Daten eingegeben, und anschließend\nauf >Hinzufügen< gedrückt werden. "
                   "Die Daten werden sofort sortiert und\nsind an der entsprechenden Stelle wieder zu "
                   "finden.");
    doc_.Context().ui.messages.show(helpBox(QStringLiteral("Info"), text, MessageIcon::Information));
}

void CGotoDlg::accept()
{
    const std::optional<double> lat = parseLatitude(latitude_->text());
    const std::optional<double> westLon = parseWestLongitude(longitude_->text());
    if (!lat || !westLon) {
        showFieldError(lat ? TownFieldError::Longitude : TownFieldError::Latitude);
        return;
    }
    if (towns_.modified() && !saveTowns())
        return; // the message said why; the edits stay, to save again or cancel
    Latitude = *lat;
    WestLongitude = *westLon;
    QDialog::accept();
}

void CGotoDlg::reject()
{
    if (towns_.modified())
        saveTowns(); // a failure was told; the dialog goes, as Cancel asks
    QDialog::reject();
}

bool CGotoDlg::saveTowns()
{
    const DocumentContext& context = doc_.Context();
    const WriteResult written = saveTownFile(context.paths.writeTarget(doc_.WDBSmalTowns), towns_.towns());
    if (!written) {
        context.ui.messages.show(fileMessages::couldNotWrite(english(), written));
        return false;
    }
    doc_.SmalTowns.assign(towns_.towns().begin(), towns_.towns().end());
    doc_.SmalTownCount = towns_.size();
    return true;
}

namespace kiv {

std::optional<GoToPlace> chooseGoToPlace(CKivDoc& doc, QWidget* parent)
{
    TimerBracket bracket(doc);
    doc.LoadTowns();
    CGotoDlg dialog(doc, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return GoToPlace{.latitude = dialog.Latitude, .westLongitude = dialog.WestLongitude, .townText = dialog.TownText};
}

std::optional<GoToPlace> runGoTo(CKivDoc& doc, QWidget* parent)
{
    std::optional<GoToPlace> place = chooseGoToPlace(doc, parent);
    if (!place)
        return std::nullopt;
    if (doc.Show3D && doc.Views.world())
        doc.Views.world()->LookAt(place->latitude, place->westLongitude, 35.0);
    // Stored crossed, as the globe reads them at its start.
    doc.ActualLatitude = static_cast<float>(place->westLongitude);
    doc.ActualLongitude = static_cast<float>(place->latitude);
    return place;
}

} // namespace kiv
