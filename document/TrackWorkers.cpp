#include "document/TrackWorkers.h"

#include "orbit/CSGP4_SDP4.h"
#include "platform/WorkerPool.h"

#include <algorithm>
#include <thread>

namespace kiv {

TrackWorkers::TrackWorkers(CSGP4_SDP4& callerOrbit, int threads, long parallelPoints)
    : callerOrbit_(callerOrbit)
    , threads_(threads > 0 ? threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency())))
    , parallelPoints_(parallelPoints)
{
}

TrackWorkers::~TrackWorkers() = default;

void TrackWorkers::run(int items, long points, const std::function<void(CSGP4_SDP4&, int)>& work)
{
    if (points < parallelPoints_ || threads_ == 1 || items <= 1) {
        for (int item = 0; item < items; ++item)
            work(callerOrbit_, item);
        return;
    }
    if (!pool_) {
        pool_ = std::make_unique<WorkerPool>(threads_);
        orbits_.resize(threads_);
        for (int i = 1; i < threads_; ++i)
            orbits_[i] = std::make_unique<CSGP4_SDP4>();
    }
    pool_->run(items, [&](int thread, int item) {
        work(thread == 0 ? callerOrbit_ : *orbits_[thread], item);
    });
}

} // namespace kiv
