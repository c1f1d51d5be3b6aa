#include "model/squadron.h"

void VxSquadron::PrintSheet(CDC&, double, int, int, const CArray<VxShip>&,
                            const CArray<VxArmament>&, int, int) const {}
int VxSquadron::GetSheetHeight(CDC&, double, int, int) const { return 0; }
