#include "game/gamelog.h"

#include "game/marknames.h"
#include "model/messagenames.h"
#include "platform/codepage.h"
#include "platform/textformat.h"

namespace {
// Room for a long name with the place that tells it from another's.
constexpr std::size_t kLoggedNameCharacters = 120;
constexpr std::size_t kLoggedSeatCharacters = 40;
}  // namespace

std::string LogLine(const LogEntry& entry) {
    // The name comes from the game file: a hostile one must neither act on
    // a terminal nor take the log pane seconds to lay out.
    std::string line = "Turn " + std::to_string(entry.turn) + " \u2014 " +
                       Cp1252ToUtf8(ShownName(ToUpperAnsi(entry.ship), kLoggedNameCharacters)) +
                       ": " + MarkLabel(entry.mark);
    if (!entry.marked) line += " unmarked";
    if (!entry.seat.empty())
        line += " (" + Cp1252ToUtf8(ShownName(entry.seat, kLoggedSeatCharacters)) + ")";
    return line;
}

std::string LogText(const Game& game) {
    std::string text;
    for (const LogEntry& entry : game.Log()) text += LogLine(entry) + "\n";
    return text;
}
