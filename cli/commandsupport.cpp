#include "cli/commandsupport.h"

#include <cerrno>
#include <cstring>
#include <iostream>

#include "cli/commandline.h"

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
    if (!doc.OnOpenDocument(path)) {
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
