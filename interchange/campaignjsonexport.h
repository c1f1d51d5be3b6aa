#pragma once

#include <string>

#include "platform/filestore.h"
#include "platform/progress.h"

class CBrinnowDoc;

// The whole campaign as JSON text: every field of every record of the six
// lists in list order, forces with their own squadron and ship copies.
// docs/campaign-json.md describes the format.
inline constexpr const char* kCampaignJsonFormat = "brinnow-campaign";
inline constexpr int kCampaignJsonVersion = 1;

// The writers report the records of the six lists written.
void WriteCampaignJson(const CBrinnowDoc& doc, const ByteSink& sink,
                       Progress& progress = Unwatched());
std::string CampaignJson(const CBrinnowDoc& doc);
// Writes through a temporary file; the target appears only when complete,
// and a cancelled export leaves it as it was.
bool ExportCampaignJson(const CBrinnowDoc& doc, const std::string& path, std::string& error,
                        Progress& progress = Unwatched());
