#pragma once

#include <QUndoCommand>
#include <memory>

#include "history/documentchange.h"

// One step of the editing history: a change already made to the document
// when the step is recorded, so the first redo has nothing to do.
class EditStep : public QUndoCommand {
  public:
    EditStep(CBrinnowDoc& doc, std::shared_ptr<const DocumentChange> change, const QString& name);

    void undo() override;
    void redo() override;

    const std::shared_ptr<const DocumentChange>& Change() const { return m_change; }

  private:
    CBrinnowDoc& m_doc;
    std::shared_ptr<const DocumentChange> m_change;
    bool m_applied = true;
};
