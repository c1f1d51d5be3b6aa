#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <optional>

#include "document/recoveryfile.h"

class CBrinnowDoc;
class DiskFileWatch;

// Keeps a recovery copy of the window's work while it has unsaved changes:
// written a few seconds after a change, and no more often than every half
// minute, so that a large campaign costs little; removed as soon as nothing
// is left unsaved (a save, a revert, an undo back to the saved state, work
// the user chose to drop, a clean exit).
class RecoveryKeeper : public QObject {
    Q_OBJECT
  public:
    static constexpr std::chrono::milliseconds kDelay{3000};
    static constexpr std::chrono::milliseconds kShortestGap{30000};

    RecoveryKeeper(CBrinnowDoc& doc, const DiskFileWatch& disk, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // After any change of the document or of its modified flag.
    void DocumentChanged();
    // Nothing is left to recover: the copy goes.
    void Discard();
    // Writes the copy at once when there is unsaved work.
    void WriteNow();
    // The copy this window keeps, if it wrote one.
    const std::optional<RecoveryFile>& Copy() const { return m_copy; }

    // Tests make the waits short.
    static void SetTiming(std::chrono::milliseconds delay, std::chrono::milliseconds gap);

  signals:
    // A sentence saying why the copy could not be written.
    void writeFailed(const QString& reason);

  private:
    CBrinnowDoc& m_doc;
    const DiskFileWatch& m_disk;
    std::optional<RecoveryFile> m_copy;
    QTimer m_timer;
    QElapsedTimer m_sinceWrite;
};
