#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "interchange/shipcsvcolumns.h"

class CBrinnowDoc;

// The text with each CR LF as a line feed alone, as spreadsheets give line
// breaks back.
std::string WithLineFeeds(std::string_view text);

// Reads the cells of the ships' CSV into a ship's fields, finding nations,
// armaments and torpedoes by the names the export writes. A field takes a
// cell only when the cell means something else than it holds, so a value
// read back as it was written leaves its bytes alone.
class ShipCsvCells {
  public:
    // decimalComma: numbers, and names that look like numbers, may be
    // written "4,5", as where ";" separates the fields.
    ShipCsvCells(const CBrinnowDoc& doc, bool decimalComma);

    // Sets the column's field of ship from the cell (Windows-1252, without
    // the apostrophe that keeps a formula from running). index is the cell of
    // the column's Index column, or null; it decides between records of the
    // same name. On a refusal, why completes "row 14, Main Armament: ".
    bool Apply(const ShipCsvColumn& column, const CString& cell, const CString* index, VxShip& ship,
               std::string& why) const;

  private:
    using NameIndex = std::unordered_map<CString, std::vector<int>>;

    // The position the cell names among the records of names; fits says
    // which of several bearing the name may be taken without an index.
    std::optional<int> Resolve(
        const NameIndex& names, std::size_t size, const CString& cell, const CString* index,
        int field, const std::function<bool(int)>& fits = [](int) { return true; }) const;
    bool ApplyNation(const CString& cell, const CString* index, int& field, std::string& why) const;
    bool ApplyArmament(const CString& cell, const CString* index, const VxShip& ship, int& field,
                       std::string& why) const;
    bool ApplyTorpedo(const CString& cell, const CString* index, int& field,
                      std::string& why) const;
    bool ApplyNumber(const CString& cell, double& field, std::string& why) const;

    const CBrinnowDoc& m_doc;
    bool m_decimalComma;
    NameIndex m_nations;
    NameIndex m_armaments;
    NameIndex m_torpedoes;
};
