#include "history/editstep.h"

EditStep::EditStep(CBrinnowDoc& doc, std::shared_ptr<const DocumentChange> change,
                   const QString& name)
    : QUndoCommand(name), m_doc(doc), m_change(std::move(change)) {}

void EditStep::undo() {
    if (!m_applied) return;
    m_change->Undo(m_doc);
    m_applied = false;
}

void EditStep::redo() {
    if (m_applied) return;
    m_change->Redo(m_doc);
    m_applied = true;
}
