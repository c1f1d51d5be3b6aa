#pragma once

#include <QString>
#include <string>

// Records travel between campaigns, and between running copies of the
// program, on the clipboard as campaign JSON under a type of our own, with
// plain text beside it for any other program.
inline constexpr const char* kRecordsMimeType = "application/x-brinnow-campaign+json";

void PutRecordsOnClipboard(const std::string& json, const QString& text);
// The campaign JSON on the clipboard: ours, or plain text that looks like a
// JSON object (a campaign exported to a file and copied from an editor);
// empty when there is none.
std::string RecordsOnClipboard();
