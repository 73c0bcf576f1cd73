#include "orbit/Sgp4Model.h"

#include "orbit/OrbitTime.h"
#include "orbit/Sgp4Common.h"

#include <cmath>

namespace kiv::orbit {

namespace {

using namespace wgs72;

constexpr double kTwoThirds = 2.0 / 3.0;
// Divisor that stands in for 1 + cos(i) at an inclination of exactly 180 degrees.
constexpr double kNearRetrogradeDivisor = 1.5e-12;
// The resonance integrator needs one step per 720 minutes; beyond this it would take long.
constexpr double kMaxResonanceMinutes = 1.0e8;
// Julian date of 1950 January 0.0, the epoch of the deep-space lunar-solar terms.
constexpr double kJd1950 = 2433281.5;

bool isFinite(const MeanElements& e)
{
    return std::isfinite(e.epochJd) && std::isfinite(e.bstar) && std::isfinite(e.eccentricity) &&
           std::isfinite(e.argPerigeeRad) && std::isfinite(e.inclinationRad) &&
           std::isfinite(e.meanAnomalyRad) && std::isfinite(e.meanMotionRadPerMin) &&
           std::isfinite(e.raanRad);
}

// Coefficient of the J3 long-period term in the mean longitude.
double longitudeCoefficient(double sinI, double cosI)
{
    const double divisor = std::fabs(cosI + 1.0) > kNearRetrogradeDivisor ? 1.0 + cosI
                                                                           : kNearRetrogradeDivisor;
    return -0.25 * kJ3OverJ2 * sinI * (3.0 + 5.0 * cosI) / divisor;
}

double fourthPower(double x)
{
    return x * x * x * x;
}

} // namespace

Sgp4Model::Sgp4Model(const MeanElements& e)
    : elements_(e)
{
    if (!(e.eccentricity >= 0.0 && e.eccentricity < 1.0)) {
        initError_ = kSgp4MeanEccentricity;
        return;
    }
    if (!(e.meanMotionRadPerMin > 0.0)) {
        initError_ = kSgp4MeanMotion;
        return;
    }
    if (!isFinite(e)) {
        initError_ = kSgp4NotFinite;
        return;
    }

    // Recover the un-Kozai'd mean motion and the semi-major axis.
    const double ecco = e.eccentricity;
    const double eccsq = ecco * ecco;
    const double omeosq = 1.0 - eccsq;
    const double rteosq = std::sqrt(omeosq);
    const double cosio = std::cos(e.inclinationRad);
    const double cosio2 = cosio * cosio;
    const double ak = std::pow(kXke / e.meanMotionRadPerMin, kTwoThirds);
    const double d1 = 0.75 * kJ2 * (3.0 * cosio2 - 1.0) / (rteosq * omeosq);
    double del = d1 / (ak * ak);
    const double adel = ak * (1.0 - del * del - del * (1.0 / 3.0 + 134.0 * del * del / 81.0));
    del = d1 / (adel * adel);
    meanMotion_ = e.meanMotionRadPerMin / (1.0 + del);

    const double ao = std::pow(kXke / meanMotion_, kTwoThirds);
    semiMajorAxisBase_ = ao;
    const double sinio = std::sin(e.inclinationRad);
    sinInclination_ = sinio;
    cosInclination_ = cosio;
    const double po = ao * omeosq;
    const double con42 = 1.0 - 5.0 * cosio2;
    con41_ = -con42 - cosio2 - cosio2;
    const double posq = po * po;
    const double rp = ao * (1.0 - ecco);

    // Atmospheric density parameters; perigees below 156 km get a lower s.
    simpleDrag_ = rp < 220.0 / kEarthRadiusKm + 1.0;
    double sfour = 78.0 / kEarthRadiusKm + 1.0;
    double qzms24 = fourthPower((120.0 - 78.0) / kEarthRadiusKm);
    const double perige = (rp - 1.0) * kEarthRadiusKm;
    if (perige < 156.0) {
        sfour = perige < 98.0 ? 20.0 : perige - 78.0;
        qzms24 = fourthPower((120.0 - sfour) / kEarthRadiusKm);
        sfour = sfour / kEarthRadiusKm + 1.0;
    }

    const double pinvsq = 1.0 / posq;
    const double tsi = 1.0 / (ao - sfour);
    eta_ = ao * ecco * tsi;
    const double etasq = eta_ * eta_;
    const double eeta = ecco * eta_;
    const double psisq = std::fabs(1.0 - etasq);
    const double coef = qzms24 * std::pow(tsi, 4.0);
    const double coef1 = coef / std::pow(psisq, 3.5);
    const double cc2 = coef1 * meanMotion_ *
                       (ao * (1.0 + 1.5 * etasq + eeta * (4.0 + etasq)) +
                        0.375 * kJ2 * tsi / psisq * con41_ * (8.0 + 3.0 * etasq * (8.0 + etasq)));
    const double bstar = e.bstar;
    cc1_ = bstar * cc2;
    double cc3 = 0.0;
    if (ecco > 1.0e-4)
        cc3 = -2.0 * coef * tsi * kJ3OverJ2 * meanMotion_ * sinio / ecco;
    x1mth2_ = 1.0 - cosio2;
    cc4_ = 2.0 * meanMotion_ * coef1 * ao * omeosq *
           (eta_ * (2.0 + 0.5 * etasq) + ecco * (0.5 + 2.0 * etasq) -
            kJ2 * tsi / (ao * psisq) *
                (-3.0 * con41_ * (1.0 - 2.0 * eeta + etasq * (1.5 - 0.5 * eeta)) +
                 0.75 * x1mth2_ * (2.0 * etasq - eeta * (1.0 + etasq)) *
                     std::cos(2.0 * e.argPerigeeRad)));
    cc5_ = 2.0 * coef1 * ao * omeosq * (1.0 + 2.75 * (etasq + eeta) + eeta * etasq);

    // Secular rates of J2 and J4.
    const double cosio4 = cosio2 * cosio2;
    const double temp1 = 1.5 * kJ2 * pinvsq * meanMotion_;
    const double temp2 = 0.5 * temp1 * kJ2 * pinvsq;
    const double temp3 = -0.46875 * kJ4 * pinvsq * pinvsq * meanMotion_;
    mdot_ = meanMotion_ + 0.5 * temp1 * rteosq * con41_ +
            0.0625 * temp2 * rteosq * (13.0 - 78.0 * cosio2 + 137.0 * cosio4);
    argpdot_ = -0.5 * temp1 * con42 + 0.0625 * temp2 * (7.0 - 114.0 * cosio2 + 395.0 * cosio4) +
               temp3 * (3.0 - 36.0 * cosio2 + 49.0 * cosio4);
    const double xhdot1 = -temp1 * cosio;
    nodedot_ = xhdot1 + (0.5 * temp2 * (4.0 - 19.0 * cosio2) + 2.0 * temp3 * (3.0 - 7.0 * cosio2)) * cosio;
    omgcof_ = bstar * cc3 * std::cos(e.argPerigeeRad);
    if (ecco > 1.0e-4)
        xmcof_ = -kTwoThirds * coef * bstar / eeta;
    nodecf_ = 3.5 * omeosq * xhdot1 * cc1_;
    t2cof_ = 1.5 * cc1_;
    xlcof_ = longitudeCoefficient(sinio, cosio);
    aycof_ = -0.5 * kJ3OverJ2 * sinio;
    const double delmotemp = 1.0 + eta_ * std::cos(e.meanAnomalyRad);
    delmo_ = delmotemp * delmotemp * delmotemp;
    sinmao_ = std::sin(e.meanAnomalyRad);
    x7thm1_ = 7.0 * cosio2 - 1.0;

    // Periods of 225 minutes and more are deep space.
    if (kTwoPi / meanMotion_ >= 225.0) {
        deepSpace_ = true;
        simpleDrag_ = true;
        DeepSpaceSetup s;
        s.epochDaysSince1950 = e.epochJd - kJd1950;
        s.gmstAtEpochRad = gmstRadians(e.epochJd);
        s.eccentricity = ecco;
        s.inclinationRad = e.inclinationRad;
        s.raanRad = e.raanRad;
        s.argPerigeeRad = e.argPerigeeRad;
        s.meanAnomalyRad = e.meanAnomalyRad;
        s.meanMotionRadPerMin = meanMotion_;
        s.meanAnomalyRate = mdot_;
        s.argPerigeeRate = argpdot_;
        s.raanRate = nodedot_;
        deep_ = DeepSpace(s);
    }

    if (!simpleDrag_) {
        const double cc1sq = cc1_ * cc1_;
        d2_ = 4.0 * ao * tsi * cc1sq;
        const double temp = d2_ * tsi * cc1_ / 3.0;
        d3_ = (17.0 * ao + sfour) * temp;
        d4_ = 0.5 * temp * ao * tsi * (221.0 * ao + 31.0 * sfour) * cc1_;
        t3cof_ = d2_ + 2.0 * cc1sq;
        t4cof_ = 0.25 * (3.0 * d3_ + cc1_ * (12.0 * d2_ + 10.0 * cc1sq));
        t5cof_ = 0.2 * (3.0 * d4_ + 12.0 * cc1_ * d3_ + 6.0 * d2_ * d2_ +
                        15.0 * cc1sq * (2.0 * d2_ + cc1sq));
    }

    // Like the published initialisation: an element set that fails at its epoch fails always.
    StateVector atEpoch;
    initError_ = propagateModel(0.0, atEpoch);
}

int Sgp4Model::initError() const
{
    return initError_;
}

int Sgp4Model::propagate(double minutesSinceEpoch, StateVector& state)
{
    if (initError_ != kSgp4Ok)
        return initError_;
    if (!std::isfinite(minutesSinceEpoch))
        return kSgp4NotFinite;
    return propagateModel(minutesSinceEpoch, state);
}

int Sgp4Model::propagateModel(double t, StateVector& state)
{
    const MeanElements& e = elements_;

    // Secular effects of gravity and drag.
    const double xmdf = e.meanAnomalyRad + mdot_ * t;
    const double argpdf = e.argPerigeeRad + argpdot_ * t;
    const double nodedf = e.raanRad + nodedot_ * t;
    const double t2 = t * t;
    MeanOrbit m;
    m.argPerigeeRad = argpdf;
    m.meanAnomalyRad = xmdf;
    m.raanRad = nodedf + nodecf_ * t2;
    double tempa = 1.0 - cc1_ * t;
    double tempe = e.bstar * cc4_ * t;
    double templ = t2cof_ * t2;
    if (!simpleDrag_) {
        const double delomg = omgcof_ * t;
        const double delmtemp = 1.0 + eta_ * std::cos(xmdf);
        const double delm = xmcof_ * (delmtemp * delmtemp * delmtemp - delmo_);
        const double temp = delomg + delm;
        m.meanAnomalyRad = xmdf + temp;
        m.argPerigeeRad = argpdf - temp;
        const double t3 = t2 * t;
        const double t4 = t3 * t;
        tempa = tempa - d2_ * t2 - d3_ * t3 - d4_ * t4;
        tempe = tempe + e.bstar * cc5_ * (std::sin(m.meanAnomalyRad) - sinmao_);
        templ = templ + t3cof_ * t3 + t4 * (t4cof_ + t * t5cof_);
    }

    m.meanMotionRadPerMin = meanMotion_;
    m.eccentricity = e.eccentricity;
    m.inclinationRad = e.inclinationRad;
    double am = semiMajorAxisBase_;
    if (deepSpace_) {
        if (deep_.isResonant() && std::fabs(t) > kMaxResonanceMinutes)
            return kSgp4TooFarFromEpoch;
        deep_.addSecular(t, m);
        if (m.meanMotionRadPerMin <= 0.0)
            return kSgp4MeanMotion;
        if (deep_.isResonant())
            am = std::pow(kXke / m.meanMotionRadPerMin, kTwoThirds);
    }
    am = am * tempa * tempa;
    const double nm = kXke / std::pow(am, 1.5);
    double em = m.eccentricity - tempe;
    if (em >= 1.0 || em < -0.001)
        return kSgp4MeanEccentricity;
    if (em < 1.0e-6)
        em = 1.0e-6;
    double mm = m.meanAnomalyRad + meanMotion_ * templ;
    double xlm = mm + m.argPerigeeRad + m.raanRad;
    const double nodem = fmodTwoPi(m.raanRad);
    const double argpm = fmodTwoPi(m.argPerigeeRad);
    xlm = fmodTwoPi(xlm);
    mm = fmodTwoPi(xlm - argpm - nodem);

    // Lunar-solar periodics.
    MeanOrbit p;
    p.eccentricity = em;
    p.inclinationRad = m.inclinationRad;
    p.argPerigeeRad = argpm;
    p.raanRad = nodem;
    p.meanAnomalyRad = mm;
    double sinip = sinInclination_;
    double cosip = cosInclination_;
    double aycof = aycof_;
    double xlcof = xlcof_;
    double con41 = con41_, x1mth2 = x1mth2_, x7thm1 = x7thm1_;
    if (deepSpace_) {
        deep_.addPeriodics(t, p, sinip, cosip);
        if (p.inclinationRad < 0.0) {
            p.inclinationRad = -p.inclinationRad;
            p.raanRad = p.raanRad + kPi;
            p.argPerigeeRad = p.argPerigeeRad - kPi;
            sinip = -sinip;
        }
        if (p.eccentricity < 0.0 || p.eccentricity > 1.0)
            return kSgp4PerturbedEccentricity;
        aycof = -0.5 * kJ3OverJ2 * sinip;
        xlcof = longitudeCoefficient(sinip, cosip);
        const double cosisq = cosip * cosip;
        con41 = 3.0 * cosisq - 1.0;
        x1mth2 = 1.0 - cosisq;
        x7thm1 = 7.0 * cosisq - 1.0;
    }
    const double ep = p.eccentricity;

    // Long-period periodics.
    const double axnl = ep * std::cos(p.argPerigeeRad);
    double temp = 1.0 / (am * (1.0 - ep * ep));
    const double aynl = ep * std::sin(p.argPerigeeRad) + temp * aycof;
    const double xl = p.meanAnomalyRad + p.argPerigeeRad + p.raanRad + temp * xlcof * axnl;

    // Kepler's equation; the sine and cosine kept are those before the last correction.
    const double u = fmodTwoPi(xl - p.raanRad);
    double eo1 = u;
    double tem5 = 9999.9;
    double sineo1 = 0.0;
    double coseo1 = 0.0;
    for (int ktr = 1; std::fabs(tem5) >= 1.0e-12 && ktr <= 10; ++ktr) {
        sineo1 = std::sin(eo1);
        coseo1 = std::cos(eo1);
        tem5 = 1.0 - coseo1 * axnl - sineo1 * aynl;
        tem5 = (u - aynl * coseo1 + axnl * sineo1 - eo1) / tem5;
        if (std::fabs(tem5) >= 0.95)
            tem5 = tem5 > 0.0 ? 0.95 : -0.95;
        eo1 = eo1 + tem5;
    }

    // Short-period preliminary quantities.
    const double ecose = axnl * coseo1 + aynl * sineo1;
    const double esine = axnl * sineo1 - aynl * coseo1;
    const double el2 = axnl * axnl + aynl * aynl;
    const double pl = am * (1.0 - el2);
    if (pl < 0.0)
        return kSgp4SemiLatusRectum;
    const double rl = am * (1.0 - ecose);
    const double rdotl = std::sqrt(am) * esine / rl;
    const double rvdotl = std::sqrt(pl) / rl;
    const double betal = std::sqrt(1.0 - el2);
    temp = esine / (1.0 + betal);
    const double sinu = am / rl * (sineo1 - aynl - axnl * temp);
    const double cosu = am / rl * (coseo1 - axnl + aynl * temp);
    double su = std::atan2(sinu, cosu);
    const double sin2u = (cosu + cosu) * sinu;
    const double cos2u = 1.0 - 2.0 * sinu * sinu;
    temp = 1.0 / pl;
    const double temp1 = 0.5 * kJ2 * temp;
    const double temp2 = temp1 * temp;

    // Short-period periodics.
    const double mrt = rl * (1.0 - 1.5 * temp2 * betal * con41) + 0.5 * temp1 * x1mth2 * cos2u;
    su = su - 0.25 * temp2 * x7thm1 * sin2u;
    const double xnode = p.raanRad + 1.5 * temp2 * cosip * sin2u;
    const double xinc = p.inclinationRad + 1.5 * temp2 * cosip * sinip * cos2u;
    const double mvt = rdotl - nm * temp1 * x1mth2 * sin2u / kXke;
    const double rvdot = rvdotl + nm * temp1 * (x1mth2 * cos2u + 1.5 * con41) / kXke;

    // Orientation vectors, position and velocity.
    const double sinsu = std::sin(su);
    const double cossu = std::cos(su);
    const double snod = std::sin(xnode);
    const double cnod = std::cos(xnode);
    const double sini = std::sin(xinc);
    const double cosi = std::cos(xinc);
    const double xmx = -snod * cosi;
    const double xmy = cnod * cosi;
    const Vec3 uv{xmx * sinsu + cnod * cossu, xmy * sinsu + snod * cossu, sini * sinsu};
    const Vec3 vv{xmx * cossu - cnod * sinsu, xmy * cossu - snod * sinsu, sini * cossu};
    const double mr = mrt * kEarthRadiusKm;
    const Vec3 position{mr * uv.x, mr * uv.y, mr * uv.z};
    const Vec3 velocity{(mvt * uv.x + rvdot * vv.x) * kKmPerSecPerRadiiPerMin,
                        (mvt * uv.y + rvdot * vv.y) * kKmPerSecPerRadiiPerMin,
                        (mvt * uv.z + rvdot * vv.z) * kKmPerSecPerRadiiPerMin};

    if (mrt < 1.0)
        return kSgp4Decayed;
    if (!std::isfinite(position.x) || !std::isfinite(position.y) || !std::isfinite(position.z) ||
        !std::isfinite(velocity.x) || !std::isfinite(velocity.y) || !std::isfinite(velocity.z))
        return kSgp4NotFinite;
    state.positionKm = position;
    state.velocityKmPerSec = velocity;
    return kSgp4Ok;
}

} // namespace kiv::orbit
