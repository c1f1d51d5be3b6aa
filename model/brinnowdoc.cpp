#include "model/brinnowdoc.h"

#include <algorithm>

#include "model/archive.h"
#include "model/messagenames.h"
#include "model/recordsizes.h"
#include "platform/codepage.h"
#include "platform/filebytes.h"
#include "platform/filestore.h"
#include "platform/largepageheap.h"
#include "platform/largepages.h"

namespace {

struct DefaultArmament {
    int nation;
    const char* calibre;
    double af;
};

constexpr DefaultArmament kDefaultArmaments[] = {
    {1, "3", 0.33},  {1, "4", 0.5},    {1, "4.7", 0.5},  {1, "5.5", 0.6},   {1, "6", 0.7},
    {1, "7.5", 0.8}, {1, "9.2", 1.5},  {1, "12", 2.25},  {1, "13.5", 2.94}, {1, "14", 3.0},
    {1, "15", 4.0},  {2, "3.4", 0.33}, {2, "3.5", 0.33}, {2, "4.1", 0.5},   {2, "5", 0.5},
    {2, "5.9", 0.7}, {2, "6", 0.7},    {2, "8.2", 1.0},  {2, "11", 2.0},    {2, "12", 2.6},
    {2, "15", 3.5},
};

bool ReferenceMoves(int reference, int from, int delta) {
    return delta != 0 && reference >= from && (reference > 0 || delta >= 0);
}

void ShiftReference(int& reference, int from, int delta) {
    if (ReferenceMoves(reference, from, delta)) reference += delta;
}

bool ShipMoves(const VxShip& ship, int from, int delta) {
    return ReferenceMoves(ship.m_nMainArmament, from, delta) ||
           ReferenceMoves(ship.m_nSecondaryArmament, from, delta);
}

bool ForcesMove(const CArray<VxForce>& forces, int from, int delta) {
    return std::any_of(forces.begin(), forces.end(), [&](const VxForce& force) {
        return std::any_of(force.m_ships.begin(), force.m_ships.end(),
                           [&](const VxShip& ship) { return ShipMoves(ship, from, delta); });
    });
}

void ShiftShip(VxShip& ship, int from, int delta) {
    ShiftReference(ship.m_nMainArmament, from, delta);
    ShiftReference(ship.m_nSecondaryArmament, from, delta);
}

// A record name as a message may quote it, in UTF-8.
std::string QuotedName(const CString& name) { return "\"" + Cp1252ToUtf8(ShownName(name)) + "\""; }

std::string WithThousands(std::size_t number) {
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits;
}

// Text in ASCII or UTF-8, which no list count of a document begins with.
bool BeginsWithText(std::string_view bytes) {
    if (bytes.size() < 4) return false;
    for (std::size_t i = 0; i < 4; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const bool ascii =
            (byte >= 0x20 && byte < 0x7F) || byte == '\t' || byte == '\r' || byte == '\n';
        const bool utf8 = (byte >= 0x80 && byte <= 0xBF) || (byte >= 0xC2 && byte <= 0xF4);
        if (!ascii && !utf8) return false;
    }
    return true;
}

}  // namespace

CBrinnowDoc::CBrinnowDoc() { OnNewDocument(); }

BOOL CBrinnowDoc::OnNewDocument() {
    m_strPathName.clear();
    m_bModified = FALSE;
    m_nations.clear();
    m_armaments.clear();
    m_torpedoes.clear();
    m_ships.clear();
    m_squadrons.clear();
    m_scenarios.clear();
    CreateDefaults();
    return TRUE;
}

void CBrinnowDoc::CreateDefaults() {
    for (const auto& [name, group] : {std::pair{"Neutral", 0},
                                      {"Great Britain", 2},
                                      {"Germany", 1},
                                      {"Russia", 2},
                                      {"Italy", 0},
                                      {"France", 2},
                                      {"Japan", 0},
                                      {"Austria-Hungary", 1},
                                      {"Turkey", 1},
                                      {"United States of America", 0}}) {
        m_nations.emplace_back(name, "No Notes", group);
    }
    for (const DefaultArmament& armament : kDefaultArmaments) {
        m_armaments.emplace_back(armament.calibre, armament.af, armament.nation);
    }
    m_torpedoes.emplace_back(18.0, 3000);
    m_torpedoes.emplace_back(21.0, 6000);
}

