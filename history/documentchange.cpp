#include "history/documentchange.h"

template <class T>
void DocumentChange::AddIfChanged(CArray<T> CBrinnowDoc::*list, CBrinnowDoc& before,
                                  CBrinnowDoc& after) {
    if (auto splice = ListSplice<T>::Between(list, before.*list, after.*list)) {
        m_lists.emplace_back(std::move(*splice));
    }
}

DocumentChange DocumentChange::Between(CBrinnowDoc& before, CBrinnowDoc& after) {
    DocumentChange change;
    change.AddIfChanged(&CBrinnowDoc::m_nations, before, after);
    change.AddIfChanged(&CBrinnowDoc::m_armaments, before, after);
    change.AddIfChanged(&CBrinnowDoc::m_torpedoes, before, after);
    change.AddIfChanged(&CBrinnowDoc::m_ships, before, after);
    change.AddIfChanged(&CBrinnowDoc::m_squadrons, before, after);
    change.AddIfChanged(&CBrinnowDoc::m_scenarios, before, after);
    return change;
}

void DocumentChange::Undo(CBrinnowDoc& doc) const {
    for (const AnyList& list : m_lists) std::visit([&](const auto& l) { l.Undo(doc); }, list);
}

void DocumentChange::Redo(CBrinnowDoc& doc) const {
    for (const AnyList& list : m_lists) std::visit([&](const auto& l) { l.Redo(doc); }, list);
}

std::size_t DocumentChange::Cost() const {
    std::size_t cost = sizeof(DocumentChange);
    for (const AnyList& list : m_lists)
        cost += std::visit([](const auto& l) { return l.Cost(); }, list);
    return cost;
}
