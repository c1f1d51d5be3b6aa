#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

#include "print/cardmarks.h"
#include "print/shipplace.h"

// A mark request as a client sends it, in the game file's vocabulary:
// numbers count from 1 and names are UTF-8.
struct MarkRequest {
    int force = 0;
    QString ship;
    std::vector<CardMark> places;
    // Which of two ships of one name: any of these may be left out.
    std::optional<int> squadron;  // 0 for a single ship
    std::optional<ShipRole> role;
    std::optional<int> position;
};

// One message from a client, read. A message that is too long, not JSON or
// not a request at all ends the client's connection (Drop); a request that
// is understood but cannot be done is refused with a reason (Refuse).
struct ClientMessage {
    static constexpr qsizetype kLongest = 4096;
    static constexpr qsizetype kLongestDeviceName = 40;

    enum class Kind { Mark, NextTurn, Device, Refuse, Drop };
    Kind kind = Kind::Drop;
    MarkRequest mark;
    QString device;  // the name a device gives itself
    QString reason;  // why it is refused or dropped

    static ClientMessage Read(QByteArrayView text);
};
