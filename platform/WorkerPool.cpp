#include "platform/WorkerPool.h"

#include <algorithm>

namespace kiv {

WorkerPool::WorkerPool(int threads)
{
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    workers_.reserve(threads - 1);
    for (int i = 1; i < threads; ++i)
        workers_.emplace_back([this, i] { workerLoop(i); });
}

WorkerPool::~WorkerPool()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : workers_)
        t.join();
}

void WorkerPool::takePieces(int thread)
{
    for (int piece = next_.fetch_add(1, std::memory_order_relaxed); piece < pieces_;
         piece = next_.fetch_add(1, std::memory_order_relaxed))
        (*work_)(thread, piece);
}

void WorkerPool::run(int pieces, const std::function<void(int, int)>& work)
{
    if (pieces <= 0)
        return;
    if (workers_.empty() || pieces == 1) {
        for (int piece = 0; piece < pieces; ++piece)
            work(0, piece);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        work_ = &work;
        pieces_ = pieces;
        next_.store(0, std::memory_order_relaxed);
        running_ = static_cast<int>(workers_.size());
        ++generation_;
    }
    wake_.notify_all();
    takePieces(0);
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return running_ == 0; });
    work_ = nullptr;
}

void WorkerPool::workerLoop(int thread)
{
    unsigned seen = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_)
                return;
            seen = generation_;
        }
        takePieces(thread);
        bool last = false;
        {
            std::lock_guard lock(mutex_);
            last = --running_ == 0;
        }
        if (last)
            finished_.notify_one();
    }
}

} // namespace kiv
