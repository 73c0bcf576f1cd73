// Sgp4Model beyond the verification set: results independent of the call history (the
// resonance integrator keeps its state between calls), and elements or times the model
// cannot take.
#include "tests/support/Prerequisite.h"
#include "orbit/ElementSet.h"
#include "orbit/Sgp4Model.h"
#include "tests/support/VerificationSet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <random>
#include <vector>

using namespace kiv::orbit;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double radPerMin(double revPerDay)
{
    return revPerDay * kTwoPi / 1440.0;
}

// A low orbit like verification set 06251, and a geostationary one.
MeanElements lowOrbit()
{
    MeanElements e;
    e.epochJd = 2453912.32412014;
    e.bstar = 1.2808e-4;
    e.eccentricity = 0.0030035;
    e.argPerigeeRad = 139.1568 * kDegToRad;
    e.inclinationRad = 58.0579 * kDegToRad;
    e.meanAnomalyRad = 221.1854 * kDegToRad;
    e.meanMotionRadPerMin = radPerMin(15.56387291);
    e.raanRad = 54.0425 * kDegToRad;
    return e;
}

MeanElements geostationary()
{
    MeanElements e;
    e.epochJd = 2453912.96683397;
    e.bstar = 1.0e-4;
    e.eccentricity = 0.0001;
    e.argPerigeeRad = 13.7918 * kDegToRad;
    e.inclinationRad = 0.05 * kDegToRad;
    e.meanAnomalyRad = 55.6504 * kDegToRad;
    e.meanMotionRadPerMin = radPerMin(1.00270176);
    e.raanRad = 286.9433 * kDegToRad;
    return e;
}

bool isFinite(const StateVector& s)
{
    for (const Vec3& v : {s.positionKm, s.velocityKmPerSec})
        if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z))
            return false;
    return true;
}

// Element sets of the verification set by catalog number; empty when it is not installed.
std::map<long, MeanElements> verificationElements(const std::vector<long>& wanted)
{
    std::map<long, MeanElements> found;
    std::vector<kiv::test::VerificationElementSet> sets;
    std::string error;
    if (!std::filesystem::exists(kiv::test::verificationElementsPath()) ||
        !kiv::test::readVerificationElements(kiv::test::verificationElementsPath(), sets, error))
        return found;
    for (const auto& set : sets) {
        for (const long number : wanted) {
            const auto elements = parseElementSet(set.line1, set.line2);
            if (set.catalogNumber == number && elements)
                found.emplace(number, meanElementsOf(*elements));
        }
    }
    return found;
}

} // namespace

TEST(Sgp4Model, ResultsDoNotDependOnTheCallHistory)
{
    // Near earth, 12-hour resonant (two eccentricity ranges), 24-hour resonant, non-resonant
    // deep space, and one with the Lyddane choice at low inclination.
    const std::vector<long> numbers{6251, 8195, 9880, 28626, 14128, 11801, 20413};
    const std::map<long, MeanElements> elements = verificationElements(numbers);
    if (elements.size() != numbers.size())
        KIV_MISSING_PREREQUISITE() << "The SGP4 verification set is not installed ("
                     << kiv::test::verificationElementsPath() << ").";

    std::map<long, Sgp4Model> shared;
    for (const auto& [number, e] : elements)
        shared.emplace(number, Sgp4Model(e));

    std::mt19937_64 random(20061);
    std::uniform_int_distribution<std::size_t> pick(0, numbers.size() - 1);
    std::uniform_real_distribution<double> days(-40.0, 40.0);
    std::uniform_int_distribution<int> kind(0, 3);
    std::map<long, double> lastTime;
    for (int i = 0; i < 3000; ++i) {
        const long number = numbers[pick(random)];
        // Random times, steps on from the last time forward and backward, and now and then years.
        double t = days(random) * 1440.0;
        switch (kind(random)) {
        case 0: t = lastTime[number] + 1.0; break;
        case 1: t = lastTime[number] - 1.0; break;
        case 2: t *= 20.0; break;
        default: break;
        }
        lastTime[number] = t;

        StateVector after;
        StateVector fresh;
        const int code = shared.at(number).propagate(t, after);
        Sgp4Model model(elements.at(number));
        ASSERT_EQ(code, model.propagate(t, fresh)) << number << " at " << t << " min";
        if (code != kSgp4Ok)
            continue;
        ASSERT_LE(norm(after.positionKm - fresh.positionKm), 1e-9) << number << " at " << t << " min";
        ASSERT_LE(norm(after.velocityKmPerSec - fresh.velocityKmPerSec), 1e-12) << number;
    }
}

TEST(Sgp4Model, CopiesCarryOnIndependently)
{
    Sgp4Model source(geostationary());
    StateVector s;
    ASSERT_EQ(source.propagate(5000.0, s), kSgp4Ok);
    Sgp4Model copy = source;
    StateVector a;
    StateVector b;
    ASSERT_EQ(copy.propagate(-3000.0, a), kSgp4Ok);
    ASSERT_EQ(source.propagate(9000.0, s), kSgp4Ok);
    ASSERT_EQ(source.propagate(-3000.0, b), kSgp4Ok);
    EXPECT_LE(norm(a.positionKm - b.positionKm), 1e-9);
}

