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
