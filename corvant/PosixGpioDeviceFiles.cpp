// The GPIO chips' device files on Linux, inspected without opening them: a
// chip is a character device whose sysfs node belongs to the gpio bus (the
// test libgpiod 2.x makes in gpiod_is_gpiochip_device; 1.6 opens first and
// checks after, which is why the lookup never hands it a name).

#include "corvant/GpioChips.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

namespace corvant {
namespace {

constexpr const char* kDeviceFolder = "/dev";
constexpr const char* kGpioBus = "/sys/bus/gpio";

std::optional<std::string> resolved(const std::string& path, int& error)
{
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
    if (!real) {
        error = errno;
        return std::nullopt;
    }
    return std::string(real.get());
}

class PosixGpioDeviceFiles final : public GpioDeviceFiles {
public:
    std::string folder() const override { return kDeviceFolder; }

    std::vector<std::string> names() override
    {
        std::vector<std::string> result;
        dirent** entries = nullptr;
        const int count = ::scandir(kDeviceFolder, &entries, nullptr, alphasort);
        for (int i = 0; i < count; ++i) {
            result.emplace_back(entries[i]->d_name);
            std::free(entries[i]);
        }
        std::free(entries);
        return result;
    }

    std::optional<GpioDeviceFile> gpioChip(const std::string& path, int& error) override
    {
        const auto real = resolved(path, error);
        if (!real)
            return std::nullopt;
        struct stat status {};
        if (::stat(real->c_str(), &status) != 0) {
            error = errno;
            return std::nullopt;
        }
        if (!S_ISCHR(status.st_mode)) {
            error = ENOTTY;
            return std::nullopt;
        }
        const std::string node = "/sys/dev/char/" + std::to_string(major(status.st_rdev)) + ":"
            + std::to_string(minor(status.st_rdev)) + "/subsystem";
        int ignored = 0;
        if (resolved(node, ignored) != kGpioBus) {
            error = ENOTTY;
            return std::nullopt;
        }
        return GpioDeviceFile{*real, static_cast<std::uint64_t>(status.st_rdev)};
    }
};

} // namespace

GpioDeviceFiles& platformGpioDeviceFiles()
{
    static auto* const files = new PosixGpioDeviceFiles();
    return *files;
}

} // namespace corvant
