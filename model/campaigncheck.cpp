#include "model/campaigncheck.h"

#include <string>

#include "model/messagenames.h"
#include "model/shipnameindex.h"
#include "model/stalecopies.h"

namespace {

constexpr int kNeutralNation = 0;

struct KindNames {
    const char* tag;
    const char* title;
};

// In the order of FindingKind.
constexpr KindNames kKindNames[] = {
    {"missing-ship", "Missing ship"}, {"shared-name", "Shared name"},
    {"other-nation", "Other nation"}, {"out-of-range", "Out of range"},
    {"stale-copy", "Stale copy"},     {"empty", "Empty"},
};

CString Quoted(const CString& name) { return "\"" + ShownName(name) + "\""; }

// "main armament 23 is outside the armament list (0 to 20)".
CString OutsideList(const char* what, int value, std::size_t size, const char* list) {
    const CString range = size == 0 ? "which is empty" : "0 to " + std::to_string(size - 1);
    return CString(what) + " " + std::to_string(value) + " is outside the " + list + " list (" +
           range + ")";
}

bool Outside(int value, std::size_t size) {
    return value < 0 || static_cast<std::size_t>(value) >= size;
}

class CampaignCheck {
  public:
    explicit CampaignCheck(const CBrinnowDoc& doc) : m_doc(doc), m_ships(doc.m_ships) {}

    std::vector<Finding> Run() {
        for (std::size_t i = 0; i < m_doc.m_ships.size(); ++i) CheckShip(i);
        for (std::size_t i = 0; i < m_doc.m_squadrons.size(); ++i) CheckSquadron(i);
        for (std::size_t i = 0; i < m_doc.m_scenarios.size(); ++i) CheckScenario(i);
        return std::move(m_findings);
    }

  private:
    Finding& Add(FindingKind kind, const FindingPlace& place, CString problem) {
        Finding& finding = m_findings.emplace_back();
        finding.kind = kind;
        finding.place = place;
        finding.record = RecordName(place);
        finding.problem = std::move(problem);
        return finding;
    }

    CString RecordName(const FindingPlace& place) const {
        switch (place.list) {
            case FindingPlace::List::Ships:
                return ShownName(m_doc.m_ships[place.index].m_strName);
            case FindingPlace::List::Squadrons:
                return ShownName(m_doc.m_squadrons[place.index].m_strName);
            case FindingPlace::List::Scenarios:
                break;
        }
        const VxScenario& scenario = m_doc.m_scenarios[place.index];
        if (!place.IsForce()) return ShownName(scenario.m_strName);
        return ShownForceName(scenario, std::size_t(place.force));
    }

    CString NationName(int nation) const {
        if (Outside(nation, m_doc.m_nations.size())) return "nation " + std::to_string(nation);
        return ShownName(m_doc.m_nations[std::size_t(nation)].m_strName);
    }

    void CheckShip(std::size_t i) {
        const VxShip& ship = m_doc.m_ships[i];
        const FindingPlace place{FindingPlace::List::Ships, i};
        const std::size_t first = m_ships.Find(ship.m_strName);
        if (first != i) {
            Add(FindingKind::SharedName, place,
                "same name as ship " + std::to_string(first + 1) + " (" +
                    NationName(m_doc.m_ships[first].m_nNation) +
                    "), which lookups by name find first");
        }
        CheckRange(place, "nation", ship.m_nNation, m_doc.m_nations.size(), "nation");
        const std::size_t armaments = m_doc.m_armaments.size();
        CheckRange(place, "main armament", ship.m_nMainArmament, armaments, "armament");
        if (ship.HasSecondary()) {
            CheckRange(place, "secondary armament", ship.m_nSecondaryArmament, armaments,
                       "armament");
        }
        if (ship.HasTorpedoes()) {
            CheckRange(place, "torpedo type", ship.m_nTorpedo, m_doc.m_torpedoes.size(), "torpedo");
        }
    }

    void CheckRange(const FindingPlace& place, const char* what, int value, std::size_t size,
                    const char* list) {
        if (Outside(value, size)) {
            Add(FindingKind::OutOfRange, place, OutsideList(what, value, size, list));
        }
    }

