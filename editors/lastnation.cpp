#include "editors/lastnation.h"

namespace {
constexpr int kNeutral = 0;

int& Chosen() {
    static int nation = kNeutral;
    return nation;
}
}  // namespace

int LastChosenNation() { return Chosen(); }

void RememberChosenNation(int nation) {
    if (nation >= 0) Chosen() = nation;
}

void ForgetChosenNation() { Chosen() = kNeutral; }

int StartingNation(int nationCount) {
    return LastChosenNation() < nationCount ? LastChosenNation() : kNeutral;
}
