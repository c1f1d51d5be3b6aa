#pragma once

#include <QByteArray>
#include <QString>

// A place at the shared table: one force's commander, or the umpire who
// sees and marks every force and starts the next turn.
struct Seat {
    static constexpr int kUmpire = -1;

    QString key;    // "umpire", "force 1", ...: what the tool prints
    QString title;  // "Force 1 — British Battlecruiser Fleet", "Umpire"
    int force = kUmpire;  // counted from 0
    QByteArray token;

    bool IsUmpire() const { return force == kUmpire; }
    // Whether the seat sees and marks that force's ships.
    bool Commands(int shipForce) const { return IsUmpire() || shipForce == force; }
};