    void CheckSquadron(std::size_t i) {
        const VxSquadron& squadron = m_doc.m_squadrons[i];
        const FindingPlace place{FindingPlace::List::Squadrons, i};
        if (squadron.m_strFlagship.empty() && squadron.m_shipNames.empty() &&
            squadron.m_attachmentNames.empty()) {
            Add(FindingKind::Empty, place, "has no flagship, members or attachments");
        }
        CheckShipsOf(squadron, place, "");
    }

    // Each ship the squadron names: there must be one of that name, and of
    // the squadron's nation or neutral. The nations of a squadron copied
    // into a force are the force's business, so prefix marks a copy.
    void CheckShipsOf(const VxSquadron& squadron, const FindingPlace& place,
                      const CString& prefix) {
        if (!squadron.m_strFlagship.empty()) {
            CheckShipName(squadron, "flagship", squadron.m_strFlagship, place, prefix);
        }
        for (const CString& name : squadron.m_shipNames) {
            CheckShipName(squadron, "member", name, place, prefix);
        }
        for (const CString& name : squadron.m_attachmentNames) {
            CheckShipName(squadron, "attachment", name, place, prefix);
        }
    }

    void CheckShipName(const VxSquadron& squadron, const char* role, const CString& name,
                       const FindingPlace& place, const CString& prefix) {
        const std::size_t found = m_ships.Find(name);
        if (found == ShipNameIndex::npos) {
            Finding& missing = Add(FindingKind::MissingShip, place,
                                   prefix + role + " " + Quoted(name) + " names no ship");
            missing.shipName = name;
            missing.nation = squadron.m_nNation;
            return;
        }
        const int nation = m_doc.m_ships[found].m_nNation;
        if (prefix.empty() && nation != squadron.m_nNation && nation != kNeutralNation) {
            Add(FindingKind::OtherNation, place,
                CString(role) + " " + Quoted(name) + " is a ship of " + NationName(nation) +
                    ", not of " + NationName(squadron.m_nNation));
        }
    }

    void CheckScenario(std::size_t i) {
        const VxScenario& scenario = m_doc.m_scenarios[i];
        if (scenario.m_forces.empty()) {
            Add(FindingKind::Empty, {FindingPlace::List::Scenarios, i}, "has no forces");
        }
        for (std::size_t f = 0; f < scenario.m_forces.size(); ++f) CheckForce(i, f);
    }

    void CheckForce(std::size_t scenario, std::size_t f) {
        const VxForce& force = m_doc.m_scenarios[scenario].m_forces[f];
        const FindingPlace place{FindingPlace::List::Scenarios, scenario, int(f)};
        if (force.m_squadrons.empty() && force.m_ships.empty()) {
            Add(FindingKind::Empty, place, "has no squadrons or ships");
        }
        for (const VxSquadron& squadron : force.m_squadrons) {
            CheckShipsOf(squadron, place, "squadron " + Quoted(squadron.m_strName) + ": ");
        }
        for (const StaleCopy& stale : StaleCopies(force, m_doc.m_ships, m_ships)) {
            CString fields;
            for (const char* field : stale.fields) {
                fields += (fields.empty() ? "" : ", ") + CString(field);
            }
            Add(FindingKind::StaleCopy, place,
                "ship " + Quoted(force.m_ships[stale.copy].m_strName) +
                    " differs from the campaign's: " + fields);
        }
    }

    const CBrinnowDoc& m_doc;
    const ShipNameIndex m_ships;
    std::vector<Finding> m_findings;
};

}  // namespace

std::vector<Finding> CheckCampaign(const CBrinnowDoc& doc) { return CampaignCheck(doc).Run(); }

const char* KindTag(FindingKind kind) { return kKindNames[int(kind)].tag; }

const char* KindTitle(FindingKind kind) { return kKindNames[int(kind)].title; }

const char* PlaceType(const FindingPlace& place) {
    switch (place.list) {
        case FindingPlace::List::Ships:
            return "ship";
        case FindingPlace::List::Squadrons:
            return "squadron";
        case FindingPlace::List::Scenarios:
            break;
    }
    return place.IsForce() ? "force" : "scenario";
}
