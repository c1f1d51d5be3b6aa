#pragma once

#include <QDir>
#include <QFileInfo>
#include <string>

#include "document/recoveryfile.h"
#include "platform/filestore.h"
#include "platform/processidentity.h"

// A process id that no process has.
inline constexpr long kEndedProcess = 99999999;

// This process's recovery copies as a crash leaves them: owned by a process
// that has ended, for the next window to find.
inline void HandCopiesToAnEndedProcess() {
    for (const QFileInfo& info : QDir(RecoveryFile::Folder()).entryInfoList(QDir::Files)) {
        std::string bytes, error;
        ReadWholeFile(info.filePath().toStdString(), bytes, error);
        const std::string owner = "owner " + std::to_string(ThisProcessId()) + " ";
        bytes.replace(bytes.find(owner), owner.size(),
                      "owner " + std::to_string(kEndedProcess) + " ");
        WriteFileSafely(info.filePath().toStdString(), bytes, error);
    }
}
