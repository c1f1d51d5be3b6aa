#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/brinnowdoc.h"

// Adds the ships, squadrons and scenarios of a campaign given as JSON (what
// Copy puts on the clipboard, or any campaign export) to a document. The
// nations, armament and torpedo types they use are found in the document by
// name and added where it has none. A record the document already holds
// under the same name, and that differs, is replaced only when the question
// says so; one that is the same is left alone.
class RecordMerge {
  public:
    enum class Answer { Replace, Keep, Cancel };
    // kind is "ship", "squadron" or "scenario"; name is quoted for a message.
    using Question = std::function<Answer(const std::string& kind, const std::string& name)>;

    explicit RecordMerge(CBrinnowDoc& doc) : m_doc(doc) {}

    // Reads the records and checks every position they hold against the
    // lists that came with them. On failure error says why in a sentence,
    // and Apply does nothing.
    bool Read(const std::string& json, std::string& error);
    // Asks about every clash before it changes anything, so that Cancel
    // leaves the document as it was; then adds and replaces. False when
    // cancelled or when nothing was read.
    bool Apply(const Question& ask);

    std::size_t Added() const { return m_added; }
    std::size_t Replaced() const { return m_replaced; }

  private:
    // A record of the clipboard and the record of the document it replaces.
    struct Placement {
        std::size_t from = 0;
        std::optional<std::size_t> replaces;
    };
    struct Placements {
        std::vector<Placement> ships;
        std::vector<Placement> squadrons;
        std::vector<Placement> scenarios;
    };

    std::string Unresolved(const char* kind, const CString& name) const;
    bool CheckShip(const VxShip& ship, std::string& error) const;
    bool CheckSquadron(const VxSquadron& squadron, std::string& error) const;
    bool CheckScenario(const VxScenario& scenario, std::string& error) const;

    // Where each of the clipboard's nations, armament and torpedo types
    // stands in the document now, or -1.
    void FindReferences();
    std::optional<VxShip> Resolved(VxShip ship) const;
    std::optional<VxSquadron> Resolved(VxSquadron squadron) const;
    std::optional<VxScenario> Resolved(VxScenario scenario) const;

    bool Decide(const Question& ask, Placements& placements) const;
    void AddReferencesOf(const Placements& placements);
    void Place(const Placements& placements);

    CBrinnowDoc& m_doc;
    CBrinnowDoc m_clip;
    bool m_read = false;
    std::vector<int> m_nationAt;
    std::vector<int> m_armamentAt;
    std::vector<int> m_torpedoAt;
    std::size_t m_added = 0;
    std::size_t m_replaced = 0;
};
