#pragma once
// What an export table is made of: the kind, the satellites, the time range and step, the
// observer and the output options. The export dialog fills it; the generator needs nothing else.

#include "dialogs/ExportKind.h"
#include "orbit/tagSATELLITE.h"
#include "platform/Time.h"

#include <cstdint>
#include <vector>

namespace kiv {

// The angle formats of the "Deg 1" / "Deg 2" / "Rad" / "Grad" button.
enum class AngleFormat : int { Degrees = 0, DegreesMinutesSeconds = 1, Radians = 2, Grads = 3 };

struct ExportParameters {
    ExportKind kind = ExportKind::LLA;
    std::vector<tagSATELLITE> satellites; // the chosen ones, in slot order
    Time start;                           // UTC instants; start <= end
    Time end;
    std::int64_t stepSeconds = 3600;      // > 0
    bool useKm = false;                   // else miles
    bool csv = false;                     // else a text table
    bool datePrefix = true;               // else the Julian date begins each row
    AngleFormat angleFormat = AngleFormat::Degrees;
    double twilightAngle = -6.0;          // degrees; the elevation limit of the look-angle kinds
    int precision = 7;                    // 1..30 characters of each number after its sign
    double observerLatitude = 38.9217;    // degrees north
    double observerLongitude = -77.0667;  // degrees east
    double observerAltitude = 92.0;       // metres
};

} // namespace kiv
