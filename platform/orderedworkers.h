#pragma once

#include <cstddef>
#include <functional>
#include <string>

// Runs produce(job, worker) for every job from 0 to jobs - 1 on worker
// threads, one per processor, and hands each result to consume(job, result)
// on the calling thread in job order, while the workers go on. Workers stay
// at most `ahead` jobs in front of consume, so that memory does not grow with
// the number of jobs. worker (0 to WorkerCount(jobs) - 1) lets a job use
// per-thread scratch. produce must not throw.
class OrderedWorkers {
  public:
    using Produce = std::function<std::string(std::size_t job, std::size_t worker)>;
    using Consume = std::function<void(std::size_t job, std::string&& result)>;

    static std::size_t WorkerCount(std::size_t jobs);
    static void Run(std::size_t jobs, std::size_t ahead, const Produce& produce,
                    const Consume& consume);
};
