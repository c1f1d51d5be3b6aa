#include "export/textexport.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "model/brinnowdoc.h"
#include "model/shiptables.h"
#include "platform/filestore.h"
#include "platform/progress.h"
#include "platform/textformat.h"

namespace {

constexpr const char* kWritingShip = "Writing ship";

// Line breaks leave as CR LF in the file, also inside quoted values, the way
// a text-mode write turns every LF into CR LF.
void AppendText(std::string& out, std::string_view text, bool crlf) {
    for (const char c : text) {
        if (c == '\n' && crlf) out += '\r';
        out += c;
    }
}

bool NeedsQuotes(std::string_view value) {
    return value.find_first_of(",\"\r\n") != std::string_view::npos;
}

// A value holding a comma, quote or line break is quoted so that a
// spreadsheet still sees 27 columns; plain values stand as they are. The
// value is the concatenation of its parts.
void AppendField(std::string& out, bool crlf, std::string_view first,
                 std::string_view second = {}) {
    if (!NeedsQuotes(first) && !NeedsQuotes(second)) {
        out.append(first).append(second);
        return;
    }
    out += '"';
    for (const std::string_view part : {first, second}) {
        for (const char c : part) {
            if (c == '\n' && crlf) out += '\r';
            out += c;
            if (c == '"') out += '"';
        }
    }
    out += '"';
}

void AppendArmament(std::string& out, bool crlf, const VxArmament* armament) {
    if (armament) AppendField(out, crlf, armament->m_strCalibre, armament->m_strNotes);
    out += ',';
}

// Each number with its comma, written at `at`, which has room for all of them.
template <class T, std::size_t N>
char* WriteNumbers(char* at, const std::array<T, N>& values) {
    for (const T value : values) {
        if constexpr (std::is_floating_point_v<T>) {
            at = WriteG3(at, value);
        } else {
            at = std::to_chars(at, at + kG3MaxChars, value).ptr;
        }
        *at++ = ',';
    }
    return at;
}

}  // namespace

void VxShip::AppendTextLine(std::string& out, const CArray<VxNation>& nations,
                            const CArray<VxArmament>& armaments, bool crlf) const {
    // Room for the fourteen numbers, their commas and the short flag columns.
    char numbers[24 * (kG3MaxChars + 1)];
    const VxNation* nation = NationIn(nations);
    AppendField(out, crlf, m_strName);
    out += ',';
    if (nation) AppendField(out, crlf, nation->m_strName);
    out += ',';
    AppendArmament(out, crlf, MainArmamentIn(armaments));
    char* at = WriteNumbers(numbers, m_dMainAF);
    at = std::copy_n(m_bWingTurrets ? "Y," : "N,", 2, at);
    out.append(numbers, at);
    AppendArmament(out, crlf, SecondaryArmamentIn(armaments));
    at = WriteNumbers(numbers, m_dSecondaryAF);
    at = std::copy_n(m_nTorpedo != 0 ? "21," : "18,", 3, at);
    at = WriteNumbers(at, m_nTorpedoAF);
    at = WriteG3(at, m_dDF);
    *at++ = ',';
    out.append(numbers, at).append(ShipTypeAbbreviation(m_nShipType));
    at = std::copy_n(m_bPoorUP ? ",*," : ", ,", 3, numbers);
    at = WriteNumbers(at, m_nTurnSpeed);
    out.append(numbers, at).append(AARatingText(m_nAARating)).append(crlf ? "\r\n" : "\n");
}

CString VxShip::GetTextLine(const CArray<VxNation>& nations,
                            const CArray<VxArmament>& armaments) const {
    CString line;
    AppendTextLine(line, nations, armaments, false);
    return line;
}

namespace {

// Lines are gathered in a buffer that stays in the cache and is handed on
// whenever it fills, rather than building the whole file in fresh memory.
void WriteShipText(const CBrinnowDoc& doc, const ByteSink& sink, Progress& progress) {
    constexpr std::size_t kChunk = std::size_t(1) << 20;
    std::string chunk;
    chunk.reserve(kChunk + 4096);
    AppendText(chunk, kShipTextHeader, true);
    const auto total = std::int64_t(doc.m_ships.size());
    std::int64_t written = 0;
    progress.Step(written, total, kWritingShip);
    for (const VxShip& ship : doc.m_ships) {
        ship.AppendTextLine(chunk, doc.m_nations, doc.m_armaments, true);
        progress.Step(++written, total, kWritingShip);
        if (chunk.size() >= kChunk) {
            sink(chunk.data(), chunk.size());
            chunk.clear();
        }
    }
    sink(chunk.data(), chunk.size());
}

}  // namespace

std::string ShipTextFile(const CBrinnowDoc& doc) {
    std::string text;
    WriteShipText(
        doc, [&text](const char* data, std::size_t size) { text.append(data, size); }, Unwatched());
    return text;
}

bool ExportShipsText(const CBrinnowDoc& doc, const std::string& path, std::string& error,
                     Progress& progress) {
    return WriteFileSafely(
        path, [&](const ByteSink& sink) { WriteShipText(doc, sink, progress); }, error);
}
