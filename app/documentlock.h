#pragma once

#include <string>

// A lock file beside an open document, ".NAME.lock", holding the process id
// and host of the window that has it open, so that a second window opening
// the same file can be told. A lock left by a process that is gone (a crash)
// is stale and taken over. Released when it goes out of scope.
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
    void Release();

    const std::string& Document() const { return m_document; }
    // "process 4711 on gunroom", for a message.
    const std::string& Holder() const { return m_holder; }

    static std::string LockPathFor(const std::string& document);

  private:
    bool Create(const std::string& lockPath);

    std::string m_document;
    std::string m_lockPath;  // set while this object holds the lock
    std::string m_holder;
};
