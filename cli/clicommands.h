#pragma once

#include <string>
#include <vector>

// Each command takes the words after its name, reports failures on stderr
// and returns the process exit code. Output files appear only on success.
int CommandNew(const std::vector<std::string>& args);
int CommandInfo(const std::vector<std::string>& args);
int CommandSaveAs(const std::vector<std::string>& args);
int CommandPrint(const std::vector<std::string>& args);
int CommandCard(const std::vector<std::string>& args);
int CommandExportText(const std::vector<std::string>& args);
int CommandExportHtml(const std::vector<std::string>& args);
int CommandExportJson(const std::vector<std::string>& args);
int CommandImportJson(const std::vector<std::string>& args);
int CommandExportCsv(const std::vector<std::string>& args);
int CommandImportCsv(const std::vector<std::string>& args);
int CommandCheck(const std::vector<std::string>& args);
int CommandCompare(const std::vector<std::string>& args);
int CommandGame(const std::vector<std::string>& args);
// "game serve": runs in the drawing companion, which has Qt's event loop.
int CommandServeGame(const std::vector<std::string>& args);
