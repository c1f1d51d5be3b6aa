#include "cli/terminalprogress.h"

#include <iostream>
#include <string>

#include "platform/stopsignals.h"

namespace {

constexpr auto kShownEvery = std::chrono::milliseconds(100);

// A line nobody can read is no failure of the work: errors are not looked at.
void WriteToStandardError(const std::string& text) { std::cerr << text << std::flush; }

}  // namespace

TerminalProgress::~TerminalProgress() {
    if (m_lineOpen) WriteToStandardError("\n");
}

void TerminalProgress::Report(std::int64_t done, std::int64_t total, const char* what) {
    if (StopSignals::Received() != 0) throw WorkCancelled();
    if (!m_shown) return;
    // The end of a stage and the start of the next always show.
    const auto now = std::chrono::steady_clock::now();
    if (done < total && what == m_shownWhat && now - m_lastShown < kShownEvery) return;
    m_lastShown = now;
    m_shownWhat = what;
    ShowLine(done, total, what);
}

void TerminalProgress::ShowLine(std::int64_t done, std::int64_t total, const char* what) {
    const std::int64_t percent = total > 0 ? done * 100 / total : 100;
    std::string line = "\r" +
                       std::string(percent < 10    ? "  "
                                   : percent < 100 ? " "
                                                   : "") +
                       std::to_string(percent) + "% " + Text(done, total, what);
    const std::size_t length = line.size();
    // A shorter line than the last clears what is left of it.
    if (length < m_lineLength) line.append(m_lineLength - length, ' ');
    m_lineLength = length;
    m_lineOpen = true;
    WriteToStandardError(line);
}
