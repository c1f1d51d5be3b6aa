#include "editors/lastnation.h"

namespace {
int& Chosen() {
    static int nation = 0;
    return nation;
}
}  // namespace

int LastChosenNation() { return Chosen(); }

void RememberChosenNation(int nation) {
    if (nation >= 0) Chosen() = nation;
}

int StartingNation(int nationCount) {
    return LastChosenNation() < nationCount ? LastChosenNation() : 0;
}
