#include "interchange/shipcsvcells.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "interchange/doubletext.h"
#include "model/brinnowdoc.h"
#include "model/messagenames.h"
#include "model/shiptables.h"
#include "platform/codepage.h"

namespace {

constexpr std::size_t kNamesListed = 12;

std::string Shown(const CString& text) { return Cp1252ToUtf8(ShownName(text)); }

// The names a cell could have been, as a refusal lists them: "11, 12, 15";
// past `shown` the rest are counted: "11, 12, 15 and 7 more".
std::string Choices(const CStringArray& names, std::size_t shown) {
    std::string list;
    for (std::size_t i = 0; i < names.size() && i < shown; ++i) {
        list += (i > 0 ? ", " : "") + Shown(names[i]);
    }
    if (names.size() > shown) list += " and " + std::to_string(names.size() - shown) + " more";
    return list;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::optional<int> WholeNumber(std::string_view text) {
    text = Trimmed(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return {};
    return value;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The text with its one decimal comma as a point, as a spreadsheet in a
// decimal-comma locale writes numbers; any other text as it is.
std::string WithDecimalPoint(std::string text) {
    if (std::count(text.begin(), text.end(), ',') == 1 && text.find('.') == std::string::npos) {
        text[text.find(',')] = '.';
    }
    return text;
}

// A text that differs only in its line breaks, as a spreadsheet writes them
// back, is the same text.
void ApplyText(const CString& cell, CString& field) {
    if (cell == field) return;
    if (cell.find('\n') != CString::npos && WithLineFeeds(cell) == WithLineFeeds(field)) return;
    field = cell;
}

// The table gives only its size; text names its entries.
template <class T, std::size_t N>
bool ApplyTableEntry(const CString& cell, const CString* index, const std::array<T, N>&,
                     const char* (*text)(int), const char* what, int& field, std::string& why) {
    for (std::size_t i = 0; i < N; ++i) {
        if (EqualIgnoringCase(cell, text(int(i)))) {
            field = int(i);
            return true;
        }
    }
    // The export's form of a position outside the table: no text.
    const std::optional<int> stored = index ? WholeNumber(*index) : std::optional<int>(field);
    if (cell.empty() && stored && *text(*stored) == '\0') {
        field = *stored;
        return true;
    }
    CStringArray names;
    for (std::size_t i = 0; i < N; ++i) names.push_back(text(int(i)));
    why = Shown(cell) + " is no " + what + "; one of " + Choices(names, N);
    return false;
}

bool ApplyYesNo(const CString& cell, int& field, std::string& why) {
    const bool yes = EqualIgnoringCase(cell, "Yes");
    if (!yes && !EqualIgnoringCase(cell, "No")) {
        why = "expected Yes or No, found " + Shown(cell);
        return false;
    }
    if (bool(field) != yes) field = yes ? TRUE : FALSE;
    return true;
}

bool ApplyWhole(const CString& cell, int& field, std::string& why) {
    const std::optional<int> value = WholeNumber(cell);
    if (!value) {
        why = "expected a whole number from -2147483648 to 2147483647, found " + Shown(cell);
        return false;
    }
    field = *value;
    return true;
}

template <class Record>
void IndexNames(const std::vector<Record>& records, CString (*name)(const Record&),
                std::unordered_map<CString, std::vector<int>>& index) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        index[name(records[i])].push_back(int(i));
    }
}

bool Holds(const std::vector<int>& positions, std::optional<int> position) {
    return position && std::find(positions.begin(), positions.end(), *position) != positions.end();
}

// Of the records that bear the cell's name, the one the Index column names,
// else the one the field holds, else the first that fits.
template <class Fits>
std::optional<int> Chosen(const std::vector<int>& named, const CString* index, int field,
                          Fits fits) {
    const std::optional<int> stored = index ? WholeNumber(*index) : std::nullopt;
    if (Holds(named, stored)) return stored;
    if (Holds(named, field)) return field;
    const auto first = std::find_if(named.begin(), named.end(), fits);
    if (first == named.end()) return {};
    return *first;
}

// An empty name stands for a position outside the list, which the Index
// column keeps (or, without one, the field).
std::optional<int> Unnamed(const CString& cell, const CString* index, int field, std::size_t size) {
    const std::optional<int> stored = index ? WholeNumber(*index) : std::optional<int>(field);
    if (!cell.empty() || !stored) return {};
    if (*stored >= 0 && std::size_t(*stored) < size) return {};
    return stored;
}

}  // namespace

std::string WithLineFeeds(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        plain += text[i];
    }
    return plain;
}

ShipCsvCells::ShipCsvCells(const CBrinnowDoc& doc, bool decimalComma)
    : m_doc(doc), m_decimalComma(decimalComma) {
    IndexNames(doc.m_nations.Records(), CsvNationName, m_nations);
    IndexNames(doc.m_armaments.Records(), CsvArmamentName, m_armaments);
    IndexNames(doc.m_torpedoes.Records(), CsvTorpedoName, m_torpedoes);
}

