#include "views2d/SatelliteScene.h"

#include "document/CKivDoc.h"

#include <algorithm>
#include <cstring>

namespace kiv {

std::string_view SatelliteScene::name(int slot) const
{
    const char* name = elements[slot].name;
    return {name, strnlen(name, sizeof elements[slot].name)};
}

const QImage& SatelliteScene::icon(int slot) const
{
    const int index = info[slot].iconIndex;
    const QImage& own = icons[index >= 0 && index < kMaxSatellites ? index : 0].icon;
    return own.isNull() ? icons[0].icon : own;
}

SatelliteScene satelliteScene(const CKivDoc& doc)
{
    const int count = std::clamp(doc.SatelliteCount, 0, kMaxSatellites);
    return {.elements = std::span(doc.Satellites).first(count),
            .info = std::span(doc.SatInfo).first(count),
            .history = std::span(doc.SatHistory).first(count),
            .icons = doc.Icons,
            .trackPoints = doc.NrOfPoints,
            .penWidth = doc.PenWidth,
            .footprintAccuracy = doc.AccuracyX,
            .eastLetter = doc.Language == 0 ? 'O' : 'E'};
}

} // namespace kiv
