#pragma once
// The deep-space part of the SGP4 model (the former SDP4) in its 2006 revision: secular and
// long-period effects of sun and moon, and (through Resonance) the geopotential resonance of
// 12-hour and 24-hour orbits.

#include "orbit/Resonance.h"

namespace kiv::orbit {

// Mean elements as the propagation carries them; the deep-space terms adjust them.
struct MeanOrbit {
    double eccentricity = 0.0;
    double inclinationRad = 0.0;
    double raanRad = 0.0;
    double argPerigeeRad = 0.0;
    double meanAnomalyRad = 0.0;
    double meanMotionRadPerMin = 0.0;
};

class DeepSpace {
public:
    DeepSpace() = default;
    explicit DeepSpace(const DeepSpaceSetup& setup);

    // Whether the 24-hour or the 12-hour resonance is integrated.
    bool isResonant() const { return resonance_.isActive(); }

    // Adds the lunar-solar secular terms and the resonance effects at t minutes since epoch to
    // the secularly updated mean elements; sets the mean motion. The integrator steps on from
    // its last state when t lies further out on the same side of the epoch, else restarts.
    void addSecular(double t, MeanOrbit& m);

    // Adds the lunar-solar long-period periodics at t minutes since epoch (eccentricity,
    // inclination, node, perigee and mean anomaly). Gives sin and cos of the new inclination.
    void addPeriodics(double t, MeanOrbit& m, double& sinInclination, double& cosInclination) const;

private:
    // The long-period coefficients of one perturbing body.
    struct BodyPeriodics {
        double e2 = 0.0, e3 = 0.0, i2 = 0.0, i3 = 0.0, l2 = 0.0, l3 = 0.0, l4 = 0.0;
        double gh2 = 0.0, gh3 = 0.0, gh4 = 0.0, h2 = 0.0, h3 = 0.0;
        double meanAnomalyAtEpochRad = 0.0;
        double meanMotionRadPerMin = 0.0;
        double eccentricity = 0.0;
    };
    BodyPeriodics sun_, moon_;
    // Lunar-solar secular rates, rad/min (eccentricity per minute).
    double dedt_ = 0.0, didt_ = 0.0, dmdt_ = 0.0, domdt_ = 0.0, dnodt_ = 0.0;

    Resonance resonance_;
};

} // namespace kiv::orbit
