#pragma once

#include <cstddef>
#include <vector>

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
