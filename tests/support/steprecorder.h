#pragma once

#include <cstdint>
#include <vector>

#include "platform/progress.h"

// Keeps every step it is shown and cancels the work at one of them.
class StepRecorder : public Progress {
  public:
    explicit StepRecorder(std::size_t cancelAt = SIZE_MAX) : m_cancelAt(cancelAt) {}
    struct Shown {
        std::int64_t done, total;
        bool operator==(const Shown&) const = default;
    };
    std::vector<Shown> steps;

  protected:
    void Report(std::int64_t done, std::int64_t total, const char*) override {
        steps.push_back({done, total});
        if (steps.size() - 1 == m_cancelAt) throw WorkCancelled();
    }

  private:
    std::size_t m_cancelAt;
};
