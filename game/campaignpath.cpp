#include "game/campaignpath.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

fs::path FolderOf(const std::string& gamePath) {
    std::error_code ignored;
    return fs::absolute(fs::path(gamePath), ignored).parent_path();
}

}  // namespace

std::string CampaignReference(const std::string& campaignPath, const std::string& gamePath) {
    std::error_code ignored;
    const fs::path campaign = fs::absolute(fs::path(campaignPath), ignored).lexically_normal();
    const fs::path relative = campaign.lexically_relative(FolderOf(gamePath).lexically_normal());
    return relative.empty() ? campaign.string() : relative.string();
}

std::string CampaignPathOf(const std::string& reference, const std::string& gamePath) {
    const fs::path campaign(reference);
    if (campaign.is_absolute()) return reference;
    return (FolderOf(gamePath) / campaign).lexically_normal().string();
}
