#include "interchange/shipcsvimport.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

#include "interchange/csvreader.h"
#include "interchange/shipcsvcells.h"
#include "model/brinnowdoc.h"
#include "model/messagenames.h"
#include "model/shipnameindex.h"
#include "platform/codepage.h"
#include "platform/filebytes.h"

namespace {

constexpr std::size_t kAbsent = ShipNameIndex::npos;
constexpr std::size_t kNameColumn = 0;
constexpr const char* kReadingShips = "Reading ships:";

std::string Shown(const CString& text) { return Cp1252ToUtf8(ShownName(text)); }

// The apostrophe the export puts before a text that a spreadsheet would
// take for a formula.
void DropFormulaGuard(CString& text) {
    if (text.size() >= 2 && text[0] == '\'' &&
        std::string_view("=+-@\t\r").find(text[1]) != std::string_view::npos) {
        text.erase(0, 1);
    }
}

bool SameColumnName(std::string_view header, std::string_view name) {
    while (!header.empty() && header.back() == ' ') header.remove_suffix(1);
    while (!header.empty() && header.front() == ' ') header.remove_prefix(1);
    return header.size() == name.size() &&
           std::equal(header.begin(), header.end(), name.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::size_t ColumnOf(std::string_view header) {
    for (std::size_t i = 0; i < kShipCsvColumns; ++i) {
        if (SameColumnName(header, ShipCsvColumns[i].name)) return i;
    }
    return kAbsent;
}

bool IsBlank(const std::vector<std::string>& fields) {
    return std::all_of(fields.begin(), fields.end(),
                       [](const std::string& field) { return field.empty(); });
}

std::string Number(std::size_t number) { return std::to_string(number); }

}  // namespace

// The campaign's ship names, and the rows that have named each ship so far.
struct ShipCsvImport::Names {
    explicit Names(const CBrinnowDoc& doc) : ships(doc.m_ships), rowOf(doc.m_ships.size()) {
        for (std::size_t i = 0; i < doc.m_ships.size(); ++i) {
            const CString& name = doc.m_ships[i].m_strName;
            if (name.find("\r\n") != CString::npos) lineFeeds.emplace(WithLineFeeds(name), i);
        }
    }

    std::size_t Find(const CString& name) const {
        const std::size_t exact = ships.Find(name);
        if (exact != kAbsent || name.find('\n') == CString::npos) return exact;
        const auto fed = lineFeeds.find(name);
        return fed == lineFeeds.end() ? kAbsent : fed->second;
    }

    const ShipNameIndex ships;
    // Names with line breaks, by their form with line feeds alone, as a
    // spreadsheet may give them back.
    std::unordered_map<CString, std::size_t> lineFeeds;
    std::vector<std::size_t> rowOf;  // of each ship of the campaign, 0 for none yet
    std::unordered_map<CString, std::size_t> newRows;  // of each new name
};

ShipCsvImport::ShipCsvImport(const CBrinnowDoc& doc, ShipCsvOptions options)
    : m_doc(doc), m_options(options) {
    m_at.fill(kAbsent);
}

ShipCsvImport::~ShipCsvImport() = default;

bool ShipCsvImport::Read(std::string_view bytes, Progress& progress) {
    return ReadBytes(bytes, progress, nullptr);
}

bool ShipCsvImport::ReadFile(const std::string& path, std::string& error, Progress& progress) {
    FileBytes file;
    if (!file.Read(path, error)) return false;
    return ReadBytes(file.View(), progress, &file);
}

bool ShipCsvImport::ReadBytes(std::string_view bytes, Progress& progress, FileBytes* file) {
    CsvReader reader(bytes);
    std::vector<std::string> fields;
    if (!reader.Next(fields)) {
        if (reader.Fault().empty()) Refuse(1, "", "there is no header row");
        RefuseFault(reader);
        return false;
    }
    if (!ReadHeader(reader, fields)) return false;
    m_names = std::make_unique<Names>(m_doc);
    const ShipCsvCells cells(m_doc, reader.Delimiter() == ';');
    while (reader.Next(fields)) {
        // The rows read so far are in fields or done with; a large file then
        // never costs its bytes and the changes read from them at once.
        if (file) file->ReleaseBefore(reader.Offset());
        progress.Step(std::int64_t(reader.Offset()), std::int64_t(reader.Size()), kReadingShips);
        if (!IsBlank(fields)) ReadRow(reader, cells, fields);
    }
    RefuseFault(reader);
    progress.Step(std::int64_t(reader.Size()), std::int64_t(reader.Size()), kReadingShips);
    m_names.reset();
    return m_refusalCount == 0;
}

bool ShipCsvImport::ReadHeader(CsvReader& reader, const std::vector<std::string>& header) {
    m_headerSize = header.size();
    for (std::size_t at = 0; at < header.size(); ++at) {
        CString name;
        std::string why;
        if (!reader.Text(header[at], name, why)) {
            Refuse(1, "column " + Number(at + 1), why);
            continue;
        }
        const std::size_t column = ColumnOf(name);
        if (name.empty()) {
            m_unnamedColumns.push_back(at);
        } else if (column == kAbsent) {
            if (!m_options.ignoreUnknownColumns) {
                Refuse(1, "column " + Number(at + 1),
                       Shown(name) + " is not a column of the ships' CSV");
            }
        } else if (m_at[column] != kAbsent) {
            Refuse(1, "",
                   std::string("the column ") + ShipCsvColumns[column].name +
                       " stands twice, in columns " + Number(m_at[column] + 1) + " and " +
                       Number(at + 1));
        } else {
            m_at[column] = at;
            m_fieldsNeeded = at + 1;
        }
    }
    if (m_at[kNameColumn] == kAbsent) Refuse(1, "", "there is no Name column");
    return m_refusalCount == 0;
}

const CString* ShipCsvImport::Cell(const CsvReader& reader, const std::vector<std::string>& fields,
                                   std::size_t column, CString& text) {
    if (m_at[column] == kAbsent) return nullptr;
    std::string why;
    if (!reader.Text(fields[m_at[column]], text, why)) {
        Refuse(m_row, ShipCsvColumns[column].name, why);
        return nullptr;
    }
    DropFormulaGuard(text);
    return &text;
}

bool ShipCsvImport::RowName(const CsvReader& reader, const std::vector<std::string>& fields,
                            CString& name, std::size_t& index) {
    if (!Cell(reader, fields, kNameColumn, name)) return false;
    index = m_names->Find(name);
    std::size_t& first = index == kAbsent ? m_names->newRows[name] : m_names->rowOf[index];
    if (first != 0) {
        Refuse(m_row, "",
               "rows " + Number(first) + " and " + Number(m_row) + " both name " + Shown(name));
        return false;
    }
    first = m_row;
    const std::size_t second = index == kAbsent ? kAbsent : m_names->ships.SecondOf(index);
    if (second != kAbsent) {
        Refuse(m_row, "",
               "ships " + Number(index + 1) + " and " + Number(second + 1) +
                   " of the campaign are both named " + Shown(name) + "; rename one first");
        return false;
    }
    return true;
}

void ShipCsvImport::ReadRow(const CsvReader& reader, const ShipCsvCells& cells,
                            const std::vector<std::string>& fields) {
    m_row = reader.Row();
    if (fields.size() < m_fieldsNeeded) {
        Refuse(m_row, "",
               "only " + Number(fields.size()) + " of the header's " + Number(m_headerSize) +
                   " fields");
        return;
    }
    for (std::size_t at = m_headerSize; at < fields.size(); ++at) {
        if (!fields[at].empty()) {
            Refuse(m_row, "column " + Number(at + 1), "a value beyond the last column");
            return;
        }
    }
    for (const std::size_t at : m_unnamedColumns) {
        if (at < fields.size() && !fields[at].empty() && !m_options.ignoreUnknownColumns) {
            Refuse(m_row, "column " + Number(at + 1), "a value in a column without a name");
        }
    }
    CString name;
    std::size_t index = kAbsent;
    if (!RowName(reader, fields, name, index)) return;
    VxShip ship;
    if (index == kAbsent) {
        ship.m_strName = name;
    } else {
        ship = m_doc.m_ships[index];
    }
    const std::size_t refusals = m_refusalCount;
    for (std::size_t column = kNameColumn + 1; column < kShipCsvColumns; ++column) {
        const ShipCsvColumn& kind = ShipCsvColumns[column];
        CString text, indexText;
        if (kind.kind == ShipCsvKind::Index || !Cell(reader, fields, column, text)) continue;
        const CString* indexCell =
            column + 1 < kShipCsvColumns && ShipCsvColumns[column + 1].kind == ShipCsvKind::Index
                ? Cell(reader, fields, column + 1, indexText)
                : nullptr;
        std::string why;
        if (!cells.Apply(kind, text, indexCell, ship, why)) Refuse(m_row, kind.name, why);
    }
    if (m_refusalCount == refusals) Place(m_row, index, ship);
}

void ShipCsvImport::Place(std::size_t row, std::size_t index, VxShip& ship) {
    if (index == kAbsent) {
        m_added.push_back({row, std::move(ship)});
        return;
    }
    const ShipCsvFieldChanges::Span fields = m_changedFields.Keep(m_doc.m_ships[index], ship);
    if (fields.count == 0) {
        m_unchanged.push_back(index);
    } else {
        m_changed.push_back({row, index, fields});
    }
}

void ShipCsvImport::RefuseFault(const CsvReader& reader) {
    if (reader.Fault().empty()) return;
    Refuse(reader.Row(), "column " + Number(reader.FaultColumn()), reader.Fault());
}

void ShipCsvImport::Refuse(std::size_t row, const std::string& where, const std::string& why) {
    if (m_refusals.size() < kListedRefusals) {
        m_refusals.push_back("row " + std::to_string(row) + (where.empty() ? "" : ", " + where) +
                             ": " + why);
    }
    ++m_refusalCount;
}

VxShip ShipCsvImport::ChangedShip(const Changed& changed) const {
    VxShip ship = m_doc.m_ships[changed.index];
    m_changedFields.ApplyTo(changed.fields, ship);
    return ship;
}

std::vector<ShipCsvImport::FieldChange> ShipCsvImport::ChangedFields(const Changed& changed) const {
    const VxShip& before = m_doc.m_ships[changed.index];
    const VxShip after = ChangedShip(changed);
    std::vector<FieldChange> fields;
    for (std::size_t i = 0; i < kShipCsvColumns; ++i) {
        const ShipCsvColumn& column = ShipCsvColumns[i];
        if (SameShipCsvField(before, after, column)) continue;
        // A position shows beside its name only where the names are alike.
        if (column.kind == ShipCsvKind::Index &&
            ShipCsvText(m_doc, before, ShipCsvColumns[i - 1]) !=
                ShipCsvText(m_doc, after, ShipCsvColumns[i - 1])) {
            continue;
        }
        fields.push_back({column.name, Shown(ShipCsvText(m_doc, before, column)),
                          Shown(ShipCsvText(m_doc, after, column))});
    }
    return fields;
}

void ShipCsvImport::Apply(CBrinnowDoc& doc) const {
    if (m_refusalCount != 0) return;
    for (const Changed& changed : m_changed) {
        m_changedFields.ApplyTo(changed.fields, doc.m_ships.Modify(changed.index));
    }
    doc.m_ships.reserve(doc.m_ships.size() + m_added.size());
    for (const Added& added : m_added) doc.m_ships.push_back(added.ship);
}
