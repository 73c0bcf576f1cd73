#pragma once
// The part the two satellite style dialogs share: the list of the loaded satellites with their
// "X" shown marks, and the route, beam and satellite colours of the chosen one in swatches with
// their Browse buttons and the default colours. Rows are the document's slots, so a row always
// names a slot. Where a colour goes is the dialog's business (setColor).

#include "document/ElementFile.h"
#include "platform/ColorRef.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>

class QTreeWidget;

namespace kiv {
class ColorSwatch;
struct UiServices;

using ShownFlags = std::array<int, kMaxSatellites>;

class SatelliteColorPanel : public QWidget {
public:
    // kind: 0 route, 1 beam, 2 satellite.
    using ColorOf = std::function<COLORREF(int slot, int kind)>;
    using SetColor = std::function<void(int slot, int kind, COLORREF color)>;

    SatelliteColorPanel(const QStringList& names, const ShownFlags& shown, ColorOf colorOf, SetColor setColor,
                        UiServices& ui, bool english, QWidget* parent = nullptr);

    const ShownFlags& shown() const { return shown_; }
    // The focused row, or -1.
    int chosenSlot() const;
    // A click on a row: its "X" and shown flag flip, the swatches show its colours.
    void OnClickList(int row);
    // The colour dialog for colour `kind` of the chosen satellite.
    void OnBrowse(int kind);
    // The chosen satellite's colours from the default table: beam, route, then satellite.
    void OnDefaultColors();
    // The swatches show the slot's colours.
    void UpdateSwatches(int slot);

    // Called with the chosen slot (or -1) whenever the choice changes.
    std::function<void(int slot)> onChosen;

private:
    bool haveChoice();

    ShownFlags shown_;
    ColorOf colorOf_;
    SetColor setColor_;
    UiServices& ui_;
    bool english_;
    QTreeWidget* list_;
    std::array<ColorSwatch*, 3> swatches_{}; // by kind
};

} // namespace kiv
