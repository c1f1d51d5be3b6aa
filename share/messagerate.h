#pragma once

#include <QtGlobal>
#include <array>

// Counts one client's messages: more than kPerSecond within any second is
// too many.
class MessageRate {
  public:
    static constexpr int kPerSecond = 20;

    // Records a message at nowMs; false when it is one too many.
    bool Admit(qint64 nowMs);

  private:
    std::array<qint64, kPerSecond> m_times{};  // the last messages' times, a ring
    int m_next = 0;
    int m_count = 0;
};
