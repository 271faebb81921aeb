#include "platform/ReplacingFileCalls.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::platform::replacing {

namespace {

constexpr mode_t kNewFileMode = 0666; // narrowed by the umask, as for any new file
constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
// The kernel's own limit on symbolic links in one path.
constexpr int kMaxLinkHops = 40;

// Temporary files left by a process that was killed are recognised as older than this one.
const std::time_t processStart = std::time(nullptr);

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// Follows symbolic links one by one, so that a link to a file not yet created still
// leads to that file's path instead of being replaced by it.
std::string followLinks(std::string path)
{
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        char destination[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), destination, sizeof destination - 1);
        if (length < 0)
            return path;
        std::string next(destination, static_cast<std::size_t>(length));
        path = next.starts_with('/') || path.find('/') == std::string::npos ? next : folderOf(path) + "/" + next;
    }
    return path;
}

// The path the data finally goes to: a symbolic link's destination, else the path itself.
std::string resolveTarget(const std::string& path)
{
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    return followLinks(path);
}

bool allDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The process id in a name of our pattern ".NAME.PID-N.tmp", or 0 for any other name.
pid_t temporaryOwner(std::string_view entry, std::string_view prefix)
{
    if (entry.size() <= prefix.size() + kTemporarySuffix.size() || !entry.starts_with(prefix)
        || !entry.ends_with(kTemporarySuffix))
        return 0;
    entry.remove_prefix(prefix.size());
    entry.remove_suffix(kTemporarySuffix.size());
    const std::size_t dash = entry.find('-');
    if (dash == std::string_view::npos || !allDigits(entry.substr(0, dash)) || !allDigits(entry.substr(dash + 1)))
        return 0;
    return static_cast<pid_t>(std::strtol(std::string(entry.substr(0, dash)).c_str(), nullptr, 10));
}

bool processGone(pid_t owner)
{
    return owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH;
}

// A file nobody may write (mode 0444) was protected on purpose; root is refused too.
bool writeProtected(const std::string& path, const struct stat& status)
{
    return (status.st_mode & kAnyWriteBit) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// Makes a finished rename survive a crash; failing here loses nothing already written.
void syncFolder(const std::string& path)
{
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    ::fsync(folder);
    ::close(folder);
}

} // namespace

std::size_t nameStart(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// No file, or a regular file that is not write-protected.
std::optional<std::string> replaceableTarget(const std::string& targetPath)
{
    std::string target = resolveTarget(targetPath);
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0)
        return target;
    if (!S_ISREG(existing.st_mode) || writeProtected(target, existing))
        return std::nullopt;
    return target;
}

bool folderAccepts(const std::string& target)
{
    const std::string folder = folderOf(target);
    struct stat status {};
    return ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode)
        && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// Removes the temporary files a killed save of this target left behind: only names of
// our own pattern, written before this process started, by a process that is gone.
void removeStaleTemporaries(const std::string& target)
{
    const std::string folder = folderOf(target);
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr)
        return;
    const std::string prefix = temporaryPrefixFor(target);
    while (const dirent* entry = ::readdir(listing)) {
        const pid_t owner = temporaryOwner(entry->d_name, prefix);
        if (owner <= 0)
            continue;
        const std::string path = folder + "/" + entry->d_name;
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_mtime >= processStart)
            continue;
        if (processGone(owner))
            ::unlink(path.c_str());
    }
    ::closedir(listing);
}

Created createTemporary(const std::string& temporary, const std::string& target, std::intptr_t& file)
{
    const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (descriptor < 0)
        return errno == EEXIST ? Created::NameTaken : Created::Failed;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        // The new version keeps the old one's permissions and, where allowed, owner.
        ::fchmod(descriptor, existing.st_mode & kPermissionBits);
        [[maybe_unused]] const int ignored = ::fchown(descriptor, existing.st_uid, existing.st_gid);
    }
    file = descriptor;
    return Created::Yes;
}

bool writeAll(std::intptr_t file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(static_cast<int>(file), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool flushToDisk(std::intptr_t file)
{
    return ::fsync(static_cast<int>(file)) == 0;
}

bool closeFile(std::intptr_t file)
{
    return ::close(static_cast<int>(file)) == 0;
}

bool moveOver(const std::string& temporary, const std::string& target)
{
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return false;
    syncFolder(target);
    return true;
}

void removeFile(const std::string& path)
{
    ::unlink(path.c_str());
}

unsigned long currentProcessId()
{
    return static_cast<unsigned long>(::getpid());
}

} // namespace velmora::platform::replacing
