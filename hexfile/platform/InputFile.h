#pragma once
// A file opened for reading, as a ByteSource. One of the hexfile's two OS seams
// (with ReplacingFile); InputFilePosix.cpp and InputFileWin32.cpp implement it.

#include <string>

#include "hexfile/ByteSource.h"
#include "hexfile/platform/NativeFile.h"

namespace velmora {

class InputFile final : public ByteSource {
public:
    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile() override;

    // Opens a regular file; a folder, device or pipe counts as a file that cannot be opened.
    bool open(const std::string& path);
    std::optional<std::size_t> read(std::span<char> buffer) override;
    void close();

private:
    NativeFile file_ = kNoNativeFile;
};

} // namespace velmora
