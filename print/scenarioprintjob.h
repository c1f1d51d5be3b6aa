#pragma once

#include "model/armament.h"
#include "model/scenario.h"
#include "model/ship.h"
#include "platform/cdc.h"
#include "print/cardoverlay.h"

// The scenario editor's Print on a printer's device context: a job named
// after the scenario, its page with the notes, then every force on pages of
// its own, the page numbers running on, with the marks (if any) over the
// cards. Returns the number of pages; reports the forces printed.
int RunScenarioPrintJob(CDC& printer, const VxScenario& scenario, const CArray<VxShip>& ships,
                        const CArray<VxArmament>& armaments, const CardMarksSource* marks = nullptr,
                        Progress& progress = Unwatched());
