#pragma once

class CBrinnowDoc;
class EditHistory;

// Adds the records on the clipboard to the campaign as one step of the
// history, asking before it replaces a record of the same name, and says
// why when the clipboard holds nothing it can take. True when the campaign
// changed.
bool PasteRecords(CBrinnowDoc& doc, EditHistory& history);