bool ShipCsvCells::Apply(const ShipCsvColumn& column, const CString& cell, const CString* index,
                         VxShip& ship, std::string& why) const {
    switch (column.kind) {
        case ShipCsvKind::Text:
            ApplyText(cell, column.text(ship));
            return true;
        case ShipCsvKind::Number:
            return ApplyNumber(cell, column.number(ship), why);
        case ShipCsvKind::Whole:
            return ApplyWhole(cell, column.whole(ship), why);
        case ShipCsvKind::YesNo:
            return ApplyYesNo(cell, column.whole(ship), why);
        case ShipCsvKind::Nation:
            return ApplyNation(cell, index, column.whole(ship), why);
        case ShipCsvKind::MainArmament:
        case ShipCsvKind::SecondaryArmament:
            return ApplyArmament(cell, index, ship, column.whole(ship), why);
        case ShipCsvKind::Torpedo:
            return ApplyTorpedo(cell, index, column.whole(ship), why);
        case ShipCsvKind::ShipType:
            return ApplyTableEntry(cell, index, ShipTypeTable, ShipTypeAbbreviation, "ship type",
                                   column.whole(ship), why);
        case ShipCsvKind::AARating:
            return ApplyTableEntry(cell, index, AARatingTable, AARatingText, "AA rating",
                                   column.whole(ship), why);
        case ShipCsvKind::Index:
            break;
    }
    return true;
}

bool ShipCsvCells::ApplyNumber(const CString& cell, double& field, std::string& why) const {
    std::string text(Trimmed(cell));
    if (m_decimalComma) text = WithDecimalPoint(text);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (!text.empty() && error == std::errc() && end == text.data() + text.size()) {
        field = value;
        return true;
    }
    if (const std::optional<double> special = DoubleFromSpecialText(text)) {
        field = *special;
        return true;
    }
    why = "expected a number, found " + Shown(cell);
    return false;
}

std::optional<int> ShipCsvCells::Resolve(const NameIndex& names, std::size_t size,
                                         const CString& cell, const CString* index, int field,
                                         const std::function<bool(int)>& fits) const {
    auto named = names.find(cell);
    // Such a spreadsheet writes a name that looks like a number, a calibre
    // such as 13.5, as 13,5.
    if (named == names.end() && m_decimalComma) named = names.find(WithDecimalPoint(cell));
    if (named == names.end()) return Unnamed(cell, index, field, size);
    return Chosen(named->second, index, field, fits);
}

bool ShipCsvCells::ApplyNation(const CString& cell, const CString* index, int& field,
                               std::string& why) const {
    if (const auto chosen = Resolve(m_nations, m_doc.m_nations.size(), cell, index, field)) {
        field = *chosen;
        return true;
    }
    CStringArray names;
    for (const VxNation& nation : m_doc.m_nations) names.push_back(nation.m_strName);
    why = "no nation named " + Shown(cell) + "; the campaign has " +
          Choices(names, kNamesListed);
    return false;
}

bool ShipCsvCells::ApplyArmament(const CString& cell, const CString* index, const VxShip& ship,
                                 int& field, std::string& why) const {
    const auto& armaments = m_doc.m_armaments.Records();
    const auto ofShipsNation = [&](int at) {
        return armaments[std::size_t(at)].m_nNation == ship.m_nNation;
    };
    if (const auto chosen =
            Resolve(m_armaments, armaments.size(), cell, index, field, ofShipsNation)) {
        field = *chosen;
        return true;
    }
    const VxNation* nation = ship.NationIn(m_doc.m_nations.Records());
    const CString nationName =
        nation ? nation->m_strName : "nation " + std::to_string(ship.m_nNation);
    CStringArray names;
    for (const VxArmament& armament : armaments) {
        if (armament.m_nNation == ship.m_nNation) names.push_back(CsvArmamentName(armament));
    }
    why = "no " + Shown(cell) + " armament of " + Shown(nationName) + "; " + Shown(nationName) +
          (names.empty() ? " has none" : " has " + Choices(names, kNamesListed));
    return false;
}

bool ShipCsvCells::ApplyTorpedo(const CString& cell, const CString* index, int& field,
                                std::string& why) const {
    if (const auto chosen = Resolve(m_torpedoes, m_doc.m_torpedoes.size(), cell, index, field)) {
        field = *chosen;
        return true;
    }
    CStringArray names;
    for (const VxTorpedo& torpedo : m_doc.m_torpedoes) names.push_back(CsvTorpedoName(torpedo));
    why = "no torpedo " + Shown(cell) + "; the campaign has " +
          Choices(names, kNamesListed);
    return false;
}