template <class T>
void CBrinnowDoc::SerializeList(CArchive& ar, RecordList<T>& list, const char* kind,
                                std::size_t minBytes, StorePosition& stored) {
    if (ar.IsStoring()) {
        ar << static_cast<std::int32_t>(list.size());
        for (const T& record : list) {
            const_cast<T&>(record).Serialize(ar);  // storing only reads
            stored.progress.Step(++stored.done, stored.total, kRecordsWritten);
        }
        return;
    }
    m_load = {kind, 0, 0, ar.GetPosition()};
    m_load.count = ar.ReadCount(minBytes);
    // Each record is made where it stays, just before it is read, so that a
    // large list is written to memory once rather than filled with defaults
    // first.
    list.clear();
    list.reserve(m_load.count);
    UseLargePages(const_cast<T*>(list.Records().data()), m_load.count * sizeof(T));
    for (std::size_t i = 0; i < m_load.count; ++i) {
        m_load.index = i;
        m_load.start = ar.GetPosition();
        ar.MarkDone(m_load.start);
        list.emplace_back().Serialize(ar);
    }
}

void CBrinnowDoc::Serialize(CArchive& ar, Progress& progress) {
    StorePosition stored{progress, 0,
                         std::int64_t(m_nations.size() + m_armaments.size() + m_torpedoes.size() +
                                      m_ships.size() + m_squadrons.size() + m_scenarios.size())};
    if (ar.IsStoring()) {
        ar.m_nObjectSchema = 2;
        progress.Step(0, stored.total, kRecordsWritten);
    }
    SerializeList(ar, m_nations, "nation", RecordSize::kNation, stored);
    SerializeList(ar, m_armaments, "armament", RecordSize::kArmament, stored);
    SerializeList(ar, m_torpedoes, "torpedo type", RecordSize::kTorpedo, stored);
    SerializeList(ar, m_ships, "ship", RecordSize::kShip, stored);
    SerializeList(ar, m_squadrons, "squadron", RecordSize::kSquadron, stored);
    SerializeList(ar, m_scenarios, "scenario", RecordSize::kScenario, stored);
}

void CBrinnowDoc::StartRecording() {
    m_nations.StartRecording();
    m_armaments.StartRecording();
    m_torpedoes.StartRecording();
    m_ships.StartRecording();
    m_squadrons.StartRecording();
    m_scenarios.StartRecording();
}

// Only the records whose references move are written, so that a recording
// keeps those alone.
void CBrinnowDoc::ShiftArmamentReferences(int from, int delta) {
    for (std::size_t i = 0; i < m_ships.size(); ++i) {
        if (ShipMoves(m_ships[i], from, delta)) ShiftShip(m_ships.Modify(i), from, delta);
    }
    for (std::size_t i = 0; i < m_scenarios.size(); ++i) {
        if (!ForcesMove(m_scenarios[i].m_forces, from, delta)) continue;
        for (VxForce& force : m_scenarios.Modify(i).m_forces) {
            for (VxShip& ship : force.m_ships) ShiftShip(ship, from, delta);
        }
    }
}

int CBrinnowDoc::InsertArmament(const VxArmament& armament) {
    const auto at = std::find_if(
        m_armaments.begin(), m_armaments.end(),
        [&](const VxArmament& existing) { return !VxArmament::ComesBefore(existing, armament); });
    const int index = static_cast<int>(at - m_armaments.begin());
    m_armaments.insert(at, armament);
    ShiftArmamentReferences(index, +1);
    return index;
}

void CBrinnowDoc::RemoveArmament(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_armaments.size()) return;
    m_armaments.erase(m_armaments.begin() + index);
    ShiftArmamentReferences(index + 1, -1);
}

