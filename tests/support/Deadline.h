#pragma once
// A bound on a part of a test that could hang (a read of a FIFO without a writer): past it the
// test program ends at once, failed, naming the part, rather than hold the suite.

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace kiv::test {

class Deadline {
public:
    explicit Deadline(std::string what, std::chrono::seconds limit = std::chrono::seconds(10))
        : watch_([this, what = std::move(what), limit] {
              std::unique_lock lock(mutex_);
              if (ended_.wait_for(lock, limit, [this] { return done_; }))
                  return;
              std::fprintf(stderr, "FAILED: %s did not end within %llds\n", what.c_str(), (long long)limit.count());
              std::fflush(nullptr);
              std::_Exit(EXIT_FAILURE);
          })
    {
    }
    ~Deadline()
    {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        ended_.notify_one();
        watch_.join();
    }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::thread watch_;
};

} // namespace kiv::test
