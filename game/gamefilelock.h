#pragma once

#include <chrono>
#include <string>

#include "platform/documentlock.h"

// A game file has one writer at a time: the table window and the shared
// table's host hold its lock while the game is open, and `game mark` while
// it reads, marks and writes it, so that no mark a writer made is lost to
// another writing an older version over it.
inline constexpr std::chrono::milliseconds kGameLockPatience{5000};

// Takes the game file's lock, waiting up to patience while another writer
// holds it; false with a sentence naming the file and its holder when it
// stays held. A folder that takes no lock file is no reason to refuse: the
// write itself says what is wrong there.
bool LockGameFile(const std::string& gamePath, DocumentLock& lock,
                  std::chrono::milliseconds patience, std::string& error);
