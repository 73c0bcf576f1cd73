#pragma once
// What the observer options dialog edits, and the rules behind its controls: the fields as the
// dialog shows them (the longitude west positive), the twilight radio that matches a value,
// the "Automatically" steps with the steps they replaced, and the accepted ranges.

#include "document/KivSettings.h"

#include <optional>
#include <utility>

namespace kiv {

struct ObsOptions {
    bool showRaDec = false, showName = false, drawElevation = false, drawAzimuth = false, drawIcons = false;
    bool showAziEleDist = false, showRoute = false, compass = false;
    bool hiddenLines = true, compassLines = true, hemisphere = true;
    double altitude = 0.0, latitude = 0.0, westLongitude = 0.0, twilight = 0.0;
    double azimuthStep = 36.0, elevationStep = 15.0;
    COLORREF background = 0, text = 0, elevationLines = 0, azimuthLines = 0, manLines = 0, manHead = 0, manGround = 0;

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
