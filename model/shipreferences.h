#pragma once

#include <cstddef>
#include <vector>

#include "model/recordlist.h"
#include "model/scenario.h"
#include "model/squadron.h"
#include "platform/types.h"

// How one squadron of a list names a ship.
struct ShipReference {
    std::size_t squadron = 0;
    bool flagship = false;
    bool member = false;
    bool attachment = false;
};

// The squadrons that name the ship, in list order.
std::vector<ShipReference> SquadronsNaming(const CArray<VxSquadron>& squadrons,
                                           const CString& name);

// Makes the squadron's flagship, members and attachments that bear the name
// from bear the name to; true when there was any.
bool RenameShipIn(VxSquadron& squadron, const CString& from, const CString& to);

// How one force of a scenario uses a ship's name: its copies of squadrons
// that name the ship, and its single ships (copies) that bear the name.
struct ForceUse {
    std::size_t scenario = 0;
    std::size_t force = 0;
    std::size_t squadrons = 0;
    std::size_t ships = 0;
};

// Every place that uses a ship's name: the campaign's squadrons, and the
// squadrons and single ships copied into scenario forces.
struct ShipNameUses {
    std::vector<ShipReference> squadrons;
    std::vector<ForceUse> forces;

    bool Empty() const { return squadrons.empty() && forces.empty(); }
};

// The uses of the name of a ship of that nation. A single ship of a force is
// its copy only when it is of the same nation.
ShipNameUses FindShipNameUses(const CArray<VxSquadron>& squadrons,
                              const CArray<VxScenario>& scenarios, const CString& name,
                              int nation);

// Makes every use found bear the name to instead. Only the records that
// change are written, so that the history keeps just those.
void RenameShipUses(RecordList<VxSquadron>& squadrons, RecordList<VxScenario>& scenarios,
                    const ShipNameUses& uses, const CString& from, const CString& to, int nation);
