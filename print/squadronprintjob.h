#pragma once

#include "model/armament.h"
#include "model/ship.h"
#include "model/squadron.h"
#include "platform/cdc.h"

// The squadron editor's Print on a printer's device context: one page named
// after the squadron, with the title block, the sheet with its notes at
// (margin, margin) and the footer "Page 1".
void RunSquadronPrintJob(CDC& printer, const VxSquadron& squadron, const CArray<VxShip>& ships,
                         const CArray<VxArmament>& armaments);
