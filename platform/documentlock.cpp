#include "platform/documentlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string_view>
#include <thread>

#include "platform/filesystemcalls.h"
#include "platform/processidentity.h"
#include "platform/safefile.h"

namespace {

constexpr int kAttempts = 3;
constexpr std::size_t kLongestFileName = 255;
constexpr auto kShortestRetry = std::chrono::milliseconds(5);
constexpr auto kLongestRetry = std::chrono::milliseconds(25);

std::string OwnerLine() { return std::to_string(ThisProcessId()) + " " + ThisHostName() + "\n"; }

// Whether the open lock file is still the one at path: a holder that let go
// removes it, and a new one may stand there since.
bool StillAt(int descriptor, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(descriptor, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

std::string ContentOf(int descriptor) {
    std::string content;
    char buffer[256];
    ssize_t got = 0;
    while (content.size() < 4096 &&
           (got = ::pread(descriptor, buffer, sizeof buffer, off_t(content.size()))) > 0) {
        content.append(buffer, std::size_t(got));
    }
    return content;
}

struct Owner {
    long pid = 0;
    std::string host;

    explicit Owner(const std::string& line) { std::istringstream(line) >> pid >> host; }
    bool Here() const { return host == ThisHostName(); }
    bool IsThisProcess() const { return Here() && pid == ThisProcessId(); }
    // A lock that names no process is as stale as one whose process is gone.
    bool Gone() const { return pid <= 0 || host.empty() || (Here() && ProcessHasEnded(pid)); }
    std::string Described() const {
        if (pid <= 0 || host.empty()) return "another process";
        return "process " + std::to_string(pid) + " on " + host;
    }
};

// FNV-1a: the same in every process and build, as two processes must agree
// on the name of one lock.
std::string StableHash(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string digits;
    for (int i = 0; i < 16; ++i, hash >>= 4) digits += kDigits[hash & 15];
    return digits;
}

// ".NAME.lock", or for a name too long for that, its start (cut on a UTF-8
// character boundary) and a hash of the whole.
std::string LockName(const std::string& name) {
    const std::string lockName = "." + name + ".lock";
    if (lockName.size() <= kLongestFileName) return lockName;
    const std::string hash = "~" + StableHash(name);
    std::size_t kept = kLongestFileName - hash.size() - std::string_view(".").size() -
                       std::string_view(".lock").size();
    while (kept > 0 && (static_cast<unsigned char>(name[kept]) & 0xC0) == 0x80) --kept;
    return "." + name.substr(0, kept) + hash + ".lock";
}

void WaitBeforeRetrying() {
    static thread_local std::minstd_rand random{std::random_device{}()};
    std::uniform_int_distribution<int> spread(int(kShortestRetry.count()),
                                              int(kLongestRetry.count()));
    std::this_thread::sleep_for(std::chrono::milliseconds(spread(random)));
}

}  // namespace

DocumentLock::DocumentLock(DocumentLock&& other) noexcept { *this = std::move(other); }

DocumentLock& DocumentLock::operator=(DocumentLock&& other) noexcept {
    if (this == &other) return *this;
    if (m_lockPath != other.m_lockPath || other.m_descriptor >= 0) {
        // Taking over this object's own lock file keeps it.
        if (m_lockPath != other.m_lockPath) {
            Release();
        } else if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
        m_descriptor = other.m_descriptor;
    }
    m_document = std::move(other.m_document);
    m_lockPath = std::move(other.m_lockPath);
    m_holder = std::move(other.m_holder);
    other.m_lockPath.clear();
    other.m_descriptor = -1;
    return *this;
}

DocumentLock::~DocumentLock() { Release(); }

std::string DocumentLock::LockPathFor(const std::string& document) {
    const std::size_t slash = document.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return document.substr(0, nameStart) + LockName(document.substr(nameStart));
}

bool DocumentLock::Create(const std::string& lockPath) {
    SafeFile file(lockPath, SafeFile::Durability::NoWait, SafeFile::Placement::NeverReplace);
    return file.Open() && file.Write(OwnerLine()) && file.Commit();
}

void DocumentLock::Hold(const std::string& lockPath, int descriptor) {
    m_lockPath = lockPath;
    m_descriptor = descriptor;
}

// The lock file is there: it is this process's, another's, or stale.
DocumentLock::Outcome DocumentLock::TakeOver(const std::string& lockPath) {
    const int descriptor = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return Outcome::Unlockable;
    const Owner owner(ContentOf(descriptor));
    if (owner.IsThisProcess()) {
        // This process's own lock, from before it opened the file again.
        ::close(descriptor);
        Hold(lockPath, -1);
        return Outcome::Locked;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0 ||
        (StillAt(descriptor, lockPath) && !owner.Gone())) {
        ::close(descriptor);
        m_holder = owner.Described();
        return Outcome::HeldElsewhere;
    }
    // Stale, and ours alone to clear while the advisory lock is held: any
    // other process taking it over waits for that lock, then sees it gone.
    if (StillAt(descriptor, lockPath)) FileSystemCalls::Current().Remove(lockPath);
    ::close(descriptor);
    return Outcome::Unlockable;
}

DocumentLock::Outcome DocumentLock::Acquire(const std::string& path) {
    Release();
    m_document = path;
    m_holder.clear();
    const std::string lockPath = LockPathFor(path);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (Create(lockPath)) {
            const int descriptor = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
            // Whoever else holds it now only looks at whose it is and lets go.
            if (descriptor >= 0) ::flock(descriptor, LOCK_EX);
            Hold(lockPath, descriptor);
            return Outcome::Locked;
        }
        const Outcome outcome = TakeOver(lockPath);
        if (outcome != Outcome::Unlockable) return outcome;
    }
    return Outcome::Unlockable;
}

DocumentLock::Outcome DocumentLock::AcquireWithin(const std::string& path,
                                                  std::chrono::milliseconds patience) {
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    for (;;) {
        const Outcome outcome = Acquire(path);
        if (outcome != Outcome::HeldElsewhere || std::chrono::steady_clock::now() >= giveUp)
            return outcome;
        WaitBeforeRetrying();
    }
}

void DocumentLock::Release() {
    if (m_lockPath.empty()) return;
    // Only a lock that is still this process's: another window may have
    // taken over one it found stale.
    const int descriptor =
        m_descriptor >= 0 ? m_descriptor : ::open(m_lockPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor >= 0 && StillAt(descriptor, m_lockPath) && ContentOf(descriptor) == OwnerLine())
        FileSystemCalls::Current().Remove(m_lockPath);
    if (descriptor >= 0) ::close(descriptor);
    m_descriptor = -1;
    m_lockPath.clear();
}
