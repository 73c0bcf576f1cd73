#include "orbit/Resonance.h"

#include "orbit/Sgp4Common.h"

#include <cmath>

namespace kiv::orbit {

namespace {

// Earth rotation per minute as the model uses it (7.29211514668855e-5 rad/s).
constexpr double kRptim = 4.37526908801129966e-3;

} // namespace

Resonance::Resonance(const DeepSpaceSetup& s, const LunarSolarRates& ls, double sinI, double cosI)
{
    const double nm = s.meanMotionRadPerMin;
    if (0.0034906585 < nm && nm < 0.0052359877)
        kind_ = Kind::OneDay;
    if (8.26e-3 <= nm && nm <= 9.24e-3 && s.eccentricity >= 0.5)
        kind_ = Kind::HalfDay;
    if (kind_ == Kind::None)
        return;

    gmstAtEpochRad_ = s.gmstAtEpochRad;
    meanMotion_ = nm;
    argPerigee_ = s.argPerigeeRad;
    argPerigeeRate_ = s.argPerigeeRate;
    const double theta = std::fmod(s.gmstAtEpochRad, kTwoPi);
    const double aonv = std::pow(nm / wgs72::kXke, 2.0 / 3.0);
    if (kind_ == Kind::HalfDay)
        initHalfDay(s, ls, sinI, cosI, aonv, theta);
    else
        initOneDay(s, ls, sinI, cosI, aonv, theta);

    atEpoch_.atime = 0.0;
    atEpoch_.xli = xlamo_;
    atEpoch_.xni = nm;
    computeRates(atEpoch_);
}

void Resonance::initOneDay(const DeepSpaceSetup& s, const LunarSolarRates& ls, double sinI,
                           double cosI, double aonv, double theta)
{
    const double nm = s.meanMotionRadPerMin;
    const double emsq = s.eccentricity * s.eccentricity;
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
    xfact_ = s.meanAnomalyRate + xpidot - kRptim + ls.meanAnomaly + ls.argPerigee + ls.raan - nm;
}

void Resonance::initHalfDay(const DeepSpaceSetup& s, const LunarSolarRates& ls, double sinI,
                            double cosI, double aonv, double theta)
{
    const double nm = s.meanMotionRadPerMin;
    const double em = s.eccentricity;
    const double emsq = em * em;
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
    xfact_ = s.meanAnomalyRate + ls.meanAnomaly + 2.0 * (s.raanRate + ls.raan - kRptim) - nm;
}

void Resonance::computeRates(State& s) const
{
    const double xli = s.xli;
    if (kind_ == Kind::OneDay) {
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

// The kept state furthest out between the epoch and t, on t's side; the epoch when there is none.
const Resonance::State& Resonance::startFor(double t)
{
    KeptState* best = nullptr;
    for (int i = 0; i < keptCount_; ++i) {
        const double atime = kept_[i].state.atime;
        if (t * atime > 0.0 && std::fabs(atime) <= std::fabs(t) &&
            (!best || std::fabs(atime) > std::fabs(best->state.atime)))
            best = &kept_[i];
    }
    if (!best)
        return atEpoch_;
    best->lastUse = ++uses_;
    return best->state;
}

// Keeps a state, in place of the one used longest ago when all places are taken.
void Resonance::keep(const State& state)
{
    for (int i = 0; i < keptCount_; ++i) {
        if (kept_[i].state.atime == state.atime)
            return;
    }
    KeptState* slot = &kept_[0];
    if (keptCount_ < kKeptStates) {
        slot = &kept_[keptCount_++];
    } else {
        for (KeptState& k : kept_) {
            if (k.lastUse < slot->lastUse)
                slot = &k;
        }
    }
    slot->state = state;
    slot->lastUse = ++uses_;
}

// Euler-Maclaurin integration in 720-minute steps. The derivatives are kept with the state, so a
// call that needs no new step costs no trigonometry.
void Resonance::integrate(double t, double& meanMotion, double& resonanceAngle)
{
    constexpr double step = 720.0;
    constexpr double halfStepSq = step * step / 2.0;
    State s = startFor(t);
    const double delt = t > 0.0 ? step : -step;
    const double start = s.atime;
    while (std::fabs(t - s.atime) >= step) {
        s.xli = s.xli + s.xldot * delt + s.xndt * halfStepSq;
        s.xni = s.xni + s.xndt * delt + s.xnddt * halfStepSq;
        s.atime = s.atime + delt;
        computeRates(s);
    }
    if (s.atime != start)
        keep(s);
    const double ft = t - s.atime;
    meanMotion = s.xni + s.xndt * ft + s.xnddt * ft * ft * 0.5;
    resonanceAngle = s.xli + s.xldot * ft + s.xndt * ft * ft * 0.5;
}

void Resonance::apply(double t, double raanRad, double argPerigeeRad, double& meanAnomalyRad,
                      double& meanMotionRadPerMin)
{
    const double theta = fmodTwoPi(gmstAtEpochRad_ + t * kRptim);
    double nm = 0.0;
    double xl = 0.0;
    integrate(t, nm, xl);
    if (kind_ == Kind::HalfDay)
        meanAnomalyRad = xl - 2.0 * raanRad + 2.0 * theta;
    else
        meanAnomalyRad = xl - raanRad - argPerigeeRad + theta;
    const double dndt = nm - meanMotion_;
    meanMotionRadPerMin = meanMotion_ + dndt;
}

} // namespace kiv::orbit
