#pragma once

#include <string>

#include "interchange/shipcsvimport.h"

// What an import of ships from CSV will do, in words, UTF-8.

// "2 ships added, 3 changed, 95 unchanged, 12 not in the file".
std::string ShipCsvCounts(const ShipCsvImport& import);

// Why a renamed ship comes in as a new one.
extern const char* const kShipCsvRenameNote;

// "Tiger: DF 4 -> 5, Turn Speed 1 3 -> 4".
std::string ShipCsvChangeLine(const ShipCsvImport& import, const ShipCsvImport::Changed& changed);

// The counts, then a line per added ship and per changed ship with each
// changed field, then the note on renames when ships are added.
std::string ShipCsvSummary(const ShipCsvImport& import);

// Why nothing of the file can be imported: a sentence naming the file, then
// a refusal a line, the ones past those listed counted.
std::string ShipCsvRefusal(const ShipCsvImport& import, const std::string& fileName);