TEST(Sgp4Model, RejectsElementsItCannotTake)
{
    const auto initErrorWith = [](auto change) {
        MeanElements e = lowOrbit();
        change(e);
        Sgp4Model model(e);
        StateVector s;
        EXPECT_EQ(model.propagate(10.0, s), model.initError());
        return model.initError();
    };
    EXPECT_EQ(initErrorWith([](MeanElements&) {}), kSgp4Ok);
    EXPECT_EQ(initErrorWith([](MeanElements& e) { e.meanMotionRadPerMin = 0.0; }), kSgp4MeanMotion);
    EXPECT_EQ(initErrorWith([](MeanElements& e) { e.meanMotionRadPerMin = -0.06; }), kSgp4MeanMotion);
    EXPECT_EQ(initErrorWith([](MeanElements& e) { e.eccentricity = 1.0; }), kSgp4MeanEccentricity);
    EXPECT_EQ(initErrorWith([](MeanElements& e) { e.eccentricity = 1.5; }), kSgp4MeanEccentricity);
    EXPECT_EQ(initErrorWith([](MeanElements& e) { e.eccentricity = -0.0001; }), kSgp4MeanEccentricity);
    EXPECT_EQ(initErrorWith([](MeanElements& e) { e.eccentricity = kNaN; }), kSgp4MeanEccentricity);
    EXPECT_EQ(initErrorWith([](MeanElements& e) { e.meanMotionRadPerMin = kNaN; }), kSgp4MeanMotion);

    // Every other field not finite, in a near-earth and a deep-space orbit.
    double MeanElements::*fields[] = {&MeanElements::epochJd,        &MeanElements::bstar,
                                      &MeanElements::argPerigeeRad,  &MeanElements::inclinationRad,
                                      &MeanElements::meanAnomalyRad, &MeanElements::meanMotionRadPerMin,
                                      &MeanElements::raanRad};
    for (const MeanElements base : {lowOrbit(), geostationary()}) {
        for (const auto field : fields) {
            for (const double bad : {kNaN, kInf, -kInf}) {
                MeanElements e = base;
                e.*field = bad;
                Sgp4Model model(e);
                StateVector s;
                EXPECT_NE(model.initError(), kSgp4Ok);
                EXPECT_NE(model.propagate(60.0, s), kSgp4Ok);
            }
        }
    }
}

TEST(Sgp4Model, RejectsTimesItCannotTakeAndCarriesOn)
{
    for (const MeanElements& e : {lowOrbit(), geostationary()}) {
        Sgp4Model model(e);
        ASSERT_EQ(model.initError(), kSgp4Ok);
        StateVector before;
        ASSERT_EQ(model.propagate(100.0, before), kSgp4Ok);
        StateVector s = before;
        EXPECT_EQ(model.propagate(kNaN, s), kSgp4NotFinite);
        EXPECT_EQ(model.propagate(kInf, s), kSgp4NotFinite);
        EXPECT_EQ(model.propagate(-kInf, s), kSgp4NotFinite);
        // A failed call leaves the state as it was.
        EXPECT_EQ(s.positionKm.x, before.positionKm.x);
        EXPECT_EQ(s.velocityKmPerSec.z, before.velocityKmPerSec.z);
        StateVector again;
        ASSERT_EQ(model.propagate(100.0, again), kSgp4Ok);
        EXPECT_EQ(again.positionKm.y, before.positionKm.y);
    }

    // The resonance integrator would need millions of steps; far times fail at once.
    Sgp4Model resonant(geostationary());
    StateVector s;
    EXPECT_EQ(resonant.propagate(1.0e12, s), kSgp4TooFarFromEpoch);
    EXPECT_EQ(resonant.propagate(-1.0e12, s), kSgp4TooFarFromEpoch);
    EXPECT_EQ(resonant.propagate(30.0 * 525960.0, s), kSgp4Ok); // 30 years
    EXPECT_TRUE(isFinite(s));
}

TEST(Sgp4Model, NeverGivesNonFiniteResults)
{
    // Far from the epoch the drag polynomials run away: an error or a finite state, nothing else.
    MeanElements polar = lowOrbit();
    polar.inclinationRad = kPi; // 180 degrees: the J3 term's 1 + cos i is zero
    MeanElements equatorial = geostationary();
    equatorial.inclinationRad = 0.0;
    MeanElements retrogradeGeo = geostationary();
    retrogradeGeo.inclinationRad = kPi;
    for (const MeanElements& e : {lowOrbit(), polar, equatorial, retrogradeGeo}) {
        Sgp4Model model(e);
        EXPECT_EQ(model.initError(), kSgp4Ok);
        for (const double t : {0.0, 1.0, -1.0, 1.0e4, -1.0e4, 1.0e6, -1.0e6, 1.0e9, -1.0e9, 1.0e300}) {
            StateVector s;
            if (model.propagate(t, s) == kSgp4Ok) {
                EXPECT_TRUE(isFinite(s)) << "at " << t << " min";
            }
        }
    }
}
