#pragma once
// What the observer options dialog edits, and the rules behind its controls: the fields as the
// dialog shows them (the longitude west positive), the twilight radio that matches a value,
// the "Automatically" steps with the steps they replaced, and the accepted ranges.

#include "document/KivSettings.h"
#include "views2d/SkySettings.h"

#include <optional>
#include <utility>

namespace kiv {

struct ObsOptions {
    SkySettings sky;          // switches, twilight, steps and colours
    double latitude = 0.0;      // degrees north
    double westLongitude = 0.0; // degrees, west positive
    double altitude = 0.0;      // km

    // The compass switch shown is the one the menu toggles; OK writes it to both.
    static ObsOptions from(const KivSettings& s);
    void storeInto(KivSettings& s) const;
};

// The twilight presets: civil, nautical, astronomical.
inline constexpr double kTwilightPresets[] = {-6.0, -12.0, -18.0};
// The preset a value equals exactly, or nullopt.
std::optional<int> twilightPreset(double twilight);

// The "Automatically" button: on, it puts the standard steps in and keeps the ones it replaced
// for the rest of the run; off, it brings them back.
class StepMemory {
public:
    // Returns the steps to show after the toggle.
    std::pair<double, double> toggle(bool on, double azimuthStep, double elevationStep);

private:
    std::pair<double, double> saved_{36.0, 15.0};
};

struct FieldBounds {
    double min, max;
};
inline constexpr FieldBounds kLatitudeBounds{-90.0, 90.0};
inline constexpr FieldBounds kLongitudeBounds{-180.0, 180.0};
inline constexpr FieldBounds kAltitudeBounds{-1.0, 100.0};
inline constexpr FieldBounds kTwilightBounds{-90.0, 90.0};
inline constexpr FieldBounds kStepBounds{1.0, 90.0};

} // namespace kiv
