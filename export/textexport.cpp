#include "export/textexport.h"

#include "model/brinnowdoc.h"
#include "model/shiptables.h"
#include "platform/filestore.h"
#include "platform/textformat.h"

namespace {

// A value holding a comma, quote or line break is quoted so that a
// spreadsheet still sees 27 columns; plain values stand as they are.
CString Field(const CString& value) {
    if (value.find_first_of(",\"\r\n") == CString::npos) return value;
    CString quoted = "\"";
    for (const char c : value) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

CString ArmamentColumn(const VxArmament* armament) {
    return armament ? Field(armament->m_strCalibre + armament->m_strNotes) : CString();
}

template <class T, std::size_t N>
void AppendNumbers(CString& line, const std::array<T, N>& values) {
    for (const T value : values) {
        if constexpr (std::is_floating_point_v<T>) {
            line += FormatG3(value) + ",";
        } else {
            line += std::to_string(value) + ",";
        }
    }
}

}  // namespace

CString VxShip::GetTextLine(const CArray<VxNation>& nations,
                            const CArray<VxArmament>& armaments) const {
    const VxNation* nation = NationIn(nations);
    CString line = Field(m_strName) + "," + (nation ? Field(nation->m_strName) : CString()) + ",";
    line += ArmamentColumn(MainArmamentIn(armaments)) + ",";
    AppendNumbers(line, m_dMainAF);
    line += m_bWingTurrets ? "Y," : "N,";
    line += ArmamentColumn(SecondaryArmamentIn(armaments)) + ",";
    AppendNumbers(line, m_dSecondaryAF);
    line += m_nTorpedo != 0 ? "21," : "18,";
    AppendNumbers(line, m_nTorpedoAF);
    line += FormatG3(m_dDF) + ",";
    line += CString(ShipTypeAbbreviation(m_nShipType)) + ",";
    line += m_bPoorUP ? "*," : " ,";
    AppendNumbers(line, m_nTurnSpeed);
    return line + AARatingText(m_nAARating) + "\n";
}

std::string ShipTextFile(const CBrinnowDoc& doc) {
    std::string text = kShipTextHeader;
    text.reserve(doc.m_ships.size() * 120);
    for (const VxShip& ship : doc.m_ships) text += ship.GetTextLine(doc.m_nations, doc.m_armaments);
    return WithCrLf(text);
}

bool ExportShipsText(const CBrinnowDoc& doc, const std::string& path, std::string& error) {
    return WriteFileSafely(path, ShipTextFile(doc), error);
}
