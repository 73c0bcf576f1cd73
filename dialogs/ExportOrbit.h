#pragma once
// The orbit values an export row is made of, for one satellite at one propagated instant. The
// program uses the orbit library through LibraryExportOrbit; tests put in fixed values.

#include "orbit/CSGP4_SDP4.h"

namespace kiv {

struct LookAngles {
    bool visible = false;   // above the horizon
    double azimuth = 0.0;   // rad
    double elevation = 0.0; // rad
    double range = 0.0;     // km
    double rangeRate = 0.0; // km/s
};

class ExportOrbit {
public:
    virtual ~ExportOrbit() = default;
    virtual void SetSatellite(const tagSATELLITE& satellite) = 0;
    // False when the satellite cannot be propagated to that Julian date (UTC).
    virtual bool SGP(double jd) = 0;

    // Of the last propagation: inertial position (km) and velocity (km/s).
    virtual tagVECTOR GetPos() const = 0;
    virtual tagVECTOR GetVel() const = 0;
    // x latitude (deg north), y longitude (deg east, [0, 360)), z altitude (km).
    virtual tagVECTOR LatLonAlt() = 0;
    // In the earth's shadow (penumbra or umbra).
    virtual bool Eclipsed() = 0;
    // Seen from the observer: x latitude (rad), y east longitude (rad, [0, 2 pi)), z altitude (km).
    virtual LookAngles SatelliteLook(const tagVECTOR& observer) = 0;
    virtual LookAngles SunLook(const tagVECTOR& observer) = 0;
    // Topocentric right ascension (x) and declination (y), rad.
    virtual tagVECTOR RADec(const tagVECTOR& observer) = 0;
};

} // namespace kiv
