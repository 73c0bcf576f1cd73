#pragma once
// "World Database Layer Dialog": a tabbed sheet over a WDBLayerSettings. Pages General, BDY,
// CIL, RIV, PBY, Grid and Towns; "More >>" on the CIL and RIV pages swaps in their second page
// at the same tab, "<< Back" swaps it out again. Every control edits the sheet's one copy of the
// values, so a swapped-out page loses nothing. A colour file chosen on the General page is read
// at once; nothing is written here (the command writes the table on OK).

#include "dialogs/WDBLayerSettings.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QTabWidget;
class QWidget;

namespace kiv {
class DataPaths;
struct UiServices;

class CWDBDlg : public QDialog {
public:
    CWDBDlg(const WDBLayerSettings& values, UiServices& ui, const DataPaths& paths, QWidget* parent = nullptr);

    // Runs the sheet: the values on OK, nothing on Cancel.
    static std::optional<WDBLayerSettings> edit(const WDBLayerSettings& values, UiServices& ui, const DataPaths& paths);

    const WDBLayerSettings& values() const { return values_; }
    QTabWidget& tabs() { return *tabs_; }

    // Page swaps (tab index 2 is the CIL pair, any other the RIV pair).
    void showMorePage();
    void showBackPage();
    // After the question, the sheet's defaults.
    void setDefaults();
    void showHelp();
    // Reads the colour file the General page names into the swatches and widths.
    void readColorFile();
    // The controls from the values.
    void refresh();

private:
    enum class Pair { Cil, Riv };
    QWidget* generalPage();
    QWidget* layerPage(int firstLayer, int count, int* mask, int firstBit, std::optional<bool> more);
    QWidget* gridPage();
    QWidget* townsPage();
    void swap(bool more);

    WDBLayerSettings values_;
    UiServices& ui_;
    const DataPaths& paths_;
    QTabWidget* tabs_ = nullptr;
    QWidget* cil_[2] = {};
    QWidget* riv_[2] = {};
    std::vector<std::function<void()>> refreshers_;
};

} // namespace kiv
