#include "model/shipreferences.h"

#include <algorithm>

namespace {

bool Holds(const CStringArray& names, const CString& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// An empty flagship is no flagship, not a ship without a name.
bool NamesFlagship(const VxSquadron& squadron, const CString& name) {
    return !name.empty() && squadron.m_strFlagship == name;
}

bool Rename(CString& held, const CString& from, const CString& to) {
    if (held != from) return false;
    held = to;
    return true;
}

bool IsCopyOf(const VxShip& copy, const CString& name, int nation) {
    return copy.m_strName == name && copy.m_nNation == nation;
}

ForceUse UseIn(const VxForce& force, const CString& name, int nation) {
    ForceUse use;
    use.squadrons = SquadronsNaming(force.m_squadrons, name).size();
    use.ships = std::size_t(std::count_if(force.m_ships.begin(), force.m_ships.end(),
                                          [&](const VxShip& s) { return IsCopyOf(s, name, nation); }));
    return use;
}

}  // namespace

std::vector<ShipReference> SquadronsNaming(const CArray<VxSquadron>& squadrons,
                                           const CString& name) {
    std::vector<ShipReference> references;
    for (std::size_t i = 0; i < squadrons.size(); ++i) {
        const VxSquadron& squadron = squadrons[i];
        const ShipReference reference{i, NamesFlagship(squadron, name),
                                      Holds(squadron.m_shipNames, name),
                                      Holds(squadron.m_attachmentNames, name)};
        if (reference.flagship || reference.member || reference.attachment) {
            references.push_back(reference);
        }
    }
    return references;
}

bool RenameShipIn(VxSquadron& squadron, const CString& from, const CString& to) {
    bool renamed = NamesFlagship(squadron, from) && Rename(squadron.m_strFlagship, from, to);
    for (CStringArray* names : {&squadron.m_shipNames, &squadron.m_attachmentNames}) {
        for (CString& held : *names) renamed = Rename(held, from, to) || renamed;
    }
    return renamed;
}

ShipNameUses FindShipNameUses(const CArray<VxSquadron>& squadrons,
                              const CArray<VxScenario>& scenarios, const CString& name,
                              int nation) {
    ShipNameUses uses{SquadronsNaming(squadrons, name), {}};
    for (std::size_t s = 0; s < scenarios.size(); ++s) {
        const auto& forces = scenarios[s].m_forces;
        for (std::size_t f = 0; f < forces.size(); ++f) {
            ForceUse use = UseIn(forces[f], name, nation);
            if (use.squadrons == 0 && use.ships == 0) continue;
            use.scenario = s;
            use.force = f;
            uses.forces.push_back(use);
        }
    }
    return uses;
}

void RenameShipUses(RecordList<VxSquadron>& squadrons, RecordList<VxScenario>& scenarios,
                    const ShipNameUses& uses, const CString& from, const CString& to, int nation) {
    for (const ShipReference& reference : uses.squadrons) {
        RenameShipIn(squadrons.Modify(reference.squadron), from, to);
    }
    for (const ForceUse& use : uses.forces) {
        VxForce& force = scenarios.Modify(use.scenario).m_forces[use.force];
        for (VxSquadron& squadron : force.m_squadrons) RenameShipIn(squadron, from, to);
        for (VxShip& ship : force.m_ships) {
            if (IsCopyOf(ship, from, nation)) ship.m_strName = to;
        }
    }
}
