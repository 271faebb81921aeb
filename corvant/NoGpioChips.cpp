// For a build without libgpiod: GPIO ports are refused with the reason.

#include "corvant/GpioChips.h"

#include "corvant/CorvantTexts.h"

#include <cerrno>

namespace corvant {
namespace {

class NoGpioChips final : public GpioChips {
public:
    std::unique_ptr<GpioChip> open(const std::string&, int& error) override
    {
        error = ENOSYS;
        return nullptr;
    }
    std::string unavailable() const override { return std::string(texts::kGpioNoLibrary); }
};

} // namespace

GpioChips& platformGpioChips()
{
    static auto* const chips = new NoGpioChips();
    return *chips;
}

} // namespace corvant
