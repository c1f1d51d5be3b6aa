#include "share/addressguard.h"

#include <QDeadlineTimer>

AddressGuard::AddressGuard(std::function<qint64()> clock) : m_clock(std::move(clock)) {
    if (!m_clock) m_clock = [] { return QDeadlineTimer::current().deadline(); };
}

void AddressGuard::CountWrong(const QHostAddress& address) {
    Record& record = m_records[address];
    if (++record.wrong >= kWrongLimit) record.refusedUntil = m_clock() + kRefusalMs;
}

bool AddressGuard::Refuses(const QHostAddress& address) {
    const auto found = m_records.find(address);
    if (found == m_records.end() || found->wrong < kWrongLimit) return false;
    if (m_clock() < found->refusedUntil) return true;
    m_records.erase(found);
    return false;
}