std::string CBrinnowDoc::GetTitle() const {
    if (m_strPathName.empty()) return "Untitled";
    const std::size_t slash = m_strPathName.find_last_of('/');
    return slash == std::string::npos ? m_strPathName : m_strPathName.substr(slash + 1);
}

void CBrinnowDoc::LeaveRecordsToExit() {
    // Never deleted, on purpose: moving takes the lists' memory in one step.
    new CBrinnowDoc(std::move(*this));
}

std::string CBrinnowDoc::SaveToBytes() {
    std::string bytes;
    CArchive ar(CArchive::AppendTo(bytes));
    Serialize(ar);
    ar.Flush();
    return bytes;
}

bool CBrinnowDoc::LoadFromBytes(std::string_view bytes, const std::string& name,
                                std::function<void(std::size_t)> done) {
    CArchive ar(bytes.data(), bytes.size());
    ar.SetDone(std::move(done));
    try {
        Serialize(ar);
    } catch (const CArchiveException& failure) {
        m_strError = DescribeLoadFailure(bytes, name, failure);
        OnNewDocument();
        return false;
    }
    m_strWarning.clear();
    if (ar.BytesLeft() > 0) {
        // Readers may stop after the last list; saying so keeps a damaged
        // count from passing for a small campaign.
        m_strWarning = "\"" + name + "\" holds " + WithThousands(ar.BytesLeft()) +
                       " bytes after its last scenario. They were not read, and saving the "
                       "document will not keep them.";
    }
    m_bModified = FALSE;
    return true;
}

std::string CBrinnowDoc::DescribeLoadFailure(std::string_view bytes, const std::string& name,
                                             const CArchiveException& failure) const {
    const std::string notOurs = "\"" + name + "\" is not a Brinnow document: ";
    if (bytes.empty()) return notOurs + "the file is empty.";
    if (failure.Offset() == 0 && BeginsWithText(bytes)) {
        return notOurs + "it holds text where a document begins with its list of nations.";
    }
    std::string where = std::string("the number of ") + m_load.kind + "s";
    if (m_load.count > 0) {
        where = m_load.kind + std::string(" ") + std::to_string(m_load.index + 1) + " of " +
                std::to_string(m_load.count);
        // Most records begin with their name: show it when it was intact.
        CArchive nameReader(bytes.data() + m_load.start, bytes.size() - m_load.start);
        CString recordName;
        try {
            nameReader >> recordName;
        } catch (const CArchiveException&) {
        }
        if (!recordName.empty() && m_load.kind != std::string("torpedo type")) {
            where += " (" + QuotedName(recordName) + ")";
        }
    }
    return "\"" + name + "\" is not a valid Brinnow document: at byte " +
           std::to_string(failure.Offset()) + ", while reading " + where + ", " + failure.what() +
           ".";
}

bool CBrinnowDoc::OnOpenDocument(const std::string& path, Progress& progress) {
    FileBytes bytes;
    if (!bytes.Read(path, m_strError)) return false;
    // The front of the file is given back as the records are made from it;
    // the records take about as much memory as the file.
    const auto size = std::int64_t(bytes.View().size());
    LargePageHeap heap(bytes.View().size());
    const auto done = [&](std::size_t position) {
        bytes.ReleaseBefore(position);
        heap.AdviseGrowth();
        progress.Step(std::int64_t(position), size, kBytesRead);
    };
    progress.Step(0, size, kBytesRead);
    try {
        if (!LoadFromBytes(bytes.View(), path, done)) return false;
    } catch (const WorkCancelled&) {
        OnNewDocument();
        throw;
    }
    progress.Step(size, size, kBytesRead);
    m_strPathName = path;
    return true;
}

bool CBrinnowDoc::OnSaveDocument(const std::string& path, Progress& progress) {
    const auto store = [this, &progress](const ByteSink& sink) {
        CArchive ar(sink);
        Serialize(ar, progress);
    };
    if (!WriteFileSafely(path, store, m_strError)) return false;
    m_strPathName = path;
    m_bModified = FALSE;
    return true;
}
