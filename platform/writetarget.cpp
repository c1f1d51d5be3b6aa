#include "platform/writetarget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kMostLinksFollowed = 40;

std::string FolderPrefix(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Names that stand for a descriptor the process already holds: writing
// through them must reach that descriptor, whatever file it is open on.
bool NamesAnOpenDescriptor(const std::string& path) {
    for (const char* prefix : {"/dev/stdout", "/dev/stderr", "/dev/fd/", "/proc/"}) {
        if (path.rfind(prefix, 0) == 0) return true;
    }
    return false;
}

// The last link of a chain whose file does not exist yet: the name it
// would be created under. Empty when path is no link at all.
std::string DanglingLinkTarget(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < kMostLinksFollowed; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return hop == 0 ? std::string() : current;
        }
        char target[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), target, sizeof target - 1);
        if (length <= 0) return current;
        const std::string next(target, std::size_t(length));
        current = next.front() == '/' ? next : FolderPrefix(current) + next;
    }
    return current;
}

WriteTarget Refused(const std::string& path, std::string reason) {
    return {WriteTarget::Kind::Refused, path, std::move(reason)};
}

WriteTarget RegularFile(const std::string& path, const struct stat& info) {
    // Root may write anything: a file nobody may write counts as read-only
    // all the same.
    const bool noWriteBits = (info.st_mode & 0222) == 0;
    if (noWriteBits || (::access(path.c_str(), W_OK) != 0 && errno == EACCES)) {
        return Refused(path, "the file is read-only");
    }
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return {WriteTarget::Kind::File, path, {}};
    std::string resolved(real);
    std::free(real);
    return {WriteTarget::Kind::File, resolved, {}};
}

}  // namespace

WriteTarget WriteTarget::Of(const std::string& path) {
    if (path == "-") return {Kind::Stream, path, {}};
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ELOOP) return Refused(path, std::strerror(ELOOP));
        const std::string dangling = DanglingLinkTarget(path);
        return {Kind::File, dangling.empty() ? path : dangling, {}};
    }
    if (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode) ||
        (S_ISREG(info.st_mode) && NamesAnOpenDescriptor(path))) {
        return {Kind::Stream, path, {}};
    }
    if (S_ISREG(info.st_mode)) return RegularFile(path, info);
    if (S_ISDIR(info.st_mode)) return Refused(path, "it is a folder");
    return Refused(path, "it is neither a file nor a stream that can be written");
}
