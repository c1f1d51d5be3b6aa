#include "share/seatlist.h"

#include "platform/qtstrings.h"
#include "share/seattoken.h"

SeatList::SeatList(const VxScenario& scenario) {
    m_seats.push_back({QStringLiteral("umpire"), QStringLiteral("Umpire"), Seat::kUmpire,
                       NewSeatToken()});
    for (std::size_t f = 0; f < scenario.m_forces.size(); ++f) {
        const QString number = QString::number(f + 1);
        QString title = QStringLiteral("Force ") + number;
        const QString name = ToQt(scenario.m_forces[f].m_strName).trimmed();
        if (!name.isEmpty()) title += QStringLiteral(" — ") + name;
        m_seats.push_back({QStringLiteral("force ") + number, title, int(f), NewSeatToken()});
    }
}

const Seat* SeatList::Find(QByteArrayView token) const {
    const Seat* found = nullptr;
    for (const Seat& seat : m_seats) {
        if (SameToken(seat.token, token)) found = &seat;
    }
    return found;
}
