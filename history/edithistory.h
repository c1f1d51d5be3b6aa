#pragma once

#include <QObject>
#include <QUndoStack>
#include <functional>

class CBrinnowDoc;

// The document's editing history. Every editor runs through Run, which has
// the document's lists record what the editor writes and keeps one step of
// what changed; the editors themselves never see the history. The stack's
// clean state is the document's modified flag.
class EditHistory : public QObject {
    Q_OBJECT
  public:
    // The memory the steps may hold before the oldest are dropped: room for
    // several edits that touch every ship of a 100,000-ship campaign, and
    // for thousands of ordinary ones.
    static constexpr std::size_t kDefaultBudget = std::size_t(256) << 20;

    explicit EditHistory(CBrinnowDoc& doc, QObject* parent = nullptr);
    ~EditHistory() override;

    QUndoStack& Stack() { return m_stack; }
    // Runs an editor (any command that changes the document: a modal
    // dialog, a paste, a rename reaching into several lists) and records
    // what it changed as one step called name, at the cost of what it
    // wrote. An editor run from inside another belongs to the outer one's
    // step. Returns true when the document changed.
    bool Run(const QString& name, const std::function<void()>& editor);
    // A new or newly loaded document: no history, and modified only when it
    // is not the one on disk (an imported campaign).
    void Forget(bool onDisk = true);
    // The document as it is now is the one on disk.
    void MarkSaved();

    std::size_t Cost() const { return m_cost; }
    void SetBudget(std::size_t bytes);

  signals:
    // An undo or redo changed the document's lists.
    void documentChanged();
    void modifiedChanged(bool modified);

  private:
    void DropOldestSteps();
    void SyncModifiedFlag();

    CBrinnowDoc& m_doc;
    QUndoStack m_stack;
    int m_depth = 0;
    std::size_t m_cost = 0;
    std::size_t m_budget = kDefaultBudget;
};
