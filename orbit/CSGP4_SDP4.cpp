#include "orbit/CSGP4_SDP4.h"

#include "orbit/Geodesy.h"
#include "orbit/SunMoon.h"

#include <algorithm>
#include <cstring>
#include <string_view>

using namespace kiv::orbit;

namespace {

constexpr std::size_t kMaxLineLength = 69;
constexpr std::size_t kMaxNameLength = 22;

// A C string of unknown length, read no further than needed.
std::string_view bounded(const char* text, std::size_t limit)
{
    return text ? std::string_view(text, strnlen(text, limit)) : std::string_view();
}

Vec3 vec(const tagVECTOR& v) { return {v.x, v.y, v.z}; }
Vec3 vec(const double* v) { return v ? Vec3{v[0], v[1], v[2]} : Vec3{}; }
tagVECTOR withLength(Vec3 v) { return {v.x, v.y, v.z, norm(v)}; }
Geodetic site(const tagVECTOR& observer) { return {observer.x, observer.y, observer.z}; }
bool finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void store(Vec3 v, double* target)
{
    if (!target)
        return;
    const tagVECTOR t = withLength(v);
    target[0] = t.x;
    target[1] = t.y;
    target[2] = t.z;
    target[3] = t.w;
}

} // namespace

CSGP4_SDP4::CSGP4_SDP4(const char* name, const char* line1, const char* line2)
{
    SetSatellite(name, line1, line2, false);
}

bool CSGP4_SDP4::SetSatellite(const char* name, const char* line1, const char* line2, bool prepareNow)
{
    const auto elements = parseElementSet(bounded(line1, kMaxLineLength), bounded(line2, kMaxLineLength));
    satellite_ = makeSatelliteRecord(bounded(name, kMaxNameLength), elements);
    model_ = nullptr;
    if (prepareNow)
        prepare();
    return elements.has_value();
}

void CSGP4_SDP4::SetSatellite(const tagSATELLITE* satellite, bool prepareNow)
{
    if (!satellite) {
        satellite_ = makeSatelliteRecord({}, std::nullopt);
        model_ = nullptr;
        return;
    }
    satellite_ = *satellite;
    satellite_.name[sizeof satellite_.name - 1] = '\0';
    // Looked up by the caller's record, which stays where it is from call to call.
    model_ = prepareNow ? models_.modelFor(*satellite) : nullptr;
}

void CSGP4_SDP4::prepare()
{
    if (!model_)
        model_ = models_.modelFor(satellite_);
}

int CSGP4_SDP4::SGP(double jd)
{
    prepare();
    if (!model_ || model_->initError() != kSgp4Ok || !std::isfinite(jd))
        return 0;
    // The epoch is split in two parts; subtracting them one by one keeps the time exact.
    const double minutes = ((jd - satellite_.epochJd) - satellite_.epochJdFraction) * 1440.0;
    StateVector state;
    if (model_->propagate(minutes, state) != kSgp4Ok || !finite(state.positionKm) || !finite(state.velocityKmPerSec))
        return 0;
    position_ = withLength(state.positionKm);
    velocity_ = withLength(state.velocityKmPerSec);
    time_ = jd;
    return 1;
}

void CSGP4_SDP4::CalculateLatLonAlt(double jd)
{
    const tagVECTOR g = CalculateLatLonAlt(position_, jd);
    latitude_ = g.x;
    longitude_ = g.y;
    altitude_ = g.z;
}

tagVECTOR CSGP4_SDP4::CalculateLatLonAlt(tagVECTOR position, double jd) const
{
    const Geodetic g = geodeticOf(vec(position), gmstRadians(jd));
    return {g.latitudeRad * kRadToDeg, modulus(g.longitudeRad * kRadToDeg, 360.0), g.altitudeKm, 0.0};
}

void CSGP4_SDP4::SunMoon(double jd, double* sun, double* moon) const
{
    store(sunPosition(jd), sun);
    store(moonPosition(jd), moon);
}

double CSGP4_SDP4::MoonPhase(const double* sun, const double* moon, const double* observer) const
{
    return illuminatedFraction(vec(sun), vec(moon), vec(observer));
}

tagVECTOR CSGP4_SDP4::CalculateSolarPosition(double jd) const
{
    return withLength(sunPosition(jd));
}

void CSGP4_SDP4::CalculateUserPosVel(const tagVECTOR* observer, double jd)
{
    if (!observer)
        return;
    const ObserverState o = observerState(site(*observer), gmstRadians(jd));
    userPosition_ = withLength(o.positionKm);
    userVelocity_ = withLength(o.velocityKmPerSec);
}

int CSGP4_SDP4::CalculateObs(tagVECTOR position, tagVECTOR velocity, tagVECTOR observer, double jd)
{
    const LookAngles a = lookAngles(vec(position), vec(velocity), site(observer), gmstRadians(jd));
    observation_ = {a.azimuthRad, a.elevationRad, a.rangeKm, a.rangeRateKmPerSec};
    return a.elevationRad > 0.0 ? 1 : 0;
}

void CSGP4_SDP4::CalculateRADec(tagVECTOR position, tagVECTOR, tagVECTOR observer, double jd)
{
    const Equatorial e = topocentricEquatorial(vec(position), site(observer), gmstRadians(jd));
    raDec_ = {e.rightAscensionRad, e.declinationRad, 0.0, 0.0};
}

double CSGP4_SDP4::DepthOfEclipse(double jd, tagVECTOR position)
{
    const Eclipse e = eclipseOf(vec(position), sunPosition(jd));
    eclipsed_ = static_cast<int>(e.shadow);
    return e.depthRad;
}

void CSGP4_SDP4::GetVersion(char* buffer, int size)
{
    static constexpr std::string_view kVersion = "Kiv orbit library 2.4 (SGP4/SDP4 2006)";
    if (!buffer || size <= 0)
        return;
    const std::size_t n = std::min(kVersion.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, kVersion.data(), n);
    buffer[n] = '\0';
}
