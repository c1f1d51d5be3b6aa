#include "platform/orderedworkers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

TEST(OrderedWorkers, ResultsArriveInJobOrderWhateverTheWindow) {
    for (const std::size_t ahead : {std::size_t(1), std::size_t(3), std::size_t(64)}) {
        constexpr std::size_t kJobs = 10000;
        std::vector<std::size_t> order;
        std::atomic<std::size_t> workersSeen = 0;
        OrderedWorkers::Run(
            kJobs, OrderedWorkers::WorkerCount(kJobs), ahead,
            [&](std::size_t job, std::size_t worker) {
                if (worker >= OrderedWorkers::WorkerCount(kJobs)) ++workersSeen;
                return std::to_string(job);
            },
            [&](std::size_t job, std::string&& result) {
                EXPECT_EQ(result, std::to_string(job));
                order.push_back(job);
            });
        ASSERT_EQ(order.size(), kJobs);
        for (std::size_t i = 0; i < kJobs; ++i) ASSERT_EQ(order[i], i);
        EXPECT_EQ(workersSeen, 0u) << "a worker index beyond the count";
    }
    // No jobs run nothing.
    OrderedWorkers::Run(
        0, 2, 8, [](std::size_t, std::size_t) -> std::string { throw std::logic_error("ran"); },
        [](std::size_t, std::string&&) { FAIL(); });
    EXPECT_EQ(OrderedWorkers::WorkerCount(0), 1u);
}

// A consumer that gives up does not leave workers waiting; a failed job
// reaches the caller in its turn.
TEST(OrderedWorkers, AFailureOnEitherSideEndsTheRun) {
    std::atomic<std::size_t> produced = 0;
    EXPECT_THROW(OrderedWorkers::Run(
                     100000, 2, 4,
                     [&](std::size_t job, std::size_t) {
                         ++produced;
                         return std::to_string(job);
                     },
                     [](std::size_t job, std::string&&) {
                         if (job == 10) throw std::runtime_error("disk full");
                     }),
                 std::runtime_error);
    EXPECT_LT(produced, 100u);  // the window keeps the workers near the consumer

    std::vector<std::size_t> consumed;
    EXPECT_THROW(OrderedWorkers::Run(
                     1000, 3, 16,
                     [](std::size_t job, std::size_t) -> std::string {
                         if (job == 5) throw std::bad_alloc();
                         return std::to_string(job);
                     },
                     [&](std::size_t job, std::string&&) { consumed.push_back(job); }),
                 std::bad_alloc);
    EXPECT_EQ(consumed, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
}

// A job's worker number indexes per-thread scratch sized by the workers
// asked for, so one worker, or none, numbers every job 0.
TEST(OrderedWorkers, WorkerNumbersStayBelowTheWorkersAskedFor) {
    for (const std::size_t workers : {0u, 1u, 3u}) {
        std::mutex guard;
        std::set<std::size_t> seen;
        OrderedWorkers::Run(
            200, workers, 8,
            [&](std::size_t, std::size_t worker) {
                const std::lock_guard lock(guard);
                seen.insert(worker);
                return std::string();
            },
            [](std::size_t, std::string&&) {});
        ASSERT_FALSE(seen.empty());
        EXPECT_LT(*seen.rbegin(), std::max<std::size_t>(workers, 1)) << workers << " workers";
    }
}

}  // namespace
