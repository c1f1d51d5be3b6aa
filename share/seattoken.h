#pragma once

#include <QByteArray>
#include <QByteArrayView>

// A seat's secret in its link: 128 bits from the system's random source,
// written as 32 lower-case hex digits.
QByteArray NewSeatToken();
// Whether the two are equal, in a time that depends on their lengths only,
// so that a guess learns nothing from how long the refusal took.
bool SameToken(QByteArrayView a, QByteArrayView b);
