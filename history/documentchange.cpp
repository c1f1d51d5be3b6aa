#include "history/documentchange.h"

template <class T>
void DocumentChange::AddIfChanged(RecordList<T> CBrinnowDoc::*list, CBrinnowDoc& doc) {
    if (auto splice = ListSplice<T>::Recorded(list, doc)) m_lists.emplace_back(std::move(*splice));
}

DocumentChange DocumentChange::Recorded(CBrinnowDoc& doc) {
    DocumentChange change;
    change.AddIfChanged(&CBrinnowDoc::m_nations, doc);
    change.AddIfChanged(&CBrinnowDoc::m_armaments, doc);
    change.AddIfChanged(&CBrinnowDoc::m_torpedoes, doc);
    change.AddIfChanged(&CBrinnowDoc::m_ships, doc);
    change.AddIfChanged(&CBrinnowDoc::m_squadrons, doc);
    change.AddIfChanged(&CBrinnowDoc::m_scenarios, doc);
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
