#include "hexfile/platform/ReplacingFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

constexpr int kCreateAttempts = 100;
constexpr mode_t kNewFileMode = 0666; // narrowed by the umask, as for any new file
constexpr mode_t kPermissionBits = 07777;
// Leaves room for the dot and the suffix within the usual 255-byte name limit.
constexpr std::size_t kMaxNameInTemporary = 200;

std::atomic<unsigned> temporaryCounter{0};

// The path the data finally goes to: a symbolic link's destination, else the path itself.
std::string resolveTarget(const std::string& path)
{
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    return path;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string temporaryPathFor(const std::string& target)
{
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name =
        (slash == std::string::npos ? target : target.substr(slash + 1)).substr(0, kMaxNameInTemporary);
    return folder + "." + name + "." + std::to_string(::getpid()) + "-" +
           std::to_string(temporaryCounter.fetch_add(1)) + ".tmp";
}

bool writeAll(int descriptor, const char* data, std::size_t size)
{
    while (size != 0) {
        const ssize_t written = ::write(descriptor, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
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

ReplacingFile::~ReplacingFile()
{
    discard();
}

bool ReplacingFile::open(const std::string& targetPath)
{
    discard();
    const std::string target = resolveTarget(targetPath);
    struct stat existing {};
    const bool targetExists = ::stat(target.c_str(), &existing) == 0;
    if (targetExists && !S_ISREG(existing.st_mode))
        return false;

    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        std::string candidate = temporaryPathFor(target);
        const int descriptor = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (descriptor < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        if (targetExists) {
            // The new version keeps the old one's permissions and, where allowed, owner.
            ::fchmod(descriptor, existing.st_mode & kPermissionBits);
            [[maybe_unused]] const int ignored = ::fchown(descriptor, existing.st_uid, existing.st_gid);
        }
        file_ = descriptor;
        targetPath_ = target;
        temporaryPath_ = std::move(candidate);
        return true;
    }
    return false;
}

bool ReplacingFile::write(std::string_view bytes)
{
    if (file_ == kNoNativeFile)
        return false;
    return writeAll(static_cast<int>(file_), bytes.data(), bytes.size());
}

ReplacingFile::CommitResult ReplacingFile::commit()
{
    if (file_ == kNoNativeFile)
        return CommitResult::WriteFailed;
    if (::fsync(static_cast<int>(file_)) != 0) {
        discard();
        return CommitResult::WriteFailed;
    }
    const int closed = ::close(static_cast<int>(file_));
    file_ = kNoNativeFile;
    if (closed != 0 || ::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
        discard();
        return CommitResult::CloseFailed;
    }
    syncFolder(targetPath_);
    temporaryPath_.clear();
    return CommitResult::Done;
}

void ReplacingFile::discard()
{
    if (file_ != kNoNativeFile) {
        ::close(static_cast<int>(file_));
        file_ = kNoNativeFile;
    }
    if (!temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
}

} // namespace velmora
