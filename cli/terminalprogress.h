#pragma once

#include <chrono>
#include <cstddef>

#include "platform/progress.h"

// The tool's progress line on standard error: " 34% Printing page 312 of
// 905", rewritten in place at most ten times a second and ended when the
// work is done. Hidden, it still lets Ctrl+C, SIGTERM and SIGHUP stop the
// work (see StopSignals).
class TerminalProgress : public Progress {
  public:
    explicit TerminalProgress(bool shown) : m_shown(shown) {}
    ~TerminalProgress() override;
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

  protected:
    void Report(std::int64_t done, std::int64_t total, const char* what) override;

  private:
    void ShowLine(std::int64_t done, std::int64_t total, const char* what);

    bool m_shown;
    bool m_lineOpen = false;
    std::size_t m_lineLength = 0;
    std::chrono::steady_clock::time_point m_lastShown;
    const char* m_shownWhat = nullptr;
};
