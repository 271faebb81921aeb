// The simulated programmer behind "SIM" port strings. For now a plain line
// loopback: data in reads back the last data level written.

#include "corvant/CorvantTexts.h"
#include "corvant/PinBackend.h"

#include <algorithm>
#include <cctype>

namespace corvant {
namespace {

class SimBackend final : public PinBackend {
public:
    explicit SimBackend(std::string port) : port_(std::move(port)) {}

    bool write(std::uint8_t, std::uint8_t data, std::uint8_t) override
    {
        data_ = data != 0 ? 1 : 0;
        return true;
    }
    bool read(std::uint8_t& level) override
    {
        level = data_;
        return true;
    }
    bool close() override
    {
        data_ = 0;
        return true;
    }
    std::string describe() const override { return std::string(texts::kSimProgrammer) + port_; }

private:
    std::string port_;
    std::uint8_t data_ = 0;
};

bool namesSimPort(const std::string& port)
{
    std::string head = port.substr(0, 4);
    std::transform(head.begin(), head.end(), head.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return head == "SIM" || head == "SIM:";
}

} // namespace

std::unique_ptr<PinBackend> openSimBackend(const std::string& port)
{
    if (!namesSimPort(port))
        return nullptr;
    return std::make_unique<SimBackend>(port);
}

} // namespace corvant
