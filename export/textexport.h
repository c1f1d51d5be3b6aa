#pragma once

#include <string>

#include "platform/progress.h"

class CBrinnowDoc;

// The comma-delimited ship list: a fixed header line and one line of 27
// columns a ship, every line ending in CR LF.
inline constexpr const char* kShipTextHeader =
    "Name, Country, Main Armament,,,,,Wing,Secondary Armament,,,,,Torpedos,,,,,DF,Type,,Speed,,,,,"
    "AA\n";

std::string ShipTextFile(const CBrinnowDoc& doc);
// Reports the ships written; a cancelled export leaves the file as it was.
bool ExportShipsText(const CBrinnowDoc& doc, const std::string& path, std::string& error,
                     Progress& progress = Unwatched());
