#pragma once
// The simulator's access to the files a port string names, kept to what cannot hang or
// abort: regular files only (character devices too for a trace), opened without
// blocking, read with a bound.

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>

namespace velmora::sim {

// The image file of a simulated chip while a port has it open: created when missing,
// locked against every other process for the whole time. A second port on the same
// file is refused instead of silently losing one of the two chips' programming.
class HeldImageFile {
public:
    // A full 2 MB chip as Intel HEX is under 6 MB.
    static constexpr std::size_t kSizeLimit = 16 * 1024 * 1024;

    HeldImageFile() = default;
    HeldImageFile(const HeldImageFile&) = delete;
    HeldImageFile& operator=(const HeldImageFile&) = delete;
    ~HeldImageFile();

    // Opens (or creates) and locks the file; false with the reason in error when it is
    // no regular file, cannot be opened or is held by another program.
    bool open(const std::filesystem::path& path, std::string& error);
    // The whole file as it is now; false when it is larger than kSizeLimit or unreadable.
    bool read(std::string& text, std::string& error) const;
    // Unlocks and closes. A file that open() created and that was never written since
    // is removed again, so a refused port leaves nothing behind.
    void release(bool keepCreatedFile);

private:
    int descriptor_ = -1;
    bool created_ = false;
    std::filesystem::path path_;
};

// Reads a regular file with the same bound, without a lock; false with an empty error
// when there is no such file. The same on every system: the careful open and the bound
// are the platform library's.
bool readImageText(const std::filesystem::path& path, std::string& text, std::string& error);

// Creates or truncates a trace file for writing: a regular file, a character device
// (/dev/null) or a FIFO that a reader holds open; nullptr for anything else, for a FIFO
// without a reader, or when it cannot be opened.
std::FILE* openTraceStream(const std::filesystem::path& path);

} // namespace velmora::sim
