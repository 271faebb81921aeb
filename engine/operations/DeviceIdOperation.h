#pragma once
// The device-ID read on its own, for a front end that names the chip before it
// chooses a device: programming mode on, the two bytes at 3FFFFEh into the image's
// device-ID bytes, programming mode off. No report; failures and cancels end as the
// other operations' do.

#include "engine/operations/OperationContext.h"

namespace velmora {

class DeviceIdOperation {
public:
    explicit DeviceIdOperation(const OperationContext& context) : s(context) {}
    void run();

private:
    OperationContext s;
};

} // namespace velmora
