#include "share/messagerate.h"

bool MessageRate::Admit(qint64 nowMs) {
    // The message kPerSecond back must be a second old or more.
    const bool full = m_count == kPerSecond;
    if (full && nowMs - m_times[std::size_t(m_next)] < 1000) return false;
    m_times[std::size_t(m_next)] = nowMs;
    m_next = (m_next + 1) % kPerSecond;
    if (!full) ++m_count;
    return true;
}
