#include "interchange/recordmerge.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <map>
#include <set>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "interchange/campaignjsonimport.h"
#include "model/messagenames.h"
#include "platform/codepage.h"

namespace {

template <class List>
bool Holds(const List& list, int index) {
    return index >= 0 && std::size_t(index) < list.size();
}

// A record name as a message quotes it, in UTF-8.
std::string QuotedName(const CString& name) { return "\"" + Cp1252ToUtf8(ShownName(name)) + "\""; }

bool Refuse(std::string& error, const char* kind, const CString& name, const char* what,
            int index) {
    error = std::string("The ") + kind + " " + QuotedName(name) + " on the clipboard names " +
            what + " " + std::to_string(index) + ", which the clipboard does not hold.";
    return false;
}

// What makes a record the same record as far as a clash goes: its name
// within its nation, as the editors see it.
template <class Record>
std::pair<CString, int> NameInNation(const Record& record) {
    return {record.m_strName, record.m_nNation};
}
std::pair<CString, int> NameOnly(const VxScenario& scenario) { return {scenario.m_strName, 0}; }

using ArmamentKey = std::tuple<int, CString, CString>;
ArmamentKey KeyOf(const VxArmament& armament) {
    return {armament.m_nNation, armament.m_strCalibre, armament.m_strNotes};
}
// Torpedo types have no name; their calibre, to the bit, stands for one.
std::uint64_t KeyOf(const VxTorpedo& torpedo) {
    return std::bit_cast<std::uint64_t>(torpedo.m_dCalibre);
}

int Mapped(const std::vector<int>& at, int index) {
    return index >= 0 && std::size_t(index) < at.size() ? at[std::size_t(index)] : -1;
}

}  // namespace

bool RecordMerge::Read(const std::string& json, std::string& error) {
    m_read = false;
    CBrinnowDoc clip;
    if (!ImportCampaignJson(json, "clipboard", clip, error)) return false;
    m_clip = std::move(clip);
    if (m_clip.m_ships.empty() && m_clip.m_squadrons.empty() && m_clip.m_scenarios.empty()) {
        error = "The clipboard holds no ships, squadrons or scenarios to paste.";
        return false;
    }
    for (const VxShip& ship : m_clip.m_ships) {
        if (!CheckShip(ship, error)) return false;
    }
    for (const VxSquadron& squadron : m_clip.m_squadrons) {
        if (!CheckSquadron(squadron, error)) return false;
    }
    for (const VxScenario& scenario : m_clip.m_scenarios) {
        if (!CheckScenario(scenario, error)) return false;
    }
    m_read = true;
    return true;
}

bool RecordMerge::CheckShip(const VxShip& ship, std::string& error) const {
    if (!Holds(m_clip.m_nations, ship.m_nNation))
        return Refuse(error, "ship", ship.m_strName, "nation", ship.m_nNation);
    for (const int armament : {ship.m_nMainArmament, ship.m_nSecondaryArmament}) {
        if (!Holds(m_clip.m_armaments, armament))
            return Refuse(error, "ship", ship.m_strName, "armament type", armament);
        const int nation = m_clip.m_armaments[std::size_t(armament)].m_nNation;
        if (!Holds(m_clip.m_nations, nation))
            return Refuse(error, "ship", ship.m_strName, "the nation of an armament type", nation);
    }
    if (!Holds(m_clip.m_torpedoes, ship.m_nTorpedo))
        return Refuse(error, "ship", ship.m_strName, "torpedo type", ship.m_nTorpedo);
    return true;
}

bool RecordMerge::CheckSquadron(const VxSquadron& squadron, std::string& error) const {
    return Holds(m_clip.m_nations, squadron.m_nNation) ||
           Refuse(error, "squadron", squadron.m_strName, "nation", squadron.m_nNation);
}

bool RecordMerge::CheckScenario(const VxScenario& scenario, std::string& error) const {
    for (const VxForce& force : scenario.m_forces) {
        if (!Holds(m_clip.m_nations, force.m_nNation))
            return Refuse(error, "scenario", scenario.m_strName, "nation", force.m_nNation);
        for (const VxSquadron& squadron : force.m_squadrons) {
            if (!CheckSquadron(squadron, error)) return false;
        }
        for (const VxShip& ship : force.m_ships) {
            if (!CheckShip(ship, error)) return false;
        }
    }
    return true;
}

