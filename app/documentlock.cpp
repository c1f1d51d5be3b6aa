#include "app/documentlock.h"

#include <sstream>

#include "platform/filestore.h"
#include "platform/filesystemcalls.h"
#include "platform/processidentity.h"
#include "platform/safefile.h"

namespace {
std::string OwnerLine() { return std::to_string(ThisProcessId()) + " " + ThisHostName() + "\n"; }
}  // namespace

DocumentLock::DocumentLock(DocumentLock&& other) noexcept { *this = std::move(other); }

DocumentLock& DocumentLock::operator=(DocumentLock&& other) noexcept {
    if (this != &other) {
        // Taking over this object's own lock file keeps it.
        if (m_lockPath != other.m_lockPath) Release();
        m_document = std::move(other.m_document);
        m_lockPath = std::move(other.m_lockPath);
        m_holder = std::move(other.m_holder);
        other.m_lockPath.clear();
    }
    return *this;
}

DocumentLock::~DocumentLock() { Release(); }

std::string DocumentLock::LockPathFor(const std::string& document) {
    const std::size_t slash = document.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return document.substr(0, nameStart) + "." + document.substr(nameStart) + ".lock";
}

bool DocumentLock::Create(const std::string& lockPath) {
    SafeFile file(lockPath, SafeFile::Durability::NoWait, SafeFile::Placement::NeverReplace);
    return file.Open() && file.Write(OwnerLine()) && file.Commit();
}

DocumentLock::Outcome DocumentLock::Acquire(const std::string& path) {
    Release();
    m_document = path;
    m_holder.clear();
    const std::string lockPath = LockPathFor(path);
    // Twice at most: once more after taking away a stale lock.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (Create(lockPath)) {
            m_lockPath = lockPath;
            return Outcome::Locked;
        }
        std::string owner, error;
        if (!ReadWholeFile(lockPath, owner, error)) return Outcome::Unlockable;
        long pid = 0;
        std::string host;
        std::istringstream(owner) >> pid >> host;
        const bool here = host == ThisHostName();
        if (here && pid == ThisProcessId()) {
            // This window's own lock, from before it opened the file again.
            m_lockPath = lockPath;
            return Outcome::Locked;
        }
        // A lock that names no process is as stale as one whose process is gone.
        const bool named = pid > 0 && !host.empty();
        if (named && (!here || !ProcessHasEnded(pid))) {
            m_holder = "process " + std::to_string(pid) + " on " + host;
            return Outcome::HeldElsewhere;
        }
        FileSystemCalls::Current().Remove(lockPath);
    }
    return Outcome::Unlockable;
}

void DocumentLock::Release() {
    if (m_lockPath.empty()) return;
    // Only a lock that is still this process's: another window may have
    // taken over one it found stale.
    std::string owner, error;
    if (ReadWholeFile(m_lockPath, owner, error) && owner == OwnerLine()) {
        FileSystemCalls::Current().Remove(m_lockPath);
    }
    m_lockPath.clear();
}
