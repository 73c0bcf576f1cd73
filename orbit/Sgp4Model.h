#pragma once
// The SGP4/SDP4 models in their 2006 revision: WGS-72 constants, "improved" operation mode,
// positions and velocities in the TEME frame.

#include "orbit/OrbitMath.h"

namespace orbit {

// Mean elements as the models take them.
struct MeanElements {
    double epochJd = 0.0;          // Julian date of the epoch (UTC)
    double bstar = 0.0;            // 1/earth radii
    double eccentricity = 0.0;
    double argPerigeeRad = 0.0;
    double inclinationRad = 0.0;
    double meanAnomalyRad = 0.0;
    double meanMotionRadPerMin = 0.0; // Kozai mean motion
    double raanRad = 0.0;
};

// Error codes of the published model; 0 is success.
enum Sgp4Error : int {
    kSgp4Ok = 0,
    kSgp4MeanEccentricity = 1,      // mean eccentricity outside [0, 1) or mean semi-major axis < 0.95
    kSgp4MeanMotion = 2,            // mean motion not positive
    kSgp4PerturbedEccentricity = 3, // perturbed eccentricity outside [0, 1]
    kSgp4SemiLatusRectum = 4,       // semi-latus rectum negative
    kSgp4Decayed = 6,               // the satellite has decayed
};

struct StateVector {
    Vec3 positionKm;
    Vec3 velocityKmPerSec;
};

// One initialised satellite. Deep-space satellites in resonance keep the integrator's state
// between calls and step on from it; the results do not depend on the order of calls.
class Sgp4Model {
public:
    explicit Sgp4Model(const MeanElements& elements);

    // The initialisation's error code (0 when the satellite can be propagated).
    int initError() const;

    // Propagates to the given minutes since epoch. Returns an Sgp4Error; the state is only
    // meaningful for kSgp4Ok and is finite then.
    int propagate(double minutesSinceEpoch, StateVector& state);

private:
    // implementation state
};

} // namespace orbit
