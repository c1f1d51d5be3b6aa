#include "document/recoverykeeper.h"

#include <QFile>
#include <algorithm>

#include "model/brinnowdoc.h"
#include "platform/diskfilewatch.h"

namespace {
std::chrono::milliseconds g_delay = RecoveryKeeper::kDelay;
std::chrono::milliseconds g_gap = RecoveryKeeper::kShortestGap;
}  // namespace

void RecoveryKeeper::SetTiming(std::chrono::milliseconds delay, std::chrono::milliseconds gap) {
    g_delay = delay;
    g_gap = gap;
}

RecoveryKeeper::RecoveryKeeper(CBrinnowDoc& doc, const DiskFileWatch& disk, QObject* parent)
    : QObject(parent), m_doc(doc), m_disk(disk) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::WriteNow);
}

// A window that goes away without a clean exit keeps its copy: only
// Discard removes it.
RecoveryKeeper::~RecoveryKeeper() = default;

void RecoveryKeeper::DocumentChanged() {
    if (!m_doc.IsModified()) return Discard();
    if (m_timer.isActive()) return;
    auto wait = g_delay;
    if (m_sinceWrite.isValid()) {
        wait = std::max(wait, g_gap - std::chrono::milliseconds(m_sinceWrite.elapsed()));
    }
    m_timer.start(wait);
}

void RecoveryKeeper::Discard() {
    m_timer.stop();
    if (m_copy) m_copy->Remove();
    m_copy.reset();
}

void RecoveryKeeper::WriteNow() {
    m_timer.stop();
    if (!m_doc.IsModified()) return Discard();
    const QString document = QFile::decodeName(m_doc.GetPathName().c_str());
    RecoveryFile copy = RecoveryFile::ForDocument(document);
    std::string error;
    m_sinceWrite.start();
    if (!copy.Write(m_disk.Digest(), m_doc.SaveToBytes(), error)) {
        emit writeFailed(QString::fromStdString(error));
        return;
    }
    // Saved under another name meanwhile: the old copy is out of date.
    if (m_copy && m_copy->Path() != copy.Path()) m_copy->Remove();
    m_copy = std::move(copy);
}
