#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the tool as a user does, its standard output into output when one is
// named.
inline CliResult RunCli(const QStringList& args, const QString& output = {}) {
    QProcess process;
    if (!output.isEmpty()) process.setStandardOutputFile(output);
    process.start(BRINNOW_CLI, args);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}
