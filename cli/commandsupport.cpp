#include "cli/commandsupport.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <memory>

#include "cli/commandline.h"
#include "cli/terminalprogress.h"
#include "platform/stopsignals.h"

namespace {

std::unique_ptr<Progress>& RunningProgress() {
    static std::unique_ptr<Progress> progress;
    return progress;
}

// Whether the progress line is shown: --quiet wins over --progress, which
// wins over what standard error is.
bool TakeProgressOptions(std::vector<std::string>& words) {
    bool shown = ::isatty(STDERR_FILENO) == 1;
    bool quiet = false;
    for (auto word = words.begin(); word != words.end() && *word != "--";) {
        if (*word == "--progress" || *word == "--quiet") {
            shown = shown || *word == "--progress";
            quiet = quiet || *word == "--quiet";
            word = words.erase(word);
        } else {
            ++word;
        }
    }
    return shown && !quiet;
}

}  // namespace

Progress& CommandProgress() { return RunningProgress() ? *RunningProgress() : Unwatched(); }

int RunCommand(Command command, std::vector<std::string> words) {
    StopSignals::Catch();
    RunningProgress() = std::make_unique<TerminalProgress>(TakeProgressOptions(words));
    int status = 0;
    try {
        status = command(words);
    } catch (const WorkCancelled&) {
        RunningProgress().reset();
        std::cerr << "brinnow-cli: interrupted; its output is as it was.\n";
        return StopSignals::ExitStatus();
    }
    RunningProgress().reset();
    return status;
}

int Fail(const std::string& message) {
    std::cerr << "brinnow-cli: " << message << "\n";
    return kFailure;
}

int UsageError(const std::string& message) {
    std::cerr << "brinnow-cli: " << message << "\nTry 'brinnow-cli --help'.\n";
    return kUsage;
}

bool PrintToStandardOutput(const std::string& text) {
    if (std::cout << text << std::flush) return true;
    Fail(std::string("Cannot write to the standard output: ") + std::strerror(errno) + ".");
    return false;
}

bool Load(CBrinnowDoc& doc, const std::string& path) {
    if (!doc.OnOpenDocument(path, CommandProgress())) {
        Fail(doc.ErrorMessage());
        return false;
    }
    if (!doc.LoadWarning().empty())
        std::cerr << "brinnow-cli: warning: " << doc.LoadWarning() << "\n";
    return true;
}

bool Words(const std::vector<std::string>& args, std::size_t count,
           std::vector<std::string>& words) {
    const CommandLine line(args, {}, {});
    words = line.Positional();
    return line.Ok() && words.size() == count;
}
