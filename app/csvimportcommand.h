#pragma once

class CBrinnowDoc;
class EditHistory;
class QWidget;

// Tools > Import Ships from CSV: asks for the file, reads it against the
// campaign, shows what would change and, on Import, makes the change as one
// step of the history. The campaign is only marked modified; nothing is
// written until it is saved. True when the campaign changed.
bool ImportShipsFromCsv(QWidget* parent, CBrinnowDoc& doc, EditHistory& history);
