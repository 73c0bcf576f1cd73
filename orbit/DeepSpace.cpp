#include "orbit/DeepSpace.h"

#include "orbit/OrbitMath.h"
#include "orbit/Wgs72.h"

#include <cmath>

namespace orbit {

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
// Earth rotation per minute as the model uses it (7.29211514668855e-5 rad/s).
constexpr double kRptim = 4.37526908801129966e-3;
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

    const BodyTerms sun = bodyTerms({kZcosgs, kZsings, kZcosis, kZsinis, cosNode, sinNode, kC1ss}, g);
    const BodyTerms moon = bodyTerms({std::cos(zx), std::sin(zx), zcosil, zsinil,
                                      zcoshl * cosNode + zsinhl * sinNode,
                                      sinNode * zcoshl - cosNode * zsinhl, kC1l},
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

    initResonance(s, g.sinI, g.cosI, dmdt_, domdt_, dnodt_);
}

void DeepSpace::initResonance(const DeepSpaceSetup& s, double sinI, double cosI, double dmdt,
                              double domdt, double dnodt)
{
    const double nm = s.meanMotionRadPerMin;
    const double em = s.eccentricity;
    if (0.0034906585 < nm && nm < 0.0052359877)
        resonance_ = Resonance::OneDay;
    if (8.26e-3 <= nm && nm <= 9.24e-3 && em >= 0.5)
        resonance_ = Resonance::HalfDay;
    if (resonance_ == Resonance::None)
        return;

    gmstAtEpochRad_ = s.gmstAtEpochRad;
    meanMotion_ = nm;
    argPerigee_ = s.argPerigeeRad;
    argPerigeeRate_ = s.argPerigeeRate;
    const double theta = std::fmod(s.gmstAtEpochRad, kTwoPi);
    const double aonv = std::pow(nm / wgs72::kXke, 2.0 / 3.0);
    const double emsq = em * em;

    if (resonance_ == Resonance::HalfDay) {
        const double cosisq = cosI * cosI;
        const double eoc = em * emsq;
        const double g201 = -0.306 - (em - 0.64) * 0.440;
        double g211, g310, g322, g410, g422, g520, g521, g532, g533;
        if (em <= 0.65) {
            g211 = 3.616 - 13.2470 * em + 16.2900 * emsq;
            g310 = -19.302 + 117.3900 * em - 228.4190 * emsq + 156.5910 * eoc;
            g322 = -18.9068 + 109.7927 * em - 214.6334 * emsq + 146.5816 * eoc;
            g410 = -41.122 + 242.6940 * em - 471.0940 * emsq + 313.9530 * eoc;
            g422 = -146.407 + 841.8800 * em - 1629.014 * emsq + 1083.4350 * eoc;
            g520 = -532.114 + 3017.977 * em - 5740.032 * emsq + 3708.2760 * eoc;
        } else {
            g211 = -72.099 + 331.819 * em - 508.738 * emsq + 266.724 * eoc;
            g310 = -346.844 + 1582.851 * em - 2415.925 * emsq + 1246.113 * eoc;
            g322 = -342.585 + 1554.908 * em - 2366.899 * emsq + 1215.972 * eoc;
            g410 = -1052.797 + 4758.686 * em - 7193.992 * emsq + 3651.957 * eoc;
            g422 = -3581.690 + 16178.110 * em - 24462.770 * emsq + 12422.520 * eoc;
            if (em > 0.715)
                g520 = -5149.66 + 29936.92 * em - 54087.36 * emsq + 31324.56 * eoc;
            else
                g520 = 1464.74 - 4664.75 * em + 3763.64 * emsq;
        }
        if (em < 0.7) {
            g533 = -919.22770 + 4988.6100 * em - 9064.7700 * emsq + 5542.21 * eoc;
            g521 = -822.71072 + 4568.6173 * em - 8491.4146 * emsq + 5337.524 * eoc;
            g532 = -853.66600 + 4690.2500 * em - 8624.7700 * emsq + 5341.4 * eoc;
        } else {
            g533 = -37995.780 + 161616.52 * em - 229838.20 * emsq + 109377.94 * eoc;
            g521 = -51752.104 + 218913.95 * em - 309468.16 * emsq + 146349.42 * eoc;
            g532 = -40023.880 + 170470.89 * em - 242699.48 * emsq + 115605.82 * eoc;
        }

        const double sini2 = sinI * sinI;
        const double f220 = 0.75 * (1.0 + 2.0 * cosI + cosisq);
        const double f221 = 1.5 * sini2;
        const double f321 = 1.875 * sinI * (1.0 - 2.0 * cosI - 3.0 * cosisq);
        const double f322 = -1.875 * sinI * (1.0 + 2.0 * cosI - 3.0 * cosisq);
        const double f441 = 35.0 * sini2 * f220;
        const double f442 = 39.3750 * sini2 * sini2;
        const double f522 = 9.84375 * sinI *
                            (sini2 * (1.0 - 2.0 * cosI - 5.0 * cosisq) +
                             0.33333333 * (-2.0 + 4.0 * cosI + 6.0 * cosisq));
        const double f523 = sinI * (4.92187512 * sini2 * (-2.0 - 4.0 * cosI + 10.0 * cosisq) +
                                    6.56250012 * (1.0 + 2.0 * cosI - 3.0 * cosisq));
        const double f542 =
            29.53125 * sinI * (2.0 - 8.0 * cosI + cosisq * (-12.0 + 8.0 * cosI + 10.0 * cosisq));
        const double f543 =
            29.53125 * sinI * (-2.0 - 8.0 * cosI + cosisq * (12.0 + 8.0 * cosI - 10.0 * cosisq));

        constexpr double root22 = 1.7891679e-6, root32 = 3.7393792e-7, root44 = 7.3636953e-9;
        constexpr double root52 = 1.1428639e-7, root54 = 2.1765803e-9;
        const double xno2 = nm * nm;
        const double ainv2 = aonv * aonv;
        double temp1 = 3.0 * xno2 * ainv2;
        double temp = temp1 * root22;
        d2201_ = temp * f220 * g201;
        d2211_ = temp * f221 * g211;
        temp1 = temp1 * aonv;
        temp = temp1 * root32;
        d3210_ = temp * f321 * g310;
        d3222_ = temp * f322 * g322;
        temp1 = temp1 * aonv;
        temp = 2.0 * temp1 * root44;
        d4410_ = temp * f441 * g410;
        d4422_ = temp * f442 * g422;
        temp1 = temp1 * aonv;
        temp = temp1 * root52;
        d5220_ = temp * f522 * g520;
        d5232_ = temp * f523 * g532;
        temp = 2.0 * temp1 * root54;
        d5421_ = temp * f542 * g521;
        d5433_ = temp * f543 * g533;
        xlamo_ = std::fmod(s.meanAnomalyRad + s.raanRad + s.raanRad - theta - theta, kTwoPi);
        xfact_ = s.meanAnomalyRate + dmdt + 2.0 * (s.raanRate + dnodt - kRptim) - nm;
    } else {
        constexpr double q22 = 1.7891679e-6, q31 = 2.1460748e-6, q33 = 2.2123015e-7;
        const double g200 = 1.0 + emsq * (-2.5 + 0.8125 * emsq);
        const double g310 = 1.0 + 2.0 * emsq;
        const double g300 = 1.0 + emsq * (-6.0 + 6.60937 * emsq);
        const double f220 = 0.75 * (1.0 + cosI) * (1.0 + cosI);
        const double f311 = 0.9375 * sinI * sinI * (1.0 + 3.0 * cosI) - 0.75 * (1.0 + cosI);
        double f330 = 1.0 + cosI;
        f330 = 1.875 * f330 * f330 * f330;
        const double del1 = 3.0 * nm * nm * aonv * aonv;
        del2_ = 2.0 * del1 * f220 * g200 * q22;
        del3_ = 3.0 * del1 * f330 * g300 * q33 * aonv;
        del1_ = del1 * f311 * g310 * q31 * aonv;
        xlamo_ = std::fmod(s.meanAnomalyRad + s.raanRad + s.argPerigeeRad - theta, kTwoPi);
        const double xpidot = s.argPerigeeRate + s.raanRate;
        xfact_ = s.meanAnomalyRate + xpidot - kRptim + dmdt + domdt + dnodt - nm;
    }

    atEpoch_.atime = 0.0;
    atEpoch_.xli = xlamo_;
    atEpoch_.xni = nm;
    computeRates(atEpoch_);
    state_ = atEpoch_;
}

void DeepSpace::computeRates(ResonanceState& s) const
{
    const double xli = s.xli;
    if (resonance_ == Resonance::OneDay) {
        constexpr double fasx2 = 0.13130908, fasx4 = 2.8843198, fasx6 = 0.37448087;
        const double a1 = xli - fasx2, a2 = 2.0 * (xli - fasx4), a3 = 3.0 * (xli - fasx6);
        s.xndt = del1_ * std::sin(a1) + del2_ * std::sin(a2) + del3_ * std::sin(a3);
        s.xldot = s.xni + xfact_;
        s.xnddt = del1_ * std::cos(a1) + 2.0 * del2_ * std::cos(a2) + 3.0 * del3_ * std::cos(a3);
        s.xnddt = s.xnddt * s.xldot;
        return;
    }
    constexpr double g22 = 5.7686396, g32 = 0.95240898, g44 = 1.8014998;
    constexpr double g52 = 1.0508330, g54 = 4.4108898;
    const double xomi = argPerigee_ + argPerigeeRate_ * s.atime;
    const double x2omi = xomi + xomi;
    const double x2li = xli + xli;
    const double a2201 = x2omi + xli - g22, a2211 = xli - g22;
    const double a3210 = xomi + xli - g32, a3222 = -xomi + xli - g32;
    const double a4410 = x2omi + x2li - g44, a4422 = x2li - g44;
    const double a5220 = xomi + xli - g52, a5232 = -xomi + xli - g52;
    const double a5421 = xomi + x2li - g54, a5433 = -xomi + x2li - g54;
    s.xndt = d2201_ * std::sin(a2201) + d2211_ * std::sin(a2211) + d3210_ * std::sin(a3210) +
             d3222_ * std::sin(a3222) + d4410_ * std::sin(a4410) + d4422_ * std::sin(a4422) +
             d5220_ * std::sin(a5220) + d5232_ * std::sin(a5232) + d5421_ * std::sin(a5421) +
             d5433_ * std::sin(a5433);
    s.xldot = s.xni + xfact_;
    s.xnddt = d2201_ * std::cos(a2201) + d2211_ * std::cos(a2211) + d3210_ * std::cos(a3210) +
              d3222_ * std::cos(a3222) + d5220_ * std::cos(a5220) + d5232_ * std::cos(a5232) +
              2.0 * (d4410_ * std::cos(a4410) + d4422_ * std::cos(a4422) +
                     d5421_ * std::cos(a5421) + d5433_ * std::cos(a5433));
    s.xnddt = s.xnddt * s.xldot;
}

// Euler-Maclaurin integration in 720-minute steps. The derivatives are kept with the state, so a
// call that needs no new step costs no trigonometry.
void DeepSpace::integrate(double t, double& meanMotion, double& resonanceAngle)
{
    constexpr double step = 720.0;
    constexpr double halfStepSq = step * step / 2.0;
    if (state_.atime == 0.0 || t * state_.atime <= 0.0 || std::fabs(t) < std::fabs(state_.atime))
        state_ = atEpoch_;
    const double delt = t > 0.0 ? step : -step;
    while (std::fabs(t - state_.atime) >= step) {
        state_.xli = state_.xli + state_.xldot * delt + state_.xndt * halfStepSq;
        state_.xni = state_.xni + state_.xndt * delt + state_.xnddt * halfStepSq;
        state_.atime = state_.atime + delt;
        computeRates(state_);
    }
    const double ft = t - state_.atime;
    meanMotion = state_.xni + state_.xndt * ft + state_.xnddt * ft * ft * 0.5;
    resonanceAngle = state_.xli + state_.xldot * ft + state_.xndt * ft * ft * 0.5;
}

void DeepSpace::addSecular(double t, MeanOrbit& m)
{
    m.eccentricity = m.eccentricity + dedt_ * t;
    m.inclinationRad = m.inclinationRad + didt_ * t;
    m.argPerigeeRad = m.argPerigeeRad + domdt_ * t;
    m.raanRad = m.raanRad + dnodt_ * t;
    m.meanAnomalyRad = m.meanAnomalyRad + dmdt_ * t;
    if (resonance_ == Resonance::None)
        return;

    const double theta = std::fmod(gmstAtEpochRad_ + t * kRptim, kTwoPi);
    double nm = 0.0;
    double xl = 0.0;
    integrate(t, nm, xl);
    if (resonance_ == Resonance::HalfDay)
        m.meanAnomalyRad = xl - 2.0 * m.raanRad + 2.0 * theta;
    else
        m.meanAnomalyRad = xl - m.raanRad - m.argPerigeeRad + theta;
    const double dndt = nm - meanMotion_;
    m.meanMotionRadPerMin = meanMotion_ + dndt;
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
        return Terms{b.e2 * f2 + b.e3 * f3, b.i2 * f2 + b.i3 * f3,
                     b.l2 * f2 + b.l3 * f3 + b.l4 * sinzf, b.gh2 * f2 + b.gh3 * f3 + b.gh4 * sinzf,
                     b.h2 * f2 + b.h3 * f3};
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
    double nodep = std::fmod(m.raanRad, kTwoPi);
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

} // namespace orbit
