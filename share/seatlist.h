#pragma once

#include <QByteArrayView>
#include <vector>

#include "model/scenario.h"
#include "share/seat.h"

// The seats of one share of a scenario, the umpire's first, each with a new
// token: a share never reuses the links of another.
class SeatList {
  public:
    explicit SeatList(const VxScenario& scenario);

    const std::vector<Seat>& Seats() const { return m_seats; }
    // The seat whose token that is, or null. Every token is compared, in
    // constant time each, whatever matches.
    const Seat* Find(QByteArrayView token) const;

  private:
    std::vector<Seat> m_seats;
};
