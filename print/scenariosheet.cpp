#include "model/scenario.h"

void VxScenario::PrintSheet(CDC&, double, int, int, const CArray<VxShip>&,
                            const CArray<VxArmament>&, int, int, int&) const {}
void VxForce::PrintSheet(CDC&, double, int, int, const CArray<VxShip>&, const CArray<VxArmament>&,
                         int, int, int&) const {}
