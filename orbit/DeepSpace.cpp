#include "orbit/DeepSpace.h"

#include "orbit/OrbitMath.h"
#include "orbit/Sgp4Common.h"

#include <cmath>

namespace kiv::orbit {

namespace {

// Solar and lunar constants of the published model (Spacetrack Report #3, dscom and dpper).
constexpr double kZes = 0.01675;      // eccentricity of the sun's apparent orbit
constexpr double kZel = 0.05490;      // and of the moon's
constexpr double kZns = 1.19459e-5;   // mean motion of the sun, rad/min
constexpr double kZnl = 1.5835218e-4; // and of the moon
constexpr double kC1ss = 2.9864797e-6;
constexpr double kC1l = 4.7968065e-7;
constexpr double kZsinis = 0.39785416;
constexpr double kZcosis = 0.91744867;
constexpr double kZcosgs = 0.1945905;
constexpr double kZsings = -0.98088458;
// Inclinations closer than this to 0 or 180 degrees get no lunar-solar node rate.
constexpr double kNearEquatorialRad = 5.2359877e-2;

// The satellite's orbit at epoch as the lunar-solar terms see it.
struct EpochGeometry {
    double sinI, cosI, sinW, cosW, ecc, eccSq, betaSq, beta, invMeanMotion;
};

// The orbit of a perturbing body: argument of perigee, inclination and node relative to the
// satellite's node, and the body's strength.
struct BodyOrbit {
    double cosg, sing, cosi, sini, cosh, sinh, strength;
};

// The terms of one perturbing body (the s and z quantities of dscom).
struct BodyTerms {
    double s1, s2, s3, s4, s5, s6, s7;
    double z1, z2, z3, z11, z12, z13, z21, z22, z23, z31, z32, z33;
};

BodyTerms bodyTerms(const BodyOrbit& b, const EpochGeometry& g)
{
    const double a1 = b.cosg * b.cosh + b.sing * b.cosi * b.sinh;
    const double a3 = -b.sing * b.cosh + b.cosg * b.cosi * b.sinh;
    const double a7 = -b.cosg * b.sinh + b.sing * b.cosi * b.cosh;
    const double a8 = b.sing * b.sini;
    const double a9 = b.sing * b.sinh + b.cosg * b.cosi * b.cosh;
    const double a10 = b.cosg * b.sini;
    const double a2 = g.cosI * a7 + g.sinI * a8;
    const double a4 = g.cosI * a9 + g.sinI * a10;
    const double a5 = -g.sinI * a7 + g.cosI * a8;
    const double a6 = -g.sinI * a9 + g.cosI * a10;

    const double x1 = a1 * g.cosW + a2 * g.sinW;
    const double x2 = a3 * g.cosW + a4 * g.sinW;
    const double x3 = -a1 * g.sinW + a2 * g.cosW;
    const double x4 = -a3 * g.sinW + a4 * g.cosW;
    const double x5 = a5 * g.sinW;
    const double x6 = a6 * g.sinW;
    const double x7 = a5 * g.cosW;
    const double x8 = a6 * g.cosW;

    BodyTerms t;
    const double emsq = g.eccSq;
    t.z31 = 12.0 * x1 * x1 - 3.0 * x3 * x3;
    t.z32 = 24.0 * x1 * x2 - 6.0 * x3 * x4;
    t.z33 = 12.0 * x2 * x2 - 3.0 * x4 * x4;
    t.z1 = 3.0 * (a1 * a1 + a2 * a2) + t.z31 * emsq;
    t.z2 = 6.0 * (a1 * a3 + a2 * a4) + t.z32 * emsq;
    t.z3 = 3.0 * (a3 * a3 + a4 * a4) + t.z33 * emsq;
    t.z11 = -6.0 * a1 * a5 + emsq * (-24.0 * x1 * x7 - 6.0 * x3 * x5);
    t.z12 = -6.0 * (a1 * a6 + a3 * a5) + emsq * (-24.0 * (x2 * x7 + x1 * x8) - 6.0 * (x3 * x6 + x4 * x5));
    t.z13 = -6.0 * a3 * a6 + emsq * (-24.0 * x2 * x8 - 6.0 * x4 * x6);
    t.z21 = 6.0 * a2 * a5 + emsq * (24.0 * x1 * x5 - 6.0 * x3 * x7);
    t.z22 = 6.0 * (a4 * a5 + a2 * a6) + emsq * (24.0 * (x2 * x5 + x1 * x6) - 6.0 * (x4 * x7 + x3 * x8));
    t.z23 = 6.0 * a4 * a6 + emsq * (24.0 * x2 * x6 - 6.0 * x4 * x8);
    t.z1 = t.z1 + t.z1 + g.betaSq * t.z31;
    t.z2 = t.z2 + t.z2 + g.betaSq * t.z32;
    t.z3 = t.z3 + t.z3 + g.betaSq * t.z33;
    t.s3 = b.strength * g.invMeanMotion;
    t.s2 = -0.5 * t.s3 / g.beta;
    t.s4 = t.s3 * g.beta;
    t.s1 = -15.0 * g.ecc * t.s4;
    t.s5 = x1 * x3 + x2 * x4;
    t.s6 = x2 * x3 + x1 * x4;
    t.s7 = x2 * x4 - x1 * x3;
    return t;
}

// The lunar-solar secular rates of one body (dsinit).
struct BodyRates {
    double e, i, m, gh, h;
};

BodyRates bodyRates(const BodyTerms& t, double n, double eccSq, bool nearEquatorial)
{
    BodyRates r;
    r.e = t.s1 * n * t.s5;
    r.i = t.s2 * n * (t.z11 + t.z13);
    r.m = -n * t.s3 * (t.z1 + t.z3 - 14.0 - 6.0 * eccSq);
    r.gh = t.s4 * n * (t.z31 + t.z33 - 6.0);
    r.h = nearEquatorial ? 0.0 : -n * t.s2 * (t.z21 + t.z23);
    return r;
}

} // namespace

DeepSpace::DeepSpace(const DeepSpaceSetup& s)
{
    EpochGeometry g;
    g.sinI = std::sin(s.inclinationRad);
    g.cosI = std::cos(s.inclinationRad);
    g.sinW = std::sin(s.argPerigeeRad);
    g.cosW = std::cos(s.argPerigeeRad);
    g.ecc = s.eccentricity;
    g.eccSq = g.ecc * g.ecc;
    g.betaSq = 1.0 - g.eccSq;
    g.beta = std::sqrt(g.betaSq);
    g.invMeanMotion = 1.0 / s.meanMotionRadPerMin;
    const double sinNode = std::sin(s.raanRad);
    const double cosNode = std::cos(s.raanRad);

    // The moon's orbit at epoch.
    const double day = s.epochDaysSince1950 + 18261.5;
    const double xnodce = std::fmod(4.5236020 - 9.2422029e-4 * day, kTwoPi);
    const double stem = std::sin(xnodce);
    const double ctem = std::cos(xnodce);
    const double zcosil = 0.91375164 - 0.03568096 * ctem;
    const double zsinil = std::sqrt(1.0 - zcosil * zcosil);
    const double zsinhl = 0.089683511 * stem / zsinil;
    const double zcoshl = std::sqrt(1.0 - zsinhl * zsinhl);
    const double gam = 5.8351514 + 0.0019443680 * day;
    double zx = 0.39785416 * stem / zsinil;
    const double zy = zcoshl * ctem + 0.91744867 * zsinhl * stem;
    zx = std::atan2(zx, zy);
    zx = gam + zx - xnodce;

    const BodyTerms sun = bodyTerms({.cosg = kZcosgs,
                                     .sing = kZsings,
                                     .cosi = kZcosis,
                                     .sini = kZsinis,
                                     .cosh = cosNode,
                                     .sinh = sinNode,
                                     .strength = kC1ss},
                                    g);
    const BodyTerms moon = bodyTerms({.cosg = std::cos(zx),
                                      .sing = std::sin(zx),
                                      .cosi = zcosil,
                                      .sini = zsinil,
                                      .cosh = zcoshl * cosNode + zsinhl * sinNode,
                                      .sinh = sinNode * zcoshl - cosNode * zsinhl,
                                      .strength = kC1l},
                                     g);

    const auto periodics = [&](const BodyTerms& t, double ecc, double m0, double n) {
        BodyPeriodics p;
        p.e2 = 2.0 * t.s1 * t.s6;
        p.e3 = 2.0 * t.s1 * t.s7;
        p.i2 = 2.0 * t.s2 * t.z12;
        p.i3 = 2.0 * t.s2 * (t.z13 - t.z11);
        p.l2 = -2.0 * t.s3 * t.z2;
        p.l3 = -2.0 * t.s3 * (t.z3 - t.z1);
        p.l4 = -2.0 * t.s3 * (-21.0 - 9.0 * g.eccSq) * ecc;
        p.gh2 = 2.0 * t.s4 * t.z32;
        p.gh3 = 2.0 * t.s4 * (t.z33 - t.z31);
        p.gh4 = -18.0 * t.s4 * ecc;
        p.h2 = -2.0 * t.s2 * t.z22;
        p.h3 = -2.0 * t.s2 * (t.z23 - t.z21);
        p.meanAnomalyAtEpochRad = m0;
        p.meanMotionRadPerMin = n;
        p.eccentricity = ecc;
        return p;
    };
    sun_ = periodics(sun, kZes, std::fmod(6.2565837 + 0.017201977 * day, kTwoPi), kZns);
    moon_ = periodics(moon, kZel, std::fmod(4.7199672 + 0.22997150 * day - gam, kTwoPi), kZnl);

    // Secular rates. Near the equator the node is undefined and gets no lunar-solar rate.
    const bool nearEquatorial =
        s.inclinationRad < kNearEquatorialRad || s.inclinationRad > kPi - kNearEquatorialRad;
    const BodyRates rs = bodyRates(sun, kZns, g.eccSq, nearEquatorial);
    const BodyRates rl = bodyRates(moon, kZnl, g.eccSq, nearEquatorial);
    double shs = rs.h;
    if (g.sinI != 0.0)
        shs = shs / g.sinI;
    dedt_ = rs.e + rl.e;
    didt_ = rs.i + rl.i;
    dmdt_ = rs.m + rl.m;
    domdt_ = (rs.gh - g.cosI * shs) + rl.gh;
    dnodt_ = shs;
    if (g.sinI != 0.0) {
        domdt_ = domdt_ - g.cosI / g.sinI * rl.h;
        dnodt_ = dnodt_ + rl.h / g.sinI;
    }

    resonance_ = Resonance(s, {.meanAnomaly = dmdt_, .argPerigee = domdt_, .raan = dnodt_}, g.sinI, g.cosI);
}

void DeepSpace::addSecular(double t, MeanOrbit& m)
{
    m.eccentricity = m.eccentricity + dedt_ * t;
    m.inclinationRad = m.inclinationRad + didt_ * t;
    m.argPerigeeRad = m.argPerigeeRad + domdt_ * t;
    m.raanRad = m.raanRad + dnodt_ * t;
    m.meanAnomalyRad = m.meanAnomalyRad + dmdt_ * t;
    if (resonance_.isActive())
        resonance_.apply(t, m.raanRad, m.argPerigeeRad, m.meanAnomalyRad, m.meanMotionRadPerMin);
}

void DeepSpace::addPeriodics(double t, MeanOrbit& m, double& sinInclination,
                             double& cosInclination) const
{
    struct Terms {
        double e, i, l, gh, h;
    };
    const auto bodyPeriodics = [t](const BodyPeriodics& b) {
        const double zm = b.meanAnomalyAtEpochRad + b.meanMotionRadPerMin * t;
        const double zf = zm + 2.0 * b.eccentricity * std::sin(zm);
        const double sinzf = std::sin(zf);
        const double f2 = 0.5 * sinzf * sinzf - 0.25;
        const double f3 = -0.5 * sinzf * std::cos(zf);
        return Terms{.e = b.e2 * f2 + b.e3 * f3,
                     .i = b.i2 * f2 + b.i3 * f3,
                     .l = b.l2 * f2 + b.l3 * f3 + b.l4 * sinzf,
                     .gh = b.gh2 * f2 + b.gh3 * f3 + b.gh4 * sinzf,
                     .h = b.h2 * f2 + b.h3 * f3};
    };
    const Terms s = bodyPeriodics(sun_);
    const Terms l = bodyPeriodics(moon_);
    const double pe = s.e + l.e;
    const double pinc = s.i + l.i;
    const double pl = s.l + l.l;
    double pgh = s.gh + l.gh;
    double ph = s.h + l.h;

    m.inclinationRad = m.inclinationRad + pinc;
    m.eccentricity = m.eccentricity + pe;
    const double sinip = std::sin(m.inclinationRad);
    const double cosip = std::cos(m.inclinationRad);
    sinInclination = sinip;
    cosInclination = cosip;

    // The 2006 revision chooses by the perturbed inclination: below 0.2 rad the periodics go
    // to the node and perigee through the Lyddane modification, which stays finite at zero.
    if (m.inclinationRad >= 0.2) {
        ph = ph / sinip;
        pgh = pgh - cosip * ph;
        m.argPerigeeRad = m.argPerigeeRad + pgh;
        m.raanRad = m.raanRad + ph;
        m.meanAnomalyRad = m.meanAnomalyRad + pl;
        return;
    }
    const double sinop = std::sin(m.raanRad);
    const double cosop = std::cos(m.raanRad);
    double alfdp = sinip * sinop;
    double betdp = sinip * cosop;
    const double dalf = ph * cosop + pinc * cosip * sinop;
    const double dbet = -ph * sinop + pinc * cosip * cosop;
    alfdp = alfdp + dalf;
    betdp = betdp + dbet;
    double nodep = fmodTwoPi(m.raanRad);
    const double xls =
        m.meanAnomalyRad + m.argPerigeeRad + pl + pgh + (cosip - pinc * sinip) * nodep;
    const double xnoh = nodep;
    nodep = std::atan2(alfdp, betdp);
    if (std::fabs(xnoh - nodep) > kPi)
        nodep = nodep < xnoh ? nodep + kTwoPi : nodep - kTwoPi;
    m.meanAnomalyRad = m.meanAnomalyRad + pl;
    m.argPerigeeRad = xls - m.meanAnomalyRad - cosip * nodep;
    m.raanRad = nodep;
}

} // namespace kiv::orbit
