#pragma once
// The orbit library's interface: element sets, SGP4/SDP4 propagation, sun and moon, observer
// geometry and time conversions.
//
// Units: positions in km and velocities in km/s, inertial (true equator, mean equinox of the
// models); Julian dates in days, UTC; latitudes and longitudes in degrees where an operation
// returns geodetic values, in radians where it takes an observer or returns look angles or
// right ascension and declination.

#include "orbit/ModelCache.h"
#include "orbit/OrbitTime.h"
#include "orbit/tagSATELLITE.h"

struct tagVECTOR {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 0.0;
};

class CSGP4_SDP4 {
public:
    CSGP4_SDP4() = default;
    // Reads one element set; names and lines may be of any length (cut to 22 and 69 characters).
    CSGP4_SDP4(const char* name, const char* line1, const char* line2);

    // Reads an element set into the current record. With prepare set, the model is initialised
    // at once, otherwise at the first propagation. False when the lines cannot be read; the
    // record is then kept but cannot be propagated.
    bool SetSatellite(const char* name, const char* line1, const char* line2, bool prepare);
    // Makes a copy of a stored record current. Switching back to a record seen before is cheap:
    // its initialised model is kept.
    void SetSatellite(const tagSATELLITE* satellite, bool prepare);
    const tagSATELLITE* GetSatellite() const { return &satellite_; }

    // Propagates the current record to a Julian date. Returns 0 when it cannot be propagated;
    // position, velocity and time then keep their last good values.
    int SGP(double jd);
    tagVECTOR GetPos() const { return position_; } // km; w = distance from the earth's centre
    tagVECTOR GetVel() const { return velocity_; } // km/s; w = speed
    double GetTime() const { return time_; }

    // Geodetic position of the last propagated point at the given date.
    void CalculateLatLonAlt(double jd);
    double GetLat() const { return latitude_; }  // degrees north
    double GetLon() const { return longitude_; } // degrees east, [0, 360)
    double GetAlt() const { return altitude_; }  // km above the ellipsoid
    // Geodetic position of any inertial vector: x latitude (deg), y east longitude (deg, [0, 360)),
    // z altitude above the ellipsoid (km).
    tagVECTOR CalculateLatLonAlt(tagVECTOR position, double jd) const;

    // Inertial sun and moon positions (km), w = distance; each array holds four doubles.
    void SunMoon(double jd, double* sun, double* moon) const;
    // Illuminated fraction 0..1 of the moon seen from the observer (inertial km; null: the
    // earth's centre).
    double MoonPhase(const double* sun, const double* moon, const double* observer) const;
    tagVECTOR CalculateSolarPosition(double jd) const;

    // Observer given as x latitude (rad), y east longitude (rad), z altitude (km).
    void CalculateUserPosVel(const tagVECTOR* observer, double jd);
    tagVECTOR GetUserPos() const { return userPosition_; } // km; w = distance from the centre
    tagVECTOR GetUserVel() const { return userVelocity_; } // km/s

    // Look angles of an object from an observer; nonzero when above the horizon.
    int CalculateObs(tagVECTOR position, tagVECTOR velocity, tagVECTOR observer, double jd);
    // x azimuth (rad), y elevation (rad), z range (km), w range rate (km/s).
    tagVECTOR GetObserver() const { return observation_; }
    void CalculateRADec(tagVECTOR position, tagVECTOR velocity, tagVECTOR observer, double jd);
    // x right ascension (rad, [0, 2 pi)), y declination (rad).
    tagVECTOR GetRADec() const { return raDec_; }

    // Earth shadow at a position: returns the depth (rad, positive when the sun is hidden).
    double DepthOfEclipse(double jd, tagVECTOR position);
    // 0 sunlit, 1 penumbra, 2 umbra.
    int GetEclipsed() const { return eclipsed_; }

    static double JulianDate(kiv::orbit::UtcInstant t) { return kiv::orbit::julianDate(t); }
    static double JulianDate(const kiv::orbit::UtcCalendar& c) { return kiv::orbit::julianDate(c); }
    static kiv::orbit::UtcCalendar CalendarDate(double jd) { return kiv::orbit::calendarDate(jd); }
    static int DayOfYear(int year, int month, int day) { return kiv::orbit::dayOfYear(year, month, day); }
    static double Modulus(double value, double modulus) { return kiv::orbit::modulus(value, modulus); }
    static double DegToRad(double degrees) { return degrees * kiv::orbit::kDegToRad; }
    // Writes at most size - 1 characters and a NUL.
    static void GetVersion(char* buffer, int size);

private:
    void prepare();

    tagSATELLITE satellite_{};
    kiv::orbit::ModelCache models_;
    kiv::orbit::Sgp4Model* model_ = nullptr;
    tagVECTOR position_, velocity_;
    double time_ = 0.0;
    double latitude_ = 0.0, longitude_ = 0.0, altitude_ = 0.0;
    tagVECTOR userPosition_, userVelocity_;
    tagVECTOR observation_, raDec_;
    int eclipsed_ = 0;
};
