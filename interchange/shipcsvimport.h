#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "interchange/shipcsvcolumns.h"
#include "interchange/shipcsvfieldchanges.h"
#include "platform/progress.h"

class CBrinnowDoc;
class CsvReader;
class FileBytes;
class ShipCsvCells;

struct ShipCsvOptions {
    // Columns the export does not write are passed over instead of refused.
    bool ignoreUnknownColumns = false;
};

// Ships read back from a CSV with the export's header row and merged into a
// campaign by name: a row whose name is a ship of the campaign updates that
// ship, a new name adds a ship at the end of the list, ships the file does
// not name stay as they are. Columns are found by their header in any
// order; an absent column leaves its field alone. Reading changes nothing:
// it works out what Apply will do, or why nothing can be imported.
class ShipCsvImport {
  public:
    struct Added {
        std::size_t row;  // as a spreadsheet numbers it, the header being 1
        VxShip ship;
    };
    struct Changed {
        std::size_t row;
        std::size_t index;  // in the campaign's ship list
        ShipCsvFieldChanges::Span fields;
    };
    struct FieldChange {
        std::string column;
        std::string before;  // UTF-8, escaped and cut as messages show names
        std::string after;
    };
    // Refusals listed; past these they are only counted.
    static constexpr std::size_t kListedRefusals = 100;

    explicit ShipCsvImport(const CBrinnowDoc& doc, ShipCsvOptions options = {});
    ~ShipCsvImport();

    // Reads the whole file; false when anything was refused, and then Apply
    // does nothing. The progress is told of the bytes read.
    bool Read(std::string_view bytes, Progress& progress = Unwatched());
    // Reads a CSV file the same way, giving back the memory of what it has
    // read as it goes on. False with a sentence in error when the file
    // cannot be read; false with refusals when its content is refused.
    bool ReadFile(const std::string& path, std::string& error, Progress& progress = Unwatched());

    // "row 14, Main Armament: no 13.4 armament of Germany; ...", in UTF-8.
    const std::vector<std::string>& Refusals() const { return m_refusals; }
    std::size_t RefusalCount() const { return m_refusalCount; }
    const std::vector<Added>& AddedShips() const { return m_added; }
    const std::vector<Changed>& ChangedShips() const { return m_changed; }
    const std::vector<std::size_t>& UnchangedShips() const { return m_unchanged; }
    const CBrinnowDoc& Document() const { return m_doc; }
    bool ChangesAnything() const { return !m_added.empty() || !m_changed.empty(); }

    // A changed ship as the import leaves it.
    VxShip ChangedShip(const Changed& changed) const;
    // Each changed field of a changed ship, in column order, as the export
    // writes them.
    std::vector<FieldChange> ChangedFields(const Changed& changed) const;

    // Makes the changes in the campaign read against, unless refused.
    void Apply(CBrinnowDoc& doc) const;

  private:
    // file, if any, holds the bytes and is given back what lies behind the
    // reading.
    bool ReadBytes(std::string_view bytes, Progress& progress, FileBytes* file);
    bool ReadHeader(CsvReader& reader, const std::vector<std::string>& header);
    void ReadRow(const CsvReader& reader, const ShipCsvCells& cells,
                 const std::vector<std::string>& fields);
    // The row's name and the campaign's ship of it (or npos), unless the
    // name is refused.
    bool RowName(const CsvReader& reader, const std::vector<std::string>& fields, CString& name,
                 std::size_t& index);
    // The cell of a column, decoded; null when the file lacks the column or
    // the cell cannot be decoded (which is refused).
    const CString* Cell(const CsvReader& reader, const std::vector<std::string>& fields,
                        std::size_t column, CString& text);
    void RefuseFault(const CsvReader& reader);
    void Refuse(std::size_t row, const std::string& where, const std::string& why);
    void Place(std::size_t row, std::size_t index, VxShip& ship);

    const CBrinnowDoc& m_doc;
    ShipCsvOptions m_options;
    std::size_t m_headerSize = 0;
    // Up to the last named column; columns without a name may be left out.
    std::size_t m_fieldsNeeded = 0;
    // Where each column stands in the file, or npos.
    std::array<std::size_t, kShipCsvColumns> m_at{};
    std::vector<std::size_t> m_unnamedColumns;
    struct Names;
    std::unique_ptr<Names> m_names;
    std::size_t m_row = 0;
    std::vector<std::string> m_refusals;
    std::size_t m_refusalCount = 0;
    std::vector<Added> m_added;
    std::vector<Changed> m_changed;
    ShipCsvFieldChanges m_changedFields;
    std::vector<std::size_t> m_unchanged;
};
