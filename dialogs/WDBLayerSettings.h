#pragma once
// What the World Data Bank layer sheet edits: the document's WDB settings and the colour table
// (colours and pen widths, kept in the colour table file, not in the profile), with the sheet's
// defaults and the ranges every value is held to.

#include "document/WDBColorFile.h"

#include <QString>

namespace kiv {
struct KivSettings;

struct WDBLayerSettings {
    int BDY_Layer{};
    int CIL_Layer{};
    int RIV_Layer{};
    int PBY_Layer{};
    QString WDBColorFileName;
    QString WDBMapFileName;
    WDBColorTable colors = defaultWDBColors();
    int BackgraoundTexture{};
    int ZoomStyle{}; // bit 0 grid, 1 satellites, 2 towns, 3 keep the aspect while zooming or panning
    int ActivateAllLayers{};
    int EnableTowns{};
    int DynamicDisplayTowns{};
    int AllSmal{};
    QString WDBSmalTowns;
    QString WDBBigTowns;
    int StaticGrid{};
    int DrawGrid{};
    int GridStyle{}; // 1 solid, 2 dashed, 4 dotted
    double GridDistance{};
    int XExtension{}; // percent of the screen's width for a new view
    int Language{};

    friend bool operator==(const WDBLayerSettings&, const WDBLayerSettings&) = default;

    static constexpr int kMinExtension = 10, kMaxExtension = 100;
    static constexpr double kMinGridDistance = 0.01, kMaxGridDistance = 90.0;

    static WDBLayerSettings fromDocument(const KivSettings& doc);
    // Everything but the colour table and the language back into the document.
    void toDocument(KivSettings& doc) const;
    // The sheet's "Set Default Values": layers, zoom style, grid, towns, the sea colour and the
    // pen widths 1..29; the other colours, DrawGrid and XExtension stay.
    void setDefaults();
    // Every value in its range: pen widths 0..20 (those the sheet edits, 1..28), XExtension,
    // the grid distance (non-finite: the default 10), masks to their layers.
    void clamp();
};

} // namespace kiv
