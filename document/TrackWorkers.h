#pragma once
// The propagation of many satellites spread over every core: a pool of workers started at the
// first large piece of work and kept from then on, each with an orbit object of its own, since
// an orbit object keeps the state of what it last propagated. The calling thread works too,
// with the orbit object it is given. Small work stays on the calling thread alone.

#include <functional>
#include <memory>
#include <vector>

class CSGP4_SDP4;

namespace kiv {

class WorkerPool;

class TrackWorkers {
public:
    // Below this many track points (a satellite's present position counts as one) the work stays
    // on the calling thread. Handing 255 pieces to 8 threads and waiting for the last one took
    // 20-35 us (bench_tick HandOff), the work of about 50 points at 0.6 us a point; from 400
    // points (about 0.25 ms) on, the workers finish in well under half the serial time. The
    // default 21 geostationary satellites at real time (21 points) and 255 low ones at real
    // time (about 260) stay below it.
    static constexpr long kParallelPoints = 400;

    // `threads` counts the caller too; 0 takes one thread per core.
    explicit TrackWorkers(CSGP4_SDP4& callerOrbit, int threads = 0, long parallelPoints = kParallelPoints);
    ~TrackWorkers();
    TrackWorkers(const TrackWorkers&) = delete;
    TrackWorkers& operator=(const TrackWorkers&) = delete;

    // Runs work(orbit, item) for every item in [0, items), each exactly once. With `points` below
    // the threshold all run on the calling thread in order, with the caller's orbit object;
    // otherwise the workers share them. Items must touch only data of their own.
    void run(int items, long points, const std::function<void(CSGP4_SDP4& orbit, int item)>& work);

    // The threads a large run uses, the caller included.
    int threads() const { return threads_; }

private:
    CSGP4_SDP4& callerOrbit_;
    int threads_;
    long parallelPoints_;
    std::unique_ptr<WorkerPool> pool_;
    std::vector<std::unique_ptr<CSGP4_SDP4>> orbits_; // [0] unused: the caller's
};

} // namespace kiv
