#include "platform/programfiles.h"

#include <filesystem>

ProgramFiles ProgramFiles::OfRunningProgram(const char* argv0, const char* selfLink) {
    std::error_code unreadable;
    std::filesystem::path program = std::filesystem::read_symlink(selfLink, unreadable);
    if (unreadable && std::string(argv0).find('/') != std::string::npos) program = argv0;
    return ProgramFiles(program.parent_path());
}

std::string ProgramFiles::FromProgramFolder(const char* relative) const {
    return (std::filesystem::path(m_folder) / relative).lexically_normal();
}

std::string ProgramFiles::DrawingCompanion() const {
    return FromProgramFolder(BRINNOW_DRAWING_FROM_BIN);
}

std::string ProgramFiles::Manual() const { return FromProgramFolder(BRINNOW_MANUAL_FROM_BIN); }

std::string ProgramFiles::SampleCampaign() const {
    return FromProgramFolder(BRINNOW_SAMPLE_FROM_BIN);
}

std::string ProgramFiles::IconThemes() const { return FromProgramFolder(BRINNOW_ICONS_FROM_BIN); }
