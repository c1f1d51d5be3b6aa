#pragma once

#include <string>

// A game names its campaign relative to the game file's folder, so that the
// two can be moved or shared together. Paths are UTF-8.
std::string CampaignReference(const std::string& campaignPath, const std::string& gamePath);
std::string CampaignPathOf(const std::string& reference, const std::string& gamePath);
