#include "platform/progress.h"

#include <algorithm>

std::string Progress::Text(std::int64_t done, std::int64_t total, const char* what) {
    return std::string(what) + " " + std::to_string(done) + " of " + std::to_string(total);
}

void Progress::Advance(std::int64_t done, std::int64_t total, const char* what) {
    m_total = total;
    m_what = what;
    m_nextReport = done + std::max<std::int64_t>(1, (total + kReportsPerRun - 1) / kReportsPerRun);
    Report(done, total, what);
}

Progress& Unwatched() {
    // One a thread, as its state thins out the reports.
    thread_local NoProgress unwatched;
    return unwatched;
}
