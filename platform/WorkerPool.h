#pragma once
// A fixed set of worker threads, started once with the pool, that share numbered pieces of work
// with the calling thread. Each piece runs exactly once, on one thread; the index of that thread
// (0 the caller, 1 .. size() - 1 the workers) lets the work keep state of its own per thread.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace kiv {

class WorkerPool {
public:
    // `threads` counts the caller too; 0 takes one thread per core. The workers start here and
    // wait, without using the processor, until there is work.
    explicit WorkerPool(int threads = 0);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int size() const { return static_cast<int>(workers_.size()) + 1; }

    // Runs work(thread, piece) for every piece in [0, pieces) and returns when all have run.
    // The caller takes pieces too. The work must not throw. One run at a time, from one thread.
    void run(int pieces, const std::function<void(int thread, int piece)>& work);

private:
    void workerLoop(int thread);
    void takePieces(int thread);

    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    // Guarded by mutex_.
    unsigned generation_ = 0;
    int running_ = 0;
    bool stopping_ = false;
    // Set under mutex_ before a run starts; read by the threads of that run.
    const std::function<void(int, int)>* work_ = nullptr;
    int pieces_ = 0;
    std::atomic<int> next_{0};
};

} // namespace kiv
