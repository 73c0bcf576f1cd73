#include "dialogs/SatelliteColorPanel.h"

#include "dialogs/DialogControls.h"
#include "document/ColorTableFile.h"
#include "platform/ColorSwatch.h"
#include "platform/LanguageText.h"
#include "platform/UiServices.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>

namespace kiv {

SatelliteColorPanel::SatelliteColorPanel(const QStringList& names, const ShownFlags& shown, ColorOf colorOf,
                                         SetColor setColor, UiServices& ui, bool english, QWidget* parent)
    : QWidget(parent), shown_(shown), colorOf_(std::move(colorOf)), setColor_(std::move(setColor)), ui_(ui),
      english_(english)
{
    list_ = controls::satelliteList(
        names.mid(0, kMaxSatellites), [this](int row) { return shown_[row] != 0; },
        [this](int row) { OnClickList(row); }, this);

    // Swatches in the order Sat, Route, Beam, Default, each with its button below.
    struct Column {
        const char* caption;
        const char* swatchId;
        const char* buttonId;
        int kind; // -1: the default colours
    };
    constexpr Column kColumns[] = {{.caption = "Color Sat", .swatchId = "1175", .buttonId = "1063", .kind = 2},
                                   {.caption = "Color Route", .swatchId = "1176", .buttonId = "1071", .kind = 0},
                                   {.caption = "Color Beam", .swatchId = "1179", .buttonId = "1067", .kind = 1},
                                   {.caption = "Color Default", .swatchId = "1181", .buttonId = "1075", .kind = -1}};
    auto* swatchGrid = new QGridLayout;
    for (int c = 0; c < 4; ++c) {
        const Column& column = kColumns[c];
        auto* swatch = new ColorSwatch(QString::fromLatin1(column.caption), this);
        swatch->setObjectName(QString::fromLatin1(column.swatchId));
        auto* button = new QPushButton(column.kind < 0 ? QStringLiteral("Colors") : QStringLiteral("Browse"), this);
        button->setObjectName(QString::fromLatin1(column.buttonId));
        const int kind = column.kind;
        if (kind < 0) {
            connect(button, &QPushButton::clicked, this, &SatelliteColorPanel::OnDefaultColors);
        } else {
            swatches_[kind] = swatch;
            connect(button, &QPushButton::clicked, this, [this, kind] { OnBrowse(kind); });
        }
        swatchGrid->addWidget(swatch, 0, c);
        swatchGrid->addWidget(button, 1, c);
    }

    connect(list_, &QTreeWidget::currentItemChanged, this, [this] {
        if (onChosen)
            onChosen(chosenSlot());
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    layout->addLayout(swatchGrid);
}

int SatelliteColorPanel::chosenSlot() const
{
    QTreeWidgetItem* item = list_->currentItem();
    const int row = item ? list_->indexOfTopLevelItem(item) : -1;
    return row >= 0 && row < kMaxSatellites ? row : -1;
}

void SatelliteColorPanel::OnClickList(int row)
{
    if (row < 0 || row >= list_->topLevelItemCount() || row >= kMaxSatellites)
        return;
    QTreeWidgetItem* item = list_->topLevelItem(row);
    list_->setCurrentItem(item);
    int& shown = shown_[row];
    shown = item->text(controls::kMarkColumn) == controls::mark(true) ? 0 : 1;
    item->setText(controls::kMarkColumn, controls::mark(shown != 0));
    UpdateSwatches(row);
}

void SatelliteColorPanel::UpdateSwatches(int slot)
{
    for (int kind = 0; kind < 3; ++kind)
        swatches_[kind]->setColor(colorOf_(slot, kind));
}

bool SatelliteColorPanel::haveChoice()
{
    if (chosenSlot() >= 0)
        return true;
    ui_.messages.show(
        {.caption = inLanguage(english_, "Attention", "Achtung"),
         .text = inLanguage(english_, "You must first choose the satellite, befor you can change the color.",
                            "Sie müssen zuerst den Satelliten auswählen, dessen Farbe sie ändern möchten"),
         .buttons = MessageButtons::Ok,
         .icon = MessageIcon::Information});
    return false;
}

void SatelliteColorPanel::OnBrowse(int kind)
{
    if (!haveChoice())
        return;
    const int slot = chosenSlot();
    const std::optional<std::uint32_t> chosen =
        ui_.colors.chooseColor(colorOf_(slot, kind), swatches_[kind]->caption());
    if (!chosen)
        return;
    setColor_(slot, kind, *chosen);
    UpdateSwatches(slot);
}

void SatelliteColorPanel::OnDefaultColors()
{
    if (!haveChoice())
        return;
    const int slot = chosenSlot();
    const SlotColors& defaults = defaultSlotColors()[slot];
    for (const int kind : {1, 0, 2})
        setColor_(slot, kind, defaults[kind]);
    UpdateSwatches(slot);
}

} // namespace kiv
