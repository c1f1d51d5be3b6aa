#pragma once

#include <string>

#include "platform/filestore.h"

class CBrinnowDoc;

// Every ship as one row of UTF-8 CSV (RFC 4180: CR LF after each row, a field
// holding a comma, quote or line break in double quotes, quotes doubled),
// after a byte order mark, so that spreadsheet programs take it as UTF-8,
// and a header row of column names. Nation, armaments, torpedo type, ship
// type and AA rating appear by name and by stored index; numbers are written
// exactly. NUL characters, which spreadsheets cannot hold, are left out.
void WriteShipsCsv(const CBrinnowDoc& doc, const ByteSink& sink);
std::string ShipsCsv(const CBrinnowDoc& doc);
bool ExportShipsCsv(const CBrinnowDoc& doc, const std::string& path, std::string& error);
