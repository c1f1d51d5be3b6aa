#include "model/unmatchednames.h"

void UnmatchedNames::Add(const VxSquadron& squadron) {
    if (!squadron.m_strFlagship.empty()) AddName(squadron.m_strFlagship);
    for (const CString& name : squadron.m_shipNames) AddName(name);
    for (const CString& name : squadron.m_attachmentNames) AddName(name);
}

void UnmatchedNames::Add(const VxScenario& scenario) {
    for (const VxForce& force : scenario.m_forces) {
        for (const VxSquadron& squadron : force.m_squadrons) Add(squadron);
    }
}

void UnmatchedNames::AddName(const CString& name) {
    if (!m_ships.Has(name) && m_seen.insert(name).second) m_names.push_back(name);
}
