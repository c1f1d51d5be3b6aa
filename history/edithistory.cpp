#include "history/edithistory.h"

#include <QCoreApplication>
#include <vector>

#include "history/documentchange.h"
#include "history/documentnotice.h"
#include "history/editstep.h"
#include "model/brinnowdoc.h"

namespace {
const EditStep& StepAt(const QUndoStack& stack, int index) {
    return *static_cast<const EditStep*>(stack.command(index));
}
}  // namespace

EditHistory::EditHistory(CBrinnowDoc& doc, QObject* parent) : QObject(parent), m_doc(doc) {
    connect(&m_stack, &QUndoStack::indexChanged, this, [this] {
        SyncModifiedFlag();
        emit documentChanged();
    });
    connect(&m_stack, &QUndoStack::cleanChanged, this, &EditHistory::SyncModifiedFlag);
}

// The stack empties itself as it goes, and nobody needs to hear of it.
EditHistory::~EditHistory() { m_stack.disconnect(this); }

bool EditHistory::Run(const QString& name, const std::function<void()>& editor) {
    if (m_depth > 0) {
        editor();
        return false;
    }
    m_doc.StartRecording();
    ++m_depth;
    editor();
    --m_depth;
    // The editor's last notices arrive now, not after the step is recorded.
    QCoreApplication::sendPostedEvents(nullptr, kDocumentChangedEvent);
    auto change = std::make_shared<DocumentChange>(DocumentChange::Recorded(m_doc));
    const bool changed = !change->IsEmpty();
    if (changed) {
        m_stack.push(new EditStep(m_doc, std::move(change), name));
        DropOldestSteps();
    }
    SyncModifiedFlag();
    return changed;
}

void EditHistory::Forget(bool onDisk) {
    m_stack.clear();  // which leaves an empty stack's clean state as it was
    m_cost = 0;
    if (onDisk) {
        m_stack.setClean();
    } else {
        m_stack.resetClean();
    }
    SyncModifiedFlag();
}

void EditHistory::MarkSaved() {
    m_stack.setClean();
    SyncModifiedFlag();
}

void EditHistory::SetBudget(std::size_t bytes) {
    m_budget = bytes;
    DropOldestSteps();
}

// The stack drops old steps only by a count fixed while it is empty, so
// steps past the budget go by building it again from the ones kept. It
// runs after a push, when every step is applied.
void EditHistory::DropOldestSteps() {
    const int count = m_stack.count();
    std::vector<std::size_t> costs(std::size_t(count), 0);
    m_cost = 0;
    for (int i = 0; i < count; ++i) {
        costs[std::size_t(i)] = StepAt(m_stack, i).Change()->Cost();
        m_cost += costs[std::size_t(i)];
    }
    if (m_stack.index() != count) return;
    int first = 0;
    while (m_cost > m_budget && first < count - 1) m_cost -= costs[std::size_t(first++)];
    if (first == 0) return;

    struct Kept {
        std::shared_ptr<const DocumentChange> change;
        QString name;
    };
    std::vector<Kept> kept;
    for (int i = first; i < count; ++i) {
        kept.push_back({StepAt(m_stack, i).Change(), m_stack.text(i)});
    }
    const int clean = m_stack.cleanIndex();
    m_stack.clear();
    for (int i = first; i <= count; ++i) {
        if (i == clean) m_stack.setClean();
        if (i < count) {
            const Kept& step = kept[std::size_t(i - first)];
            m_stack.push(new EditStep(m_doc, step.change, step.name));
        }
    }
    if (clean < first) m_stack.resetClean();
}

void EditHistory::SyncModifiedFlag() {
    const bool modified = !m_stack.isClean();
    m_doc.SetModifiedFlag(modified ? TRUE : FALSE);
    emit modifiedChanged(modified);
}
