#include "views2d/ObsOptions.h"

namespace kiv {

ObsOptions ObsOptions::from(const KivSettings& s)
{
    return {.sky = SkySettings::from(s),
            .latitude = s.fUserLat,
            .westLongitude = 0.0 - s.fUserLon,
            .altitude = s.fUserAlt};
}

void ObsOptions::storeInto(KivSettings& s) const
{
    SkySettings stored = sky;
    stored.drawCoord = sky.drawCompass;
    stored.storeInto(s);
    s.fUserLat = latitude;
    s.fUserLon = 0.0 - westLongitude;
    s.fUserAlt = altitude;
}

std::optional<int> twilightPreset(double twilight)
{
    for (int k = 0; k < 3; ++k) {
        if (twilight == kTwilightPresets[k])
            return k;
    }
    return std::nullopt;
}

std::pair<double, double> StepMemory::toggle(bool on, double azimuthStep, double elevationStep)
{
    if (!on)
        return saved_;
    saved_ = {azimuthStep, elevationStep};
    return {36.0, 15.0};
}

} // namespace kiv
