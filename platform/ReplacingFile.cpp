#include "platform/ReplacingFile.h"

#include <atomic>

#include "platform/ReplacingFileCalls.h"

namespace velmora::platform {

namespace replacing {

namespace {

constexpr int kCreateAttempts = 100;
constexpr std::size_t kMaxNameInTemporary = 200;

std::atomic<unsigned> temporaryCounter{0};

// ".NAME.PID-N.tmp" beside the target: easy to recognise, and unique per process and file.
std::string temporaryPathFor(const std::string& target)
{
    return target.substr(0, nameStart(target)) + temporaryPrefixFor(target) + std::to_string(currentProcessId())
           + "-" + std::to_string(temporaryCounter.fetch_add(1)) + std::string(kTemporarySuffix);
}

} // namespace

std::string temporaryPrefixFor(const std::string& target)
{
    return "." + target.substr(nameStart(target)).substr(0, kMaxNameInTemporary) + ".";
}

} // namespace replacing

using namespace replacing;

ReplacingFile::~ReplacingFile()
{
    discard();
}

bool ReplacingFile::canReplace(const std::string& targetPath)
{
    const auto target = replaceableTarget(targetPath);
    return target && folderAccepts(*target);
}

bool ReplacingFile::open(const std::string& targetPath)
{
    discard();
    const auto target = replaceableTarget(targetPath);
    if (!target)
        return false;
    removeStaleTemporaries(*target);
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        std::string candidate = temporaryPathFor(*target);
        switch (createTemporary(candidate, *target, file_)) {
        case Created::NameTaken: continue;
        case Created::Failed: return false;
        case Created::Yes: break;
        }
        targetPath_ = *target;
        temporaryPath_ = std::move(candidate);
        return true;
    }
    return false;
}

bool ReplacingFile::write(std::string_view bytes)
{
    return file_ != kNoFile && writeAll(file_, bytes);
}

ReplacingFile::CommitResult ReplacingFile::commit()
{
    if (file_ == kNoFile)
        return CommitResult::WriteFailed;
    if (!flushToDisk(file_)) {
        discard();
        return CommitResult::WriteFailed;
    }
    const bool closed = closeFile(file_);
    file_ = kNoFile;
    if (!closed || !moveOver(temporaryPath_, targetPath_)) {
        discard();
        return CommitResult::CloseFailed;
    }
    temporaryPath_.clear();
    return CommitResult::Done;
}

void ReplacingFile::discard()
{
    if (file_ != kNoFile) {
        closeFile(file_);
        file_ = kNoFile;
    }
    if (!temporaryPath_.empty()) {
        removeFile(temporaryPath_);
        temporaryPath_.clear();
    }
}

ReplaceResult replaceFileContents(const std::string& targetPath, std::string_view contents)
{
    ReplacingFile file;
    if (!file.open(targetPath))
        return ReplaceResult::CannotCreate;
    if (!file.write(contents))
        return ReplaceResult::WriteFailed;
    switch (file.commit()) {
    case ReplacingFile::CommitResult::Done: return ReplaceResult::Done;
    case ReplacingFile::CommitResult::WriteFailed: return ReplaceResult::WriteFailed;
    case ReplacingFile::CommitResult::CloseFailed: break;
    }
    return ReplaceResult::CloseFailed;
}

} // namespace velmora::platform
