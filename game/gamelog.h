#pragma once

#include <string>

#include "game/game.h"

// A log line as the table shows it, in UTF-8: "Turn 3 — LION: small box 7",
// and for a mark taken off "Turn 3 — LION: small box 7 unmarked"; a mark
// made at a seat of the shared table names it: "... small box 7 (Force 1)".
std::string LogLine(const LogEntry& entry);
// The whole log as text, a line each.
std::string LogText(const Game& game);