void RecordMerge::FindReferences() {
    std::unordered_map<CString, int> nationByName;
    for (std::size_t i = 0; i < m_doc.m_nations.size(); ++i)
        nationByName.emplace(m_doc.m_nations[i].m_strName, int(i));
    m_nationAt.clear();
    for (const VxNation& nation : m_clip.m_nations) {
        const auto found = nationByName.find(nation.m_strName);
        m_nationAt.push_back(found == nationByName.end() ? -1 : found->second);
    }
    std::map<ArmamentKey, int> armamentByKey;
    for (std::size_t i = 0; i < m_doc.m_armaments.size(); ++i)
        armamentByKey.emplace(KeyOf(m_doc.m_armaments[i]), int(i));
    m_armamentAt.clear();
    for (VxArmament armament : m_clip.m_armaments) {
        armament.m_nNation = Mapped(m_nationAt, armament.m_nNation);
        const auto found = armamentByKey.find(KeyOf(armament));
        const bool known = armament.m_nNation >= 0 && found != armamentByKey.end();
        m_armamentAt.push_back(known ? found->second : -1);
    }
    std::map<std::uint64_t, int> torpedoByKey;
    for (std::size_t i = 0; i < m_doc.m_torpedoes.size(); ++i)
        torpedoByKey.emplace(KeyOf(m_doc.m_torpedoes[i]), int(i));
    m_torpedoAt.clear();
    for (const VxTorpedo& torpedo : m_clip.m_torpedoes) {
        const auto found = torpedoByKey.find(KeyOf(torpedo));
        m_torpedoAt.push_back(found == torpedoByKey.end() ? -1 : found->second);
    }
}

// The record with the document's positions; nullopt while one of them is
// not in the document yet.
std::optional<VxShip> RecordMerge::Resolved(VxShip ship) const {
    ship.m_nNation = Mapped(m_nationAt, ship.m_nNation);
    ship.m_nMainArmament = Mapped(m_armamentAt, ship.m_nMainArmament);
    ship.m_nSecondaryArmament = Mapped(m_armamentAt, ship.m_nSecondaryArmament);
    ship.m_nTorpedo = Mapped(m_torpedoAt, ship.m_nTorpedo);
    const bool complete = ship.m_nNation >= 0 && ship.m_nMainArmament >= 0 &&
                          ship.m_nSecondaryArmament >= 0 && ship.m_nTorpedo >= 0;
    return complete ? std::optional(ship) : std::nullopt;
}

std::optional<VxSquadron> RecordMerge::Resolved(VxSquadron squadron) const {
    squadron.m_nNation = Mapped(m_nationAt, squadron.m_nNation);
    return squadron.m_nNation >= 0 ? std::optional(squadron) : std::nullopt;
}

std::optional<VxScenario> RecordMerge::Resolved(VxScenario scenario) const {
    for (VxForce& force : scenario.m_forces) {
        force.m_nNation = Mapped(m_nationAt, force.m_nNation);
        if (force.m_nNation < 0) return std::nullopt;
        for (VxSquadron& squadron : force.m_squadrons) {
            const std::optional<VxSquadron> resolved = Resolved(squadron);
            if (!resolved) return std::nullopt;
            squadron = *resolved;
        }
        for (VxShip& ship : force.m_ships) {
            const std::optional<VxShip> resolved = Resolved(ship);
            if (!resolved) return std::nullopt;
            ship = *resolved;
        }
    }
    return scenario;
}

namespace {

// Which of the clipboard's records go in, and which of the document's each
// replaces. keyOf gives a document record's key; clipKeyOf a clipboard
// record's in the document's terms, or nullopt when it cannot clash.
template <class Record, class KeyOf, class ClipKeyOf, class Resolve, class Ask>
bool DecideEach(const RecordList<Record>& document, const RecordList<Record>& clip, KeyOf keyOf,
                ClipKeyOf clipKeyOf, Resolve resolve, Ask ask, auto& placements) {
    if (clip.empty()) return true;
    std::map<decltype(keyOf(clip[0])), std::size_t> first;
    for (std::size_t i = 0; i < document.size(); ++i) first.emplace(keyOf(document[i]), i);
    for (std::size_t i = 0; i < clip.size(); ++i) {
        const auto key = clipKeyOf(clip[i]);
        const auto found = key ? first.find(*key) : first.end();
        if (found == first.end()) {
            placements.push_back({i, {}});
            continue;
        }
        const auto resolved = resolve(clip[i]);
        if (resolved && !document[found->second].IsDifferent(*resolved)) continue;
        switch (ask(clip[i].m_strName)) {
            case RecordMerge::Answer::Replace:
                placements.push_back({i, found->second});
                break;
            case RecordMerge::Answer::Keep:
                break;
            case RecordMerge::Answer::Cancel:
                return false;
        }
    }
    return true;
}

// Replacements first, while the positions found for them hold; then the
// new records, each where the editors would have put it.
template <class Record, class Resolve, class KeepsAhead>
void PlaceEach(RecordList<Record>& document, const RecordList<Record>& clip, const auto& placements,
               Resolve resolve, KeepsAhead keepsAhead, std::size_t& added, std::size_t& replaced) {
    for (const auto& placement : placements) {
        if (!placement.replaces) continue;
        document.Modify(*placement.replaces) = *resolve(clip[placement.from]);
        ++replaced;
    }
    for (const auto& placement : placements) {
        if (placement.replaces) continue;
        Record record = *resolve(clip[placement.from]);
        const auto at = std::find_if(document.begin(), document.end(), [&](const Record& existing) {
            return !keepsAhead(existing, record);
        });
        document.insert(at, std::move(record));
        ++added;
    }
}

}  // namespace

