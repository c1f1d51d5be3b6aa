#pragma once

#include <string>

// Who holds a lock or a recovery copy: a process on a host.
std::string ThisHostName();
long ThisProcessId();
// Whether the process with that id on this host has ended (a crash leaves
// its locks and copies behind).
bool ProcessHasEnded(long pid);
