#include "platform/orderedworkers.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace {

struct Slot {
    std::string result;
    std::exception_ptr failure;
    bool ready = false;
};

// What the workers and the consuming thread share, under one lock.
class Board {
  public:
    Board(std::size_t jobs, std::size_t ahead) : m_slots(std::min(jobs, ahead)), m_jobs(jobs) {}

    // The next job to produce, once it is within reach of the consumer;
    // false when there are no more.
    bool Take(std::size_t& job) {
        std::unique_lock lock(m_mutex);
        m_roomFreed.wait(
            lock, [&] { return m_stopped || m_next >= m_jobs || m_next < m_consumed + Window(); });
        if (m_stopped || m_next >= m_jobs) return false;
        job = m_next++;
        return true;
    }

    void Deliver(std::size_t job, std::string&& result, std::exception_ptr failure) {
        {
            std::lock_guard lock(m_mutex);
            Slot& slot = m_slots[job % Window()];
            slot.result = std::move(result);
            slot.failure = std::move(failure);
            slot.ready = true;
        }
        m_resultReady.notify_all();
    }

    std::string Collect(std::size_t job) {
        Slot taken;
        {
            std::unique_lock lock(m_mutex);
            Slot& slot = m_slots[job % Window()];
            m_resultReady.wait(lock, [&] { return slot.ready; });
            taken = std::exchange(slot, Slot{});
            m_consumed = job + 1;
        }
        m_roomFreed.notify_all();
        if (taken.failure) std::rethrow_exception(taken.failure);
        return std::move(taken.result);
    }

    // Lets the workers finish when the consumer gives up early.
    void Stop() {
        {
            std::lock_guard lock(m_mutex);
            m_stopped = true;
        }
        m_roomFreed.notify_all();
    }

  private:
    std::size_t Window() const { return m_slots.size(); }

    std::mutex m_mutex;
    std::condition_variable m_roomFreed;
    std::condition_variable m_resultReady;
    std::vector<Slot> m_slots;
    std::size_t m_jobs;
    std::size_t m_next = 0;
    std::size_t m_consumed = 0;
    bool m_stopped = false;
};

void WorkOn(Board& board, const OrderedWorkers::Produce& produce, std::size_t worker) {
    std::size_t job = 0;
    while (board.Take(job)) {
        std::string result;
        std::exception_ptr failure;
        try {
            result = produce(job, worker);
        } catch (...) {
            failure = std::current_exception();
        }
        board.Deliver(job, std::move(result), std::move(failure));
    }
}

}  // namespace

std::size_t OrderedWorkers::WorkerCount(std::size_t jobs) {
    const std::size_t processors = std::max(1u, std::thread::hardware_concurrency());
    return std::max<std::size_t>(1, std::min(processors, jobs));
}

void OrderedWorkers::Run(std::size_t jobs, std::size_t workers, std::size_t ahead,
                         const Produce& produce, const Consume& consume) {
    if (jobs == 0) return;
    Board board(jobs, std::max<std::size_t>(ahead, 1));
    // Declared after the board, so that the workers are joined before it goes.
    std::vector<std::jthread> threads;
    threads.reserve(std::max<std::size_t>(workers, 1));
    try {
        for (std::size_t worker = 0; worker < std::max<std::size_t>(workers, 1); ++worker)
            threads.emplace_back(WorkOn, std::ref(board), std::cref(produce), worker);
    } catch (const std::system_error&) {
        // Fewer threads than asked for still do all the work.
    }
    if (threads.empty()) {
        for (std::size_t job = 0; job < jobs; ++job) consume(job, produce(job, 0));
        return;
    }
    try {
        for (std::size_t job = 0; job < jobs; ++job) consume(job, board.Collect(job));
    } catch (...) {
        board.Stop();
        throw;
    }
}
