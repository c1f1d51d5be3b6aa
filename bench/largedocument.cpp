#include "bench/largedocument.h"

#include <string>

#include "model/brinnowdoc.h"

const CBrinnowDoc& Campaign() {
    static const CBrinnowDoc* doc = [] {
        auto* generated = new CBrinnowDoc;
        GenerateDocument(*generated, kLargeCampaign);
        return generated;
    }();
    return *doc;
}

VxScenario ThousandShipScenario(const CBrinnowDoc& doc) {
    VxScenario scenario;
    scenario.m_strName = "Thousand";
    scenario.m_forces.resize(2);
    std::size_t next = 0;
    const auto nextName = [&] { return doc.m_ships[(next++ * 97) % doc.m_ships.size()].m_strName; };
    for (int s = 0; s < 10; ++s) {
        VxSquadron squadron;
        squadron.m_strName = "Squadron " + std::to_string(s);
        squadron.m_strFlagship = nextName();
        for (int i = 0; i < 79; ++i) squadron.m_shipNames.push_back(nextName());
        for (int i = 0; i < 10; ++i) squadron.m_attachmentNames.push_back(nextName());
        scenario.m_forces[std::size_t(s % 2)].m_squadrons.push_back(squadron);
    }
    for (int i = 0; i < 100; ++i)
        scenario.m_forces[1].m_ships.push_back(doc.m_ships[std::size_t(i)]);
    return scenario;
}

VxScenario ManyForceScenario(const CBrinnowDoc& doc, int forces) {
    VxScenario scenario;
    scenario.m_strName = "Forces " + std::to_string(forces);
    for (int i = 0; i < forces; ++i) {
        VxForce& force = scenario.m_forces.emplace_back();
        force.m_strName = "Force " + std::to_string(i);
        if (!doc.m_squadrons.empty()) {
            force.m_squadrons.push_back(doc.m_squadrons[std::size_t(i) % doc.m_squadrons.size()]);
        }
    }
    return scenario;
}
