#pragma once
// A back end on its stand-in hardware, for the contract every back end keeps.

#include "corvant/PinInterface.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace corvant::test {

struct Levels {
    int vpp = 0;
    int data = 0;
    int clock = 0;
    bool operator==(const Levels&) const = default;
};

inline void PrintTo(const Levels& levels, std::ostream* out)
{
    *out << "Vpp=" << levels.vpp << " PGD=" << levels.data << " PGC=" << levels.clock;
}

// One back end on its stand-in hardware.
class Rig {
public:
    virtual ~Rig() = default;
    virtual std::string port() const = 0;
    // The rows that open this back end on the rig's hardware; each call gives
    // rows for another program on the same hardware.
    virtual BackendTable backends() = 0;
    // The clock the speed check reads.
    virtual MonotonicClock clock() { return steadyClock(); }
    // The three outputs as the hardware has them; nullopt where they cannot be seen.
    virtual std::optional<Levels> levels() = 0;
    // Puts `high` on the data-in line the way this hardware allows.
    virtual void setDataIn(PinInterface& pins, bool high) = 0;
    // Texts GetDllInfo must contain: the back end and the port.
    virtual std::vector<std::string> infoWords() const = 0;
    // Whether the port can be held by one program only.
    virtual bool exclusive() const { return true; }
    // Whether the back end takes whole streams (ProgrammerStream).
    virtual bool streams() const { return false; }
};

// The JDM programmer on this platform's serial layer, over its recorded system calls.
std::unique_ptr<Rig> makeJdmRig();

struct RigMaker {
    const char* name;
    std::function<std::unique_ptr<Rig>()> make;
};

inline void PrintTo(const RigMaker& maker, std::ostream* out)
{
    *out << maker.name;
}

// Hands every move on to the back end and then notes what the hardware shows.
class WatchedBackend final : public PinBackend {
public:
    WatchedBackend(std::unique_ptr<PinBackend> backend, std::function<void()> moved)
        : backend_(std::move(backend)), moved_(std::move(moved))
    {
    }
    bool setVpp(bool on) override { return noted(backend_->setVpp(on)); }
    bool setDataClock(bool data, bool clock) override { return noted(backend_->setDataClock(data, clock)); }
    bool read(std::uint8_t& level) override { return backend_->read(level); }
    bool close() override { return backend_->close(); }
    std::string describe() const override { return backend_->describe(); }

private:
    bool noted(bool ok)
    {
        moved_();
        return ok;
    }

    std::unique_ptr<PinBackend> backend_;
    std::function<void()> moved_;
};

// The contract suite (BackendContractTest.cpp); each test program instantiates
// it with the rigs it has.
class BackendContract : public ::testing::TestWithParam<RigMaker> {
protected:
    BackendContract() : rig(GetParam().make()), pins(program()) {}

    // A fresh PinInterface on the rig's hardware, as another program would have.
    // Each move it hands a back end leaves the levels the hardware then shows in moves.
    std::unique_ptr<PinInterface> program()
    {
        BackendTable table = rig->backends();
        for (BackendEntry& entry : table) {
            entry.open = [this, open = entry.open](const std::string& port,
                                                  std::string& failure) -> std::unique_ptr<PinBackend> {
                auto backend = open(port, failure);
                if (!backend)
                    return nullptr;
                return std::make_unique<WatchedBackend>(std::move(backend), [this] {
                    if (const auto seen = rig->levels())
                        moves.push_back(*seen);
                });
            };
        }
        return std::make_unique<PinInterface>(std::move(table), rig->clock());
    }

    void open() { ASSERT_TRUE(pins->comInit(rig->port().c_str())) << pins->info(); }

    std::unique_ptr<Rig> rig;
    std::vector<Levels> moves;
    std::unique_ptr<PinInterface> pins;
};

inline std::string rigName(const ::testing::TestParamInfo<RigMaker>& info)
{
    return info.param.name;
}

} // namespace corvant::test
