#pragma once
// Earth-fixed geometry: geodetic coordinates on the WGS-84 ellipsoid, observer positions and
// look angles. Inertial vectors are in the true-equator, mean-equinox frame of the models (km).

#include "orbit/OrbitMath.h"

namespace kiv::orbit {

struct Geodetic {
    double latitudeRad = 0.0;
    double longitudeRad = 0.0; // east, [0, 2 pi)
    double altitudeKm = 0.0;   // above the ellipsoid
};

struct LookAngles {
    double azimuthRad = 0.0;   // from north through east, [0, 2 pi)
    double elevationRad = 0.0;
    double rangeKm = 0.0;
    double rangeRateKmPerSec = 0.0; // positive when moving away
};

struct Equatorial {
    double rightAscensionRad = 0.0; // [0, 2 pi)
    double declinationRad = 0.0;
};

// Geodetic coordinates of an inertial position at the given sidereal time.
Geodetic geodeticOf(Vec3 positionKm, double gmstRad);

// Inertial position and velocity of a point fixed on the rotating earth.
struct ObserverState {
    Vec3 positionKm;
    Vec3 velocityKmPerSec;
};
ObserverState observerState(const Geodetic& site, double gmstRad);

// Topocentric azimuth, elevation, range and range rate of an object seen from a site.
LookAngles lookAngles(Vec3 positionKm, Vec3 velocityKmPerSec, const Geodetic& site, double gmstRad);

// Topocentric right ascension and declination of an object seen from a site.
Equatorial topocentricEquatorial(Vec3 positionKm, const Geodetic& site, double gmstRad);

} // namespace kiv::orbit
