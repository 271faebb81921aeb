#include "corvant/sim/SimFiles.h"

#include <system_error>

#include "platform/ReadRegularFile.h"

namespace velmora::sim {

bool readImageText(const std::filesystem::path& path, std::string& text, std::string& error)
{
    error.clear();
    std::error_code failure;
    switch (platform::readRegularFile(path, text, failure, HeldImageFile::kSizeLimit)) {
    case platform::ReadStatus::Read: return true;
    case platform::ReadStatus::Missing: return false;
    case platform::ReadStatus::NotRegularFile: error = path.string() + " is not a regular file"; return false;
    case platform::ReadStatus::TooLarge: error = path.string() + " is larger than an image file can be"; return false;
    case platform::ReadStatus::Unreadable: break;
    }
    error = path.string() + ": " + failure.message();
    return false;
}

// By its path, on every system: the lock (where there is one) is what holds the file;
// the careful read is the same as for any image.
bool HeldImageFile::read(std::string& text, std::string& error) const
{
    if (descriptor_ < 0) {
        error = path_.string() + " is not open";
        return false;
    }
    if (readImageText(path_, text, error))
        return true;
    if (error.empty())
        error = path_.string() + " is not a regular file";
    return false;
}

} // namespace velmora::sim
