#include "platform/programfiles.h"

#include <unistd.h>

#include <climits>
#include <filesystem>

ProgramFiles ProgramFiles::OfRunningProgram(const char* argv0) {
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self);
    std::filesystem::path program;
    if (length > 0 && std::size_t(length) < sizeof self) {
        program.assign(self, self + length);
    } else if (std::string(argv0).find('/') != std::string::npos) {
        program = argv0;
    }
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
