#pragma once

#include <chrono>
#include <string>

// A lock file beside a file that one process at a time may change (an open
// campaign, a game file), ".NAME.lock", holding the process id and host of
// its holder, so that another can be told who has it. The holder also keeps
// an advisory lock on the lock file itself, which the system lets go when
// the process ends, so that processes racing for one lock, or for a stale
// one, never both win. A lock left by a process that is gone (a crash) is
// stale and taken over. Released when it goes out of scope.
class DocumentLock {
  public:
    enum class Outcome { Locked, HeldElsewhere, Unlockable };

    DocumentLock() = default;
    DocumentLock(DocumentLock&& other) noexcept;
    DocumentLock& operator=(DocumentLock&& other) noexcept;
    ~DocumentLock();

    // Locks the document at path. HeldElsewhere: Holder() says by whom.
    // Unlockable: the folder takes no lock file (read-only); the document
    // can still be opened.
    Outcome Acquire(const std::string& path);
    // As Acquire, trying again while another holds it, for up to patience.
    Outcome AcquireWithin(const std::string& path, std::chrono::milliseconds patience);
    void Release();

    bool Held() const { return !m_lockPath.empty(); }
    const std::string& Document() const { return m_document; }
    // "process 4711 on gunroom", for a message.
    const std::string& Holder() const { return m_holder; }

    static std::string LockPathFor(const std::string& document);

  private:
    bool Create(const std::string& lockPath);
    Outcome TakeOver(const std::string& lockPath);
    void Hold(const std::string& lockPath, int descriptor);

    std::string m_document;
    std::string m_lockPath;  // set while this object holds the lock
    int m_descriptor = -1;   // the lock file, locked, while held
    std::string m_holder;
};
