#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "model/brinnowdoc.h"
#include "platform/progress.h"

// What every command shares: its messages, its document and its words.
inline constexpr int kFailure = 1;
inline constexpr int kUsage = 2;

// The progress of the running command: a line on standard error when that is
// a terminal or --progress asks for it, none with --quiet.
Progress& CommandProgress();
// Runs the command on its words once --progress and --quiet (before "--")
// are taken out of them. Ctrl+C, SIGTERM and SIGHUP cancel its work, leaving
// its output as it was, with 128 plus the signal's number (130, 143, 129).
using Command = int (*)(const std::vector<std::string>&);
int RunCommand(Command command, std::vector<std::string> words);

// Says "brinnow-cli: message" on stderr; returns kFailure.
int Fail(const std::string& message);
// The message with a pointer to the help; returns kUsage.
int UsageError(const std::string& message);
// Writes text to the standard output; when it cannot arrive (a full disk
// behind a redirection), says why on stderr and returns false.
bool PrintToStandardOutput(const std::string& text);

// A command's document: when the command ends, its records are left to the
// process's exit, which is about to come.
class CommandDocument : public CBrinnowDoc {
  public:
    ~CommandDocument() { LeaveRecordsToExit(); }
};

// Opens the document, saying why on stderr when it cannot, and warning of
// bytes it did not read.
bool Load(CBrinnowDoc& doc, const std::string& path);

// The positional words of a command without options, or a usage error.
bool Words(const std::vector<std::string>& args, std::size_t count,
           std::vector<std::string>& words);

// The first record of that exact name, or null.
template <class Record>
const Record* FindNamed(const RecordList<Record>& records, const std::string& name) {
    const auto found = std::find_if(records.begin(), records.end(), [&name](const Record& record) {
        return record.m_strName == name;
    });
    return found == records.end() ? nullptr : &*found;
}
