#include "share/seattoken.h"

#include <QRandomGenerator>
#include <array>

QByteArray NewSeatToken() {
    std::array<quint32, 4> words{};
    QRandomGenerator::system()->fillRange(words.data(), qsizetype(words.size()));
    return QByteArray(reinterpret_cast<const char*>(words.data()), sizeof words).toHex();
}

bool SameToken(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size()) return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i) difference |= (a[i] ^ b[i]);
    return difference == 0;
}
