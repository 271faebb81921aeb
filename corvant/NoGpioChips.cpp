// For a build without a usable libgpiod: GPIO ports are refused with the reason.

#include "corvant/GpioChips.h"

#include "corvant/CorvantTexts.h"

#include <cerrno>

namespace corvant {
namespace {

class NoDeviceFiles final : public GpioDeviceFiles {
public:
    std::string folder() const override { return {}; }
    std::vector<std::string> names() override { return {}; }
    std::optional<GpioDeviceFile> gpioChip(const std::string&, int& error) override
    {
        error = ENOSYS;
        return std::nullopt;
    }
};

class NoGpioChips final : public GpioChips {
public:
    GpioDeviceFiles& deviceFiles() override { return files_; }
    std::unique_ptr<GpioChip> open(const GpioDeviceFile&, int& error) override
    {
        error = ENOSYS;
        return nullptr;
    }
    std::string unavailable() const override { return std::string(texts::kGpioNoLibrary) + VELMORA_GPIOD_MISSING; }

private:
    NoDeviceFiles files_;
};

} // namespace

std::unique_ptr<GpioChips> makeGpioChips(GpioDeviceFiles&)
{
    return std::make_unique<NoGpioChips>();
}

GpioChips& platformGpioChips()
{
    static auto* const chips = new NoGpioChips();
    return *chips;
}

} // namespace corvant
