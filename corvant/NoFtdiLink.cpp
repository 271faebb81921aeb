// For a build without libftdi1: FTDI ports are refused with the reason.

#include "corvant/FtdiLink.h"

#include "corvant/CorvantTexts.h"

namespace corvant {
namespace {

class NoFtdiLink final : public FtdiLink {
public:
    std::string unavailable() const override { return std::string(texts::kFtdiNoLibrary) + VELMORA_FTDI_MISSING; }
    FtdiOpenResult open(const FtdiDeviceId&) override { return FtdiOpenResult::Failed; }
    bool setSyncBitbang(std::uint8_t) override { return false; }
    bool resetBitmode() override { return false; }
    bool setBaudrate(int) override { return false; }
    bool setLatencyTimer(std::uint8_t) override { return false; }
    bool flush() override { return false; }
    int write(const std::uint8_t*, int) override { return -1; }
    int read(std::uint8_t*, int) override { return -1; }
    int buffered() const override { return 0; }
    void close() override {}
    std::string error() const override { return {}; }
};

} // namespace

std::unique_ptr<FtdiLink> makeFtdiLink()
{
    return std::make_unique<NoFtdiLink>();
}

} // namespace corvant
