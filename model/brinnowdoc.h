#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/armament.h"
#include "model/nation.h"
#include "model/recordlist.h"
#include "model/scenario.h"
#include "model/ship.h"
#include "model/squadron.h"
#include "model/torpedo.h"
#include "platform/progress.h"
#include "platform/types.h"

class CArchive;

// The one document: six lists of records held by value, the default
// reference data of a new campaign, and the modified flag.
class CBrinnowDoc {
  public:
    CBrinnowDoc();

    BOOL OnNewDocument();
    void CreateDefaults();
    // A store reports the records written.
    void Serialize(CArchive& ar, Progress& progress = Unwatched());

    // Keeps ships' armament positions naming the same armaments after an
    // insertion (delta +1) or removal (delta -1) at a position.
    void ShiftArmamentReferences(int from, int delta);
    // Inserts in armament order, in front of any equal armament, and shifts
    // the references; returns the position.
    int InsertArmament(const VxArmament& armament);
    void RemoveArmament(int index);

    void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }
    BOOL IsModified() const { return m_bModified; }

    // Whole-file operations. On failure, ErrorMessage() says what was wrong in
    // a sentence naming the file. A failed load leaves a new document; a
    // failed save leaves the old file and the modified flag as they were.
    // A load reports the bytes read; a cancelled one leaves a new document
    // too, and throws WorkCancelled. A save reports the records written; a
    // cancelled one leaves the old file and throws WorkCancelled.
    bool OnOpenDocument(const std::string& path, Progress& progress = Unwatched());
    bool OnSaveDocument(const std::string& path, Progress& progress = Unwatched());
    // The same on bytes in memory; name is how the file is called in messages.
    // done, when set, hears now and then of a position before which the load
    // will never read again.
    bool LoadFromBytes(std::string_view bytes, const std::string& name,
                       std::function<void(std::size_t)> done = {});
    std::string SaveToBytes();

    // Hands the lists to the end of the process, which takes their memory
    // back at once: freeing a large campaign record by record costs about as
    // much as loading it. Leaves this document empty; call it on the way out.
    void LeaveRecordsToExit();

    const std::string& GetPathName() const { return m_strPathName; }
    // The file a document read from elsewhere (a recovery copy) belongs to.
    void SetPathName(const std::string& path) { m_strPathName = path; }
    // The file name without its folder, or "Untitled".
    std::string GetTitle() const;
    const std::string& ErrorMessage() const { return m_strError; }
    // After a load that succeeded: a sentence about what the file held but the
    // document does not (bytes after the last list), or empty.
    const std::string& LoadWarning() const { return m_strWarning; }

    // From here on every list keeps what a write changes, until the edit
    // history collects it: one step of the history.
    void StartRecording();

    RecordList<VxNation> m_nations;
    RecordList<VxShip> m_ships;
    RecordList<VxArmament> m_armaments;
    RecordList<VxTorpedo> m_torpedoes;
    RecordList<VxSquadron> m_squadrons;
    RecordList<VxScenario> m_scenarios;

  private:
    // Where a load is, so that a failure can say which record was damaged.
    struct LoadPosition {
        const char* kind = "nation";
        std::size_t index = 0;
        std::size_t count = 0;
        std::size_t start = 0;
    };

    // How far a store is, of all the records.
    struct StorePosition {
        Progress& progress;
        std::int64_t done;
        std::int64_t total;
    };

    template <class T>
    void SerializeList(CArchive& ar, RecordList<T>& list, const char* kind, std::size_t minBytes,
                       StorePosition& stored);
    std::string DescribeLoadFailure(std::string_view bytes, const std::string& name,
                                    const class CArchiveException& failure) const;

    BOOL m_bModified = FALSE;
    std::string m_strPathName;
    std::string m_strError;
    std::string m_strWarning;
    LoadPosition m_load;
};
