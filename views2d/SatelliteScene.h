#pragma once
// The satellite table as the flat pictures draw it. The records are the document's own, not
// copies (the ground-track rings alone are large): a scene is built for one paint and holds as
// long as the document's table does not change.

#include "document/ElementFile.h"
#include "document/tagICONENTRY.h"
#include "document/tagSATINFO.h"

#include <QImage>

#include <span>
#include <string_view>

namespace kiv {
class CKivDoc;

struct SatelliteScene {
    std::span<const tagSATELLITE> elements; // the loaded slots: names
    std::span<const tagSATINFO> info;       // as many: display state, positions, tracks
    std::span<const tagSATHISTORY> history; // as many: positions for the sky
    std::span<const tagICONENTRY> icons;    // the whole icon table; entry 0 the built-in icon
    int trackPoints = 0;                    // points of a ground-track ring
    int penWidth = 0;
    int footprintAccuracy = 0;
    char eastLetter = 'E';                  // of east longitudes in the labels

    int count() const { return static_cast<int>(info.size()); }
    std::string_view name(int slot) const;
    // The slot's icon; the built-in one for an index out of the table or an entry not loaded.
    const QImage& icon(int slot) const;
};

SatelliteScene satelliteScene(const CKivDoc& doc);

} // namespace kiv
