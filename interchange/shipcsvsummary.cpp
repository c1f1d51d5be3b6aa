#include "interchange/shipcsvsummary.h"

#include "model/brinnowdoc.h"
#include "model/messagenames.h"
#include "platform/codepage.h"

namespace {

std::string Shown(const CString& text) { return Cp1252ToUtf8(ShownName(text)); }

}  // namespace

const char* const kShipCsvRenameNote =
    "A ship renamed in the file is added under its new name, and the ship of the old name "
    "stays as it is: squadrons and scenarios name their ships, so an import never renames.";

std::string ShipCsvCounts(const ShipCsvImport& import) {
    const std::size_t added = import.AddedShips().size();
    const std::size_t named = import.ChangedShips().size() + import.UnchangedShips().size();
    const std::size_t others = import.Document().m_ships.size() - named;
    return std::to_string(added) + (added == 1 ? " ship" : " ships") + " added, " +
           std::to_string(import.ChangedShips().size()) + " changed, " +
           std::to_string(import.UnchangedShips().size()) + " unchanged" +
           (others > 0 ? ", " + std::to_string(others) + " not in the file" : "");
}

std::string ShipCsvChangeLine(const ShipCsvImport& import, const ShipCsvImport::Changed& changed) {
    // An import never renames: the ship keeps the campaign's name.
    std::string line = Shown(import.Document().m_ships[changed.index].m_strName) + ":";
    const char* separator = " ";
    for (const ShipCsvImport::FieldChange& field : import.ChangedFields(changed)) {
        line += separator + field.column + " " + field.before + " -> " + field.after;
        separator = ", ";
    }
    return line;
}

std::string ShipCsvSummary(const ShipCsvImport& import) {
    std::string text = ShipCsvCounts(import) + "\n";
    for (const ShipCsvImport::Added& added : import.AddedShips()) {
        text +=
            "added (row " + std::to_string(added.row) + "): " + Shown(added.ship.m_strName) + "\n";
    }
    for (const ShipCsvImport::Changed& changed : import.ChangedShips()) {
        text += "changed (row " + std::to_string(changed.row) +
                "): " + ShipCsvChangeLine(import, changed) + "\n";
    }
    if (!import.AddedShips().empty()) text += std::string(kShipCsvRenameNote) + "\n";
    return text;
}

std::string ShipCsvRefusal(const ShipCsvImport& import, const std::string& fileName) {
    std::string text = "\"" + fileName + "\" cannot be imported, and nothing was changed:";
    for (const std::string& refusal : import.Refusals()) text += "\n" + refusal;
    const std::size_t more = import.RefusalCount() - import.Refusals().size();
    if (more > 0) text += "\n... and " + std::to_string(more) + " more";
    return text;
}
