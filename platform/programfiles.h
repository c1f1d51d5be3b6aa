#pragma once

#include <string>
#include <utility>

// The files that come with the program, found from the folder of its own
// executable, never from the current folder: installed, bin/ lies beside
// share/ and libexec/; the build folder repeats that layout.
class ProgramFiles {
  public:
    // Of the running program, from the link /proc keeps to it; argv0 names
    // it where that link cannot be read.
    static ProgramFiles OfRunningProgram(const char* argv0 = "",
                                         const char* selfLink = "/proc/self/exe");

    // False when neither /proc nor argv0 gives the program's folder.
    bool Known() const { return !m_folder.empty(); }
    std::string DrawingCompanion() const;
    std::string Manual() const;
    std::string SampleCampaign() const;
    // The folder of icon themes that holds the program's own icons.
    std::string IconThemes() const;

  private:
    explicit ProgramFiles(std::string folder) : m_folder(std::move(folder)) {}
    std::string FromProgramFolder(const char* relative) const;

    std::string m_folder;
};
