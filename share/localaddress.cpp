#include "share/localaddress.h"

#include <QNetworkInterface>

QList<QHostAddress> LocalNetworkAddresses() {
    QList<QHostAddress> addresses;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol) addresses << entry.ip();
        }
    }
    return addresses;
}

QHostAddress DefaultShareAddress() {
    const QList<QHostAddress> addresses = LocalNetworkAddresses();
    return addresses.isEmpty() ? QHostAddress(QHostAddress::LocalHost) : addresses.first();
}
