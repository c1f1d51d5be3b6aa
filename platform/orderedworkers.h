#pragma once

#include <cstddef>
#include <functional>
#include <string>

// Runs produce(job, worker) for every job from 0 to jobs - 1 on up to
// `workers` threads and hands each result to consume(job, result) on the
// calling thread in job order, while the workers go on. Workers stay at most
// `ahead` jobs in front of consume, so that memory does not grow with the
// number of jobs. worker (below `workers`) lets a job use per-thread scratch.
// An exception from produce reaches the caller from consume's turn for that
// job; when no thread can be started, the calling thread does the work.
class OrderedWorkers {
  public:
    using Produce = std::function<std::string(std::size_t job, std::size_t worker)>;
    using Consume = std::function<void(std::size_t job, std::string&& result)>;

    // One worker per processor, and never more than there are jobs.
    static std::size_t WorkerCount(std::size_t jobs);
    static void Run(std::size_t jobs, std::size_t workers, std::size_t ahead,
                    const Produce& produce, const Consume& consume);
};
