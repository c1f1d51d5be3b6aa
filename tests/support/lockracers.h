#pragma once

#include <string>

// Other processes' view of a lock: as many children as count wait at a
// barrier, then all try to lock the document at once; the ones that get it
// keep it for a while, so that a second winner would overlap the first.
// Returns how many got it (0 while this process holds it).
int LockRacers(const std::string& document, int count);

// The id of a process that has ended, as a crash leaves in a lock file.
long EndedProcessId();
