#pragma once
// Writes a new version of a file beside it and puts it in place only when it is
// complete: until commit() succeeds the previous file stays exactly as it was, and a
// failed or abandoned write leaves no temporary file behind. The order of the steps
// lives in ReplacingFile.cpp; the system calls in ReplacingFilePosix.cpp (rename) and
// ReplacingFileWin32.cpp (MoveFileExW). Paths are UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::platform {

class ReplacingFile {
public:
    enum class CommitResult { Done, WriteFailed, CloseFailed };

    ReplacingFile() = default;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile();

    // Creates the temporary file in the target's folder. Fails when that is impossible
    // or when the target exists but is no regular file or is write-protected (on Windows:
    // read-only). On POSIX a symbolic link as target is followed, even to a file not yet
    // created, so the link stays and the file it names is written, and stale temporary
    // files of this target that a killed process left are removed on the way.
    bool open(const std::string& targetPath);
    // The checks of open() without creating anything: whether a later open() would get
    // past the target and its folder.
    static bool canReplace(const std::string& targetPath);
    bool write(std::string_view bytes);
    // Flushes the data to the disk, closes the temporary file and renames it over the
    // target. WriteFailed when the flush fails, CloseFailed when closing or renaming does;
    // either way the temporary file is gone and the target untouched.
    CommitResult commit();
    // Closes and removes the temporary file; the target stays as it was.
    void discard();

    // The temporary file's path while one is open (for tests and diagnostics).
    const std::string& temporaryPath() const { return temporaryPath_; }

private:
    std::intptr_t file_ = -1;
    std::string targetPath_;
    std::string temporaryPath_;
};

enum class ReplaceResult { Done, CannotCreate, WriteFailed, CloseFailed };

// The whole new contents of a file in one call, by the steps above.
ReplaceResult replaceFileContents(const std::string& targetPath, std::string_view contents);

} // namespace velmora::platform
