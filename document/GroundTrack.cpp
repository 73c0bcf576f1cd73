#include "document/GroundTrack.h"

#include "orbit/CSGP4_SDP4.h"

#include <algorithm>
#include <cmath>

namespace kiv {

double trackStep(double routeLengthFactor, int points, double meanMotion)
{
    const double step = routeLengthFactor / (points * meanMotion);
    return std::isfinite(step) && step > 0.0 ? step : 0.0;
}

void allocateTrack(tagSATINFO& info, tagSATHISTORY& history, int points)
{
    const auto size = static_cast<std::size_t>(std::max(points, 0) + 1);
    info.trackLat.assign(size, 0.0);
    info.trackLon.assign(size, 0.0);
    info.trackAlt.assign(size, 0.0);
    history.posTrack.assign(size, tagVECTOR{});
    history.velTrack.assign(size, tagVECTOR{});
    history.timeTrack.assign(size, 0.0);
    info.accum = 0.0;
    info.lastJd = 0.0;
}

void releaseTrack(tagSATINFO& info, tagSATHISTORY& history)
{
    info.trackLat.clear();
    info.trackLon.clear();
    info.trackAlt.clear();
    history = tagSATHISTORY{};
}

namespace {

// Computes ring entry j at time t.
void fillPoint(tagSATINFO& info, tagSATHISTORY& history, CSGP4_SDP4& orbit, std::size_t j, double t, bool withHistory)
{
    orbit.SGP(t); // a failed point repeats the last good state
    if (withHistory) {
        history.posTrack[j] = orbit.GetPos();
        history.velTrack[j] = orbit.GetVel();
        history.timeTrack[j] = t;
    }
    orbit.CalculateLatLonAlt(t);
    info.trackLat[j] = orbit.GetLat();
    info.trackLon[j] = orbit.GetLon();
    info.trackAlt[j] = orbit.GetAlt() / 1000.0;
}

// Moves entries [from, from + count) to [to, to + count) in every ring array.
template <typename Array>
void moveEntries(Array& a, std::size_t from, std::size_t to, std::size_t count)
{
    if (from > to)
        std::copy(a.begin() + from, a.begin() + from + count, a.begin() + to);
    else
        std::copy_backward(a.begin() + from, a.begin() + from + count, a.begin() + to + count);
}

void moveRing(tagSATINFO& info, tagSATHISTORY& history, std::size_t from, std::size_t to, std::size_t count,
              bool withHistory)
{
    moveEntries(info.trackLat, from, to, count);
    moveEntries(info.trackLon, from, to, count);
    moveEntries(info.trackAlt, from, to, count);
    if (withHistory) {
        moveEntries(history.posTrack, from, to, count);
        moveEntries(history.velTrack, from, to, count);
        moveEntries(history.timeTrack, from, to, count);
    }
}

} // namespace

namespace {

// What advanceTrack does at jd: nothing, the whole ring anew, or a shift by whole steps.
struct TrackPlan {
    enum Kind { None, Whole, Shift } kind = None;
    double dt = 0.0;    // days since the ring's last point, with the carried remainder
    double steps = 0.0; // dt in track steps
};

TrackPlan planTrack(const tagSATINFO& info, double jd, const TrackUpdate& update)
{
    TrackPlan plan;
    plan.dt = jd - info.lastJd + info.accum;
    const auto n = static_cast<std::size_t>(update.points);
    if (!update.trackShown || info.step <= 0.0 || std::fabs(plan.dt) <= info.step || info.trackLat.size() < n + 1 ||
        n == 0)
        return plan;
    plan.steps = plan.dt / info.step;
    plan.kind = std::fabs(plan.steps) >= update.points ? TrackPlan::Whole : TrackPlan::Shift;
    return plan;
}

} // namespace

int pointsDue(const tagSATINFO& info, double jd, const TrackUpdate& update)
{
    const TrackPlan plan = planTrack(info, jd, update);
    switch (plan.kind) {
    case TrackPlan::Whole:
        return update.points;
    case TrackPlan::Shift:
        return static_cast<int>(std::fabs(std::trunc(plan.steps)));
    case TrackPlan::None:
        break;
    }
    return 0;
}

void advanceTrack(tagSATINFO& info, tagSATHISTORY& history, CSGP4_SDP4& orbit, double jd, const TrackUpdate& update)
{
    const TrackPlan plan = planTrack(info, jd, update);
    info.lastJd = jd;
    if (plan.kind == TrackPlan::None) {
        info.accum = plan.dt;
        return;
    }
    const auto n = static_cast<std::size_t>(update.points);
    const double steps = plan.steps;
    const bool withHistory = update.withHistory;
    if (plan.kind == TrackPlan::Whole) {
        // Too far for a shift: the whole ring anew, centred on jd.
        const double start = jd - update.points * info.step / 2.0;
        for (std::size_t k = 0; k < n; ++k)
            fillPoint(info, history, orbit, k, k * info.step + start, withHistory);
        info.lastTrack = (update.points - 1) * info.step + start;
        info.accum = 0.0;
        return;
    }
    const double whole = std::trunc(steps);
    info.accum = (steps - whole) * info.step;
    const auto m = static_cast<std::size_t>(std::fabs(whole));
    if (whole > 0.0) {
        moveRing(info, history, m, 0, n - m, withHistory);
        for (std::size_t k = 0; k < m; ++k)
            fillPoint(info, history, orbit, n - m + k, (k + 1.0) * info.step + info.lastTrack, withHistory);
        info.lastTrack += whole * info.step;
    } else {
        const double first = info.lastTrack - (update.points - 1) * info.step;
        moveRing(info, history, 0, m, n - m, withHistory);
        for (std::size_t k = 0; k < m; ++k)
            fillPoint(info, history, orbit, k, first - static_cast<double>(m - k) * info.step, withHistory);
        info.lastTrack += whole * info.step;
    }
}

} // namespace kiv
