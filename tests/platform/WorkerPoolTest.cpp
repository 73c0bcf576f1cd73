// The worker pool: every piece runs once, on a thread of the pool, run after run.
#include "platform/WorkerPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

using namespace kiv;

TEST(WorkerPool, EveryPieceRunsOnceOnAThreadOfThePool)
{
    struct Case {
        int threads;
        int pieces;
    };
    for (const Case c : {Case{1, 5}, Case{4, 0}, Case{4, 1}, Case{4, 3}, Case{4, 1000}, Case{8, 255}}) {
        WorkerPool pool(c.threads);
        ASSERT_EQ(pool.size(), c.threads);
        for (int run = 0; run < 20; ++run) {
            std::vector<std::atomic<int>> count(c.pieces);
            std::vector<int> thread(c.pieces, -1);
            pool.run(c.pieces, [&](int t, int piece) {
                count[piece].fetch_add(1);
                thread[piece] = t;
            });
            for (int i = 0; i < c.pieces; ++i) {
                EXPECT_EQ(count[i].load(), 1) << c.threads << " threads, piece " << i;
                EXPECT_GE(thread[i], 0);
                EXPECT_LT(thread[i], c.threads);
            }
        }
    }
}

TEST(WorkerPool, OneThreadIndexRunsOnOneThreadOnly)
{
    WorkerPool pool(4);
    std::vector<std::set<std::thread::id>> seen(4);
    std::vector<std::atomic<int>> busy(4);
    for (int run = 0; run < 50; ++run) {
        pool.run(64, [&](int t, int) {
            // Two pieces at once under one index would break the state kept per thread.
            EXPECT_EQ(busy[t].fetch_add(1), 0);
            seen[t].insert(std::this_thread::get_id());
            busy[t].fetch_sub(1);
        });
    }
    // Each index is one thread, index 0 the caller, and no two indices share a thread.
    std::set<std::thread::id> all;
    std::size_t used = 0;
    for (const auto& ids : seen) {
        EXPECT_LE(ids.size(), 1u);
        all.insert(ids.begin(), ids.end());
        used += ids.size();
    }
    EXPECT_EQ(all.size(), used);
    EXPECT_TRUE(seen[0].empty() || *seen[0].begin() == std::this_thread::get_id());
}

TEST(WorkerPool, ResultsWrittenByTheWorkersAreSeenAfterTheRun)
{
    WorkerPool pool(8);
    std::vector<double> out(10000);
    for (int run = 1; run <= 10; ++run) {
        pool.run(static_cast<int>(out.size()), [&](int, int i) { out[i] = i * run; });
        for (std::size_t i = 0; i < out.size(); ++i)
            ASSERT_EQ(out[i], static_cast<double>(i) * run);
    }
}
