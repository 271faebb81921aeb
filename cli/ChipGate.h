#pragma once
// velmora-cli's say on the chip that answers, handed to the engine as its device-ID
// check and so decided inside the operation's own programming session, before
// anything is erased or written. With a device named, the chip must answer as it;
// without, the chip names the device: identify's line first, then the one section
// that names the chip is selected, or the run stops with identify's words.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "devicedata/DeviceList.h"
#include "engine/DeviceIdCheck.h"

namespace velmora::cli {

class ChipGate {
public:
    // Makes `record` the engine's device; false when it cannot be used (said on err).
    using Select = std::function<bool(const DeviceRecord& record)>;

    ChipGate(DeviceList& devices, std::string port, std::FILE* out);

    // The check for a named device; empty (no check) when its section names no ID.
    DeviceIdCheck requiring(const DeviceRecord& selected);
    // The check that lets the chip choose the device.
    DeviceIdCheck choosing(Select select);
    // The chip's choice outside an operation: empty when `select` took the section the
    // chip names, otherwise what stops the run.
    std::string choose(std::uint16_t rawId, const Select& select);

    // The exit status when a check stopped the run.
    std::optional<int> stopStatus() const { return stopStatus_; }

private:
    std::string stop(int status, std::string reason);

    DeviceList& devices_;
    std::string port_;
    std::FILE* out_;
    std::optional<int> stopStatus_;
};

} // namespace velmora::cli
