#include "platform/processidentity.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <string>

std::string ThisHostName() {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return "localhost";
    return name;
}

long ThisProcessId() { return long(::getpid()); }

namespace {
// A process killed but not yet reaped by its parent still answers a signal.
bool IsZombie(long pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t end = line.rfind(')');
    return end != std::string::npos && end + 2 < line.size() && line[end + 2] == 'Z';
}
}  // namespace

bool ProcessHasEnded(long pid) {
    if (pid <= 0) return false;
    if (::kill(pid_t(pid), 0) != 0) return errno == ESRCH;
    return IsZombie(pid);
}
