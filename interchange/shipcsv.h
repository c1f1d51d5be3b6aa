#pragma once

#include <string>

#include "platform/filestore.h"
#include "platform/progress.h"

class CBrinnowDoc;

// Every ship as one row of UTF-8 CSV (RFC 4180: CR LF after each row, a field
// holding a comma, quote or line break in double quotes, quotes doubled),
// after a byte order mark, so that spreadsheet programs take it as UTF-8,
// and a header row of column names. Nation, armaments, torpedo type, ship
// type and AA rating appear by name and by stored index; numbers are written
// exactly. NUL characters, which spreadsheets cannot hold, are left out.
//
// A text that a spreadsheet would run as a formula (one beginning with "=",
// "+", "-", "@", a tab or a carriage return) gets a leading apostrophe, so
// that it shows as the text it is, unless the cells are written raw.
// The writers report the ships written; a cancelled export leaves the file
// as it was.
enum class CsvCells { Protected, Raw };
void WriteShipsCsv(const CBrinnowDoc& doc, const ByteSink& sink,
                   CsvCells cells = CsvCells::Protected, Progress& progress = Unwatched());
std::string ShipsCsv(const CBrinnowDoc& doc, CsvCells cells = CsvCells::Protected);
bool ExportShipsCsv(const CBrinnowDoc& doc, const std::string& path, std::string& error,
                    CsvCells cells = CsvCells::Protected, Progress& progress = Unwatched());
