#pragma once

#include <QHostAddress>
#include <QList>

// The computer's IPv4 addresses on the networks it is on: those of its
// interfaces that are up, leaving out the loopback. The first is the one a
// share offers unless another is chosen; without any, the loopback.
QList<QHostAddress> LocalNetworkAddresses();
QHostAddress DefaultShareAddress();
