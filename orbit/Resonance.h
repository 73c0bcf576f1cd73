#pragma once
// The geopotential resonance of deep-space orbits in the SGP4 model (2006 revision): orbits of
// about one day (geostationary) and half-day orbits of high eccentricity (Molniya). The
// resonance angle and the mean motion are integrated numerically in 720-minute steps.

namespace kiv::orbit {

// What the deep-space initialisation (DeepSpace, Resonance) takes from the near-earth one.
struct DeepSpaceSetup {
    double epochDaysSince1950 = 0.0; // days since 1950 January 0.0 UTC
    double gmstAtEpochRad = 0.0;
    double eccentricity = 0.0;
    double inclinationRad = 0.0;
    double raanRad = 0.0;
    double argPerigeeRad = 0.0;
    double meanAnomalyRad = 0.0;
    double meanMotionRadPerMin = 0.0; // un-Kozai'd (Brouwer) mean motion
    double meanAnomalyRate = 0.0;     // rad/min, secular rates of the near-earth part
    double argPerigeeRate = 0.0;
    double raanRate = 0.0;
};

// Secular rates of sun and moon, rad/min.
struct LunarSolarRates {
    double meanAnomaly = 0.0;
    double argPerigee = 0.0;
    double raan = 0.0;
};

class Resonance {
public:
    Resonance() = default;
    // Inactive for an orbit in neither resonance.
    Resonance(const DeepSpaceSetup& setup, const LunarSolarRates& lunarSolar, double sinInclination,
              double cosInclination);

    bool isActive() const { return kind_ != Kind::None; }

    // Replaces the mean anomaly and mean motion at t minutes since epoch, given the secularly
    // updated node and perigee. The integrator steps on from the nearest state it kept that lies
    // between the epoch and t, else from the epoch; either way the result is the same, since the
    // states on the 720-minute grid do not depend on where the integration started.
    void apply(double t, double raanRad, double argPerigeeRad, double& meanAnomalyRad,
               double& meanMotionRadPerMin);

private:
    enum class Kind { None, OneDay, HalfDay };
    // The integrator's state and the derivatives there.
    struct State {
        double atime = 0.0; // minutes since epoch
        double xli = 0.0;   // resonance angle
        double xni = 0.0;   // mean motion
        double xldot = 0.0, xndt = 0.0, xnddt = 0.0;
    };

    void initOneDay(const DeepSpaceSetup& s, const LunarSolarRates& ls, double sinI, double cosI,
                    double aonv, double theta);
    void initHalfDay(const DeepSpaceSetup& s, const LunarSolarRates& ls, double sinI, double cosI,
                     double aonv, double theta);
    void computeRates(State& s) const;
    void integrate(double t, double& meanMotion, double& resonanceAngle);

    // A few states kept, so that callers alternating between times (the satellite now and the
    // points of its track ahead or behind) do not integrate from the epoch again and again.
    static constexpr int kKeptStates = 4;
    struct KeptState {
        State state;
        unsigned lastUse = 0;
    };
    const State& startFor(double t);
    void keep(const State& state);

    Kind kind_ = Kind::None;
    double gmstAtEpochRad_ = 0.0;
    double meanMotion_ = 0.0;
    double argPerigee_ = 0.0, argPerigeeRate_ = 0.0;
    double xfact_ = 0.0, xlamo_ = 0.0;
    double del1_ = 0.0, del2_ = 0.0, del3_ = 0.0;
    double d2201_ = 0.0, d2211_ = 0.0, d3210_ = 0.0, d3222_ = 0.0, d4410_ = 0.0;
    double d4422_ = 0.0, d5220_ = 0.0, d5232_ = 0.0, d5421_ = 0.0, d5433_ = 0.0;
    State atEpoch_;
    KeptState kept_[kKeptStates];
    int keptCount_ = 0;
    unsigned uses_ = 0;
};

} // namespace kiv::orbit
