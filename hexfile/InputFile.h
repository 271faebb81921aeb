#pragma once
// A file opened for reading, as a ByteSource: the platform's regular-file door
// (platform/RegularFile.h) under a UTF-8 path.

#include <string>

#include "hexfile/ByteSource.h"
#include "platform/RegularFile.h"

namespace velmora {

class InputFile final : public ByteSource {
public:
    // Opens a regular file; a folder, device or pipe counts as a file that cannot be opened.
    bool open(const std::string& path);
    std::optional<std::size_t> read(std::span<char> buffer) override;
    void close() { file_.close(); }

private:
    platform::RegularFile file_;
};

} // namespace velmora
