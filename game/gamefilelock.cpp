#include "game/gamefilelock.h"

bool LockGameFile(const std::string& gamePath, DocumentLock& lock,
                  std::chrono::milliseconds patience, std::string& error) {
    if (lock.AcquireWithin(gamePath, patience) != DocumentLock::Outcome::HeldElsewhere) return true;
    error = "The game \"" + gamePath + "\" is in use by " + lock.Holder() +
            ": one program at a time may change it. Try again when it is closed there.";
    return false;
}
