#pragma once
// A file opened for reading through one careful door: only regular files, opened without
// blocking so that a FIFO cannot hang the open before it is turned away, every failure a
// value with the system's reason. RegularFilePosix.cpp and RegularFileWin32.cpp hold
// the calls of each system; ReadRegularFile.h builds the bounded whole-file read on it.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <system_error>

namespace velmora::platform {

enum class OpenStatus { Opened, Missing, NotRegularFile, Failed };

class RegularFile {
public:
    RegularFile() = default;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile() { close(); }

    // Missing when the file or a folder on its way is not there; Failed with the reason
    // in error when the system refuses it.
    OpenStatus open(const std::filesystem::path& path, std::error_code& error);
    // The bytes read into buffer, 0 at the end of the file; nullopt with the reason in error.
    std::optional<std::size_t> read(std::span<char> buffer, std::error_code& error);
    void close();

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t file_ = kClosed;
};

} // namespace velmora::platform
