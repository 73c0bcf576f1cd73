#include "orbit/SunMoon.h"

#include <array>

namespace kiv::orbit {

namespace {

constexpr double kAstronomicalUnitKm = 149597870.7;
constexpr double kSunRadiusKm = 696000.0;
constexpr double kEarthRadiusKm = 6378.137;

double centuriesSinceJ2000(double jd) { return (jd - 2451545.0) / 36525.0; }

double sinDeg(double deg) { return std::sin(deg * kDegToRad); }
double cosDeg(double deg) { return std::cos(deg * kDegToRad); }

// Mean obliquity of the ecliptic, degrees.
double obliquityDeg(double t)
{
    return 23.0 + (26.0 + (21.448 - t * (46.8150 + t * (0.00059 - t * 0.001813))) / 60.0) / 60.0;
}

Vec3 fromEcliptic(double longitudeDeg, double latitudeDeg, double distanceKm, double obliquity)
{
    const double x = cosDeg(latitudeDeg) * cosDeg(longitudeDeg);
    const double y = cosDeg(latitudeDeg) * sinDeg(longitudeDeg);
    const double z = sinDeg(latitudeDeg);
    const double ce = cosDeg(obliquity);
    const double se = sinDeg(obliquity);
    return {distanceKm * x, distanceKm * (ce * y - se * z), distanceKm * (se * y + ce * z)};
}

// Periodic terms of the moon's longitude and distance: multiples of D, M, M', F, then the
// coefficients of sin (1e-6 degree) and cos (1e-3 km). The largest terms of the lunar theory.
struct LongitudeTerm {
    int d, m, mp, f;
    double sinL, cosR;
};
constexpr std::array<LongitudeTerm, 46> kLongitudeTerms{{
    {0, 0, 1, 0, 6288774, -20905355}, {2, 0, -1, 0, 1274027, -3699111}, {2, 0, 0, 0, 658314, -2955968},
    {0, 0, 2, 0, 213618, -569925},    {0, 1, 0, 0, -185116, 48888},     {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},     {2, -1, -1, 0, 57066, -152138},   {2, 0, 1, 0, 53322, -170733},
    {2, -1, 0, 0, 45758, -204586},    {0, 1, -1, 0, -40923, -129620},   {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},     {2, 0, 0, -2, 15327, 10321},      {0, 0, 1, 2, -12528, 0},
    {0, 0, 1, -2, 10980, 79661},      {4, 0, -1, 0, 10675, -34782},     {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},      {2, 1, -1, 0, -7888, 24208},      {2, 1, 0, 0, -6766, 30824},
    {1, 0, -1, 0, -5163, -8379},      {1, 1, 0, 0, 4987, -16675},       {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},       {4, 0, 0, 0, 3861, -11650},       {2, 0, -3, 0, 3665, 14403},
    {0, 1, -2, 0, -2689, -7003},      {2, 0, -1, 2, -2602, 0},          {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},        {2, -2, 0, 0, 2236, -9884},       {0, 1, 2, 0, -2120, 5751},
    {0, 2, 0, 0, -2069, 0},           {2, -2, -1, 0, 2048, -4950},      {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},           {4, -1, -1, 0, 1215, -3958},      {0, 0, 2, 2, -1110, 0},
    {3, 0, -1, 0, -892, 3258},        {2, 1, 1, 0, -810, 2616},         {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},       {2, 2, -1, 0, -700, 2354},        {0, 0, 2, -2, -381, -4421},
    {2, 0, -1, -2, 0, 8752},
}};

// Periodic terms of the moon's latitude (1e-6 degree).
struct LatitudeTerm {
    int d, m, mp, f;
    double sinB;
};
constexpr std::array<LatitudeTerm, 30> kLatitudeTerms{{
    {0, 0, 0, 1, 5128122}, {0, 0, 1, 1, 280602},  {0, 0, 1, -1, 277693}, {2, 0, 0, -1, 173237},
    {2, 0, -1, 1, 55413},  {2, 0, -1, -1, 46271}, {2, 0, 0, 1, 32573},   {0, 0, 2, 1, 17198},
    {2, 0, 1, -1, 9266},   {0, 0, 2, -1, 8822},   {2, -1, 0, -1, 8216},  {2, 0, -2, -1, 4324},
    {2, 0, 1, 1, 4200},    {2, 1, 0, -1, -3359},  {2, -1, -1, 1, 2463},  {2, -1, 0, 1, 2211},
    {2, -1, -1, -1, 2065}, {0, 1, -1, -1, -1870}, {4, 0, -1, -1, 1828},  {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},   {0, 1, -1, 1, -1565},  {1, 0, 0, 1, -1491},   {0, 1, 1, 1, -1475},
    {0, 1, 1, -1, -1410},  {0, 1, 0, -1, -1344},  {1, 0, 0, -1, -1335},  {0, 0, 3, 1, 1107},
    {4, 0, 0, -1, 1021},   {4, 0, -1, 1, 833},
}};

// Terms with the sun's anomaly are scaled by the decreasing eccentricity of the earth's orbit.
double eccentricityFactor(int m, double e) { return m == 0 ? 1.0 : (m == 1 || m == -1 ? e : e * e); }

} // namespace

Vec3 sunPosition(double jd)
{
    const double t = centuriesSinceJ2000(jd);
    const double meanLongitude = 280.46646 + t * (36000.76983 + t * 0.0003032);
    const double anomaly = 357.52911 + t * (35999.05029 - t * 0.0001537);
    const double e = 0.016708634 - t * (0.000042037 + t * 0.0000001267);
    const double centre = (1.914602 - t * (0.004817 + t * 0.000014)) * sinDeg(anomaly) +
                          (0.019993 - t * 0.000101) * sinDeg(2.0 * anomaly) + 0.000289 * sinDeg(3.0 * anomaly);
    const double trueLongitude = meanLongitude + centre;
    const double distanceAu = 1.000001018 * (1.0 - e * e) / (1.0 + e * cosDeg(anomaly + centre));
    // Apparent place: aberration and the main term of nutation.
    const double node = 125.04 - 1934.136 * t;
    const double apparentLongitude = trueLongitude - 0.00569 - 0.00478 * sinDeg(node);
    const double obliquity = obliquityDeg(t) + 0.00256 * cosDeg(node);
    return fromEcliptic(apparentLongitude, 0.0, distanceAu * kAstronomicalUnitKm, obliquity);
}

Vec3 moonPosition(double jd)
{
    const double t = centuriesSinceJ2000(jd);
    const double lp = 218.3164477 + t * (481267.88123421 + t * (-0.0015786 + t * (1.0 / 538841 - t / 65194000)));
    const double d = 297.8501921 + t * (445267.1114034 + t * (-0.0018819 + t * (1.0 / 545868 - t / 113065000)));
    const double m = 357.5291092 + t * (35999.0502909 + t * (-0.0001536 + t / 24490000));
    const double mp = 134.9633964 + t * (477198.8675055 + t * (0.0087414 + t * (1.0 / 69699 - t / 14712000)));
    const double f = 93.2720950 + t * (483202.0175233 + t * (-0.0036539 + t * (-1.0 / 3526000 + t / 863310000)));
    const double a1 = 119.75 + 131.849 * t;
    const double a2 = 53.09 + 479264.290 * t;
    const double a3 = 313.45 + 481266.484 * t;
    const double e = 1.0 - t * (0.002516 + t * 0.0000074);

    double sumL = 0.0, sumR = 0.0, sumB = 0.0;
    for (const auto& term : kLongitudeTerms) {
        const double arg = term.d * d + term.m * m + term.mp * mp + term.f * f;
        const double scale = eccentricityFactor(term.m, e);
        sumL += scale * term.sinL * sinDeg(arg);
        sumR += scale * term.cosR * cosDeg(arg);
    }
    for (const auto& term : kLatitudeTerms)
        sumB += eccentricityFactor(term.m, e) * term.sinB * sinDeg(term.d * d + term.m * m + term.mp * mp + term.f * f);
    // Venus, Jupiter and the earth's flattening.
    sumL += 3958.0 * sinDeg(a1) + 1962.0 * sinDeg(lp - f) + 318.0 * sinDeg(a2);
    sumB += -2235.0 * sinDeg(lp) + 382.0 * sinDeg(a3) + 175.0 * sinDeg(a1 - f) + 175.0 * sinDeg(a1 + f) +
            127.0 * sinDeg(lp - mp) - 115.0 * sinDeg(lp + mp);

    const double longitude = lp + sumL / 1e6;
    const double latitude = sumB / 1e6;
    const double distanceKm = 385000.56 + sumR / 1000.0;
    return fromEcliptic(longitude, latitude, distanceKm, obliquityDeg(t));
}

Eclipse eclipseOf(Vec3 object, Vec3 sun)
{
    Eclipse result;
    const Vec3 toEarth = -1.0 * object;
    const Vec3 toSun = sun - object;
    const double earthDistance = norm(toEarth);
    const double sunDistance = norm(toSun);
    if (earthDistance <= kEarthRadiusKm)
        return {kPi, Shadow::Umbra};
    const double earthRadius = std::asin(kEarthRadiusKm / earthDistance);
    const double sunRadius = std::asin(std::fmin(1.0, kSunRadiusKm / sunDistance));
    const double separation =
        std::acos(std::fmax(-1.0, std::fmin(1.0, dot(toEarth, toSun) / (earthDistance * sunDistance))));
    result.depthRad = earthRadius - sunRadius - separation;
    if (earthRadius >= sunRadius && result.depthRad >= 0.0)
        result.shadow = Shadow::Umbra;
    else if (separation < earthRadius + sunRadius)
        result.shadow = Shadow::Penumbra;
    return result;
}

double illuminatedFraction(Vec3 sun, Vec3 moon, Vec3 observer)
{
    const Vec3 toSun = sun - moon;
    const Vec3 toObserver = observer - moon;
    const double lengths = norm(toSun) * norm(toObserver);
    if (lengths <= 0.0)
        return 0.0;
    const double cosPhase = std::fmax(-1.0, std::fmin(1.0, dot(toSun, toObserver) / lengths));
    return (1.0 + cosPhase) / 2.0;
}

} // namespace kiv::orbit
