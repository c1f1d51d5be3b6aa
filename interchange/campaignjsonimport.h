#pragma once

#include <string>

#include "platform/progress.h"

class CBrinnowDoc;

// Reads a campaign written as by ExportCampaignJson. On success the six lists
// of doc are replaced and nothing else of it changes; on failure doc is
// untouched and error says, in a sentence naming the input, the line, column
// and JSON path of the value refused and why.
bool ImportCampaignJson(const std::string& json, const std::string& name, CBrinnowDoc& doc,
                        std::string& error);
// Reports the bytes read; a cancelled import leaves doc untouched.
bool ImportCampaignJsonFile(const std::string& path, CBrinnowDoc& doc, std::string& error,
                            Progress& progress = Unwatched());