bool RecordMerge::Decide(const Question& ask, Placements& placements) const {
    const auto inNation = [this](const auto& record) {
        using Key = std::pair<CString, int>;
        const int nation = Mapped(m_nationAt, record.m_nNation);
        return nation < 0 ? std::nullopt : std::optional<Key>(Key{record.m_strName, nation});
    };
    const auto asking = [&ask](const char* kind) {
        return [&ask, kind](const CString& name) { return ask(kind, QuotedName(name)); };
    };
    const auto resolve = [this](const auto& record) { return Resolved(record); };
    return DecideEach(m_doc.m_ships, m_clip.m_ships, NameInNation<VxShip>, inNation, resolve,
                      asking("ship"), placements.ships) &&
           DecideEach(m_doc.m_squadrons, m_clip.m_squadrons, NameInNation<VxSquadron>, inNation,
                      resolve, asking("squadron"), placements.squadrons) &&
           DecideEach(
               m_doc.m_scenarios, m_clip.m_scenarios, NameOnly,
               [](const VxScenario& scenario) { return std::optional(NameOnly(scenario)); },
               resolve, asking("scenario"), placements.scenarios);
}

// The nations, armament and torpedo types that the records going in use
// and the document lacks, added: nations and torpedo types at the end,
// armament types in the armament order.
void RecordMerge::AddReferencesOf(const Placements& placements) {
    std::set<int> nations, armaments, torpedoes;
    const auto useShip = [&](const VxShip& ship) {
        nations.insert(ship.m_nNation);
        armaments.insert({ship.m_nMainArmament, ship.m_nSecondaryArmament});
        torpedoes.insert(ship.m_nTorpedo);
    };
    for (const Placement& placement : placements.ships) useShip(m_clip.m_ships[placement.from]);
    for (const Placement& placement : placements.squadrons)
        nations.insert(m_clip.m_squadrons[placement.from].m_nNation);
    for (const Placement& placement : placements.scenarios) {
        for (const VxForce& force : m_clip.m_scenarios[placement.from].m_forces) {
            nations.insert(force.m_nNation);
            for (const VxSquadron& squadron : force.m_squadrons) nations.insert(squadron.m_nNation);
            for (const VxShip& ship : force.m_ships) useShip(ship);
        }
    }
    for (const int armament : armaments) nations.insert(m_clip.m_armaments[armament].m_nNation);
    // Two of the clipboard's nations or torpedo types of one name are one.
    std::unordered_map<CString, int> addedNations;
    for (const int nation : nations) {
        if (m_nationAt[nation] >= 0) continue;
        const VxNation& added = m_clip.m_nations[nation];
        const auto [at, fresh] = addedNations.emplace(added.m_strName, int(m_doc.m_nations.size()));
        if (fresh) m_doc.m_nations.push_back(added);
        m_nationAt[nation] = at->second;
    }
    std::map<std::uint64_t, int> addedTorpedoes;
    for (const int torpedo : torpedoes) {
        if (m_torpedoAt[torpedo] >= 0) continue;
        const VxTorpedo& added = m_clip.m_torpedoes[torpedo];
        const auto [at, fresh] =
            addedTorpedoes.emplace(KeyOf(added), int(m_doc.m_torpedoes.size()));
        if (fresh) m_doc.m_torpedoes.push_back(added);
        m_torpedoAt[torpedo] = at->second;
    }
    std::set<ArmamentKey> addedArmaments;
    for (const int armament : armaments) {
        if (m_armamentAt[armament] >= 0) continue;
        VxArmament added = m_clip.m_armaments[armament];
        added.m_nNation = m_nationAt[added.m_nNation];
        if (addedArmaments.insert(KeyOf(added)).second) m_doc.InsertArmament(added);
    }
    // Inserted armaments moved the ones after them.
    FindReferences();
}

void RecordMerge::Place(const Placements& placements) {
    const auto resolve = [this](const auto& record) { return Resolved(record); };
    const auto inOrder = [](const auto& existing, const auto& added) { return existing < added; };
    PlaceEach(m_doc.m_ships, m_clip.m_ships, placements.ships, resolve, inOrder, m_added,
              m_replaced);
    PlaceEach(m_doc.m_squadrons, m_clip.m_squadrons, placements.squadrons, resolve, inOrder,
              m_added, m_replaced);
    // Scenarios stand in the byte order of their names, after equal ones.
    PlaceEach(
        m_doc.m_scenarios, m_clip.m_scenarios, placements.scenarios, resolve,
        [](const VxScenario& existing, const VxScenario& added) {
            return !(existing.m_strName > added.m_strName);
        },
        m_added, m_replaced);
}

bool RecordMerge::Apply(const Question& ask) {
    m_added = m_replaced = 0;
    if (!m_read) return false;
    FindReferences();
    Placements placements;
    if (!Decide(ask, placements)) return false;
    AddReferencesOf(placements);
    Place(placements);
    return true;
}
