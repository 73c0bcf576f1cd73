#pragma once
// The SGP4/SDP4 models in their 2006 revision: WGS-72 constants, "improved" operation mode,
// positions and velocities in the TEME frame.

#include "orbit/DeepSpace.h"
#include "orbit/OrbitMath.h"

namespace kiv::orbit {

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
    // Not of the published model:
    kSgp4NotFinite = 7,             // a non-finite element, time or result
    kSgp4TooFarFromEpoch = 8,       // a resonant orbit more than 1e8 minutes (190 years) from epoch
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
    // meaningful for kSgp4Ok and is finite then (a failed call leaves it untouched).
    int propagate(double minutesSinceEpoch, StateVector& state);

private:
    int propagateModel(double t, StateVector& state);

    MeanElements elements_;
    int initError_ = kSgp4Ok;
    bool deepSpace_ = false;
    bool simpleDrag_ = false; // perigee below 220 km or deep space: the drag terms to t^2 only

    double meanMotion_ = 0.0;        // un-Kozai'd, rad/min
    double semiMajorAxisBase_ = 0.0; // (xke / meanMotion_)^(2/3), earth radii
    double sinInclination_ = 0.0, cosInclination_ = 0.0;
    // Secular rates of gravity and drag.
    double mdot_ = 0.0, argpdot_ = 0.0, nodedot_ = 0.0, nodecf_ = 0.0;
    // Drag.
    double cc1_ = 0.0, cc4_ = 0.0, cc5_ = 0.0, d2_ = 0.0, d3_ = 0.0, d4_ = 0.0;
    double delmo_ = 0.0, eta_ = 0.0, omgcof_ = 0.0, xmcof_ = 0.0, sinmao_ = 0.0;
    double t2cof_ = 0.0, t3cof_ = 0.0, t4cof_ = 0.0, t5cof_ = 0.0;
    // Long- and short-period coefficients of the near-earth model.
    double con41_ = 0.0, x1mth2_ = 0.0, x7thm1_ = 0.0, xlcof_ = 0.0, aycof_ = 0.0;

    DeepSpace deep_;
};

} // namespace kiv::orbit
