#pragma once

#include "model/armament.h"
#include "model/ship.h"
#include "model/squadron.h"
#include "platform/cdc.h"
#include "platform/progress.h"

// The squadron editor's Print on a printer's device context: a job named
// after the squadron, with the title block, the sheet with its notes from
// (margin, margin) and the footer "Page 1". A squadron taller than a page
// goes on over the next pages, each with its title block and footer, the page
// numbers running on. Reports the rows of the sheet drawn.
void RunSquadronPrintJob(CDC& printer, const VxSquadron& squadron, const CArray<VxShip>& ships,
                         const CArray<VxArmament>& armaments, Progress& progress = Unwatched());
