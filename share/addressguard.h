#pragma once

#include <QHash>
#include <QHostAddress>
#include <functional>

// Keeps a guesser from trying tokens: an address that sent kWrongLimit
// wrong or missing tokens is refused for kRefusalMs, then starts afresh.
class AddressGuard {
  public:
    static constexpr int kWrongLimit = 10;
    static constexpr qint64 kRefusalMs = 60'000;

    // The clock in milliseconds; a monotonic one unless a test gives its own.
    explicit AddressGuard(std::function<qint64()> clock = {});

    void CountWrong(const QHostAddress& address);
    bool Refuses(const QHostAddress& address);
    void Clear() { m_records.clear(); }

  private:
    struct Record {
        int wrong = 0;
        qint64 refusedUntil = 0;
    };

    std::function<qint64()> m_clock;
    QHash<QHostAddress, Record> m_records;
};
